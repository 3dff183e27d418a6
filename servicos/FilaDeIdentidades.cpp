#include "servicos/FilaDeIdentidades.h"

#include "servicos/IdentidadesDoPreenchimento.h"
#include "servicos/NoTrabalhador.h"

#include <QCoro/QCoroFuture>
#include <QFuture>
#include <QPromise>
#include <QScopeGuard>

#include <functional>
#include <optional>
#include <vector>

namespace {

using Espera = std::shared_ptr<QPromise<void>>;

Espera novaEspera()
{
    auto espera = std::make_shared<QPromise<void>>();
    espera->start();
    return espera;
}

void liberar(std::vector<Espera> &esperas)
{
    for (const Espera &espera : std::exchange(esperas, {}))
        espera->finish();
}

} // namespace

struct FilaDeIdentidades::Estado {
    std::shared_ptr<RepositorioDeIdentidades> repositorio;
    bool rodando = false;
    std::optional<FilaDeIdentidades::Montagem> substituicaoPendente;
    std::optional<IdentidadesPorRegistro> mudancasPendentes; // after the waiting list, if any
    quint64 ultimaGeracao = 0; // of the last operation asked for
    quint64 emCurso = 0;       // of the operation running now
    quint64 gravada = 0;       // of the last operation written to a switched-on store
    // Whether the store holds the list built by every operation written so far, so a change of
    // some records can be written on top of it.
    bool baseConhecida = false;
    bool remocaoPendente = false;
    std::vector<Espera> aguardandoRemocao;
    std::vector<Espera> aguardandoOcio;

    [[nodiscard]] std::shared_ptr<RepositorioDeIdentidades> repositorioAtual() const
    {
        return repositorio ? repositorio : RepositorioDeIdentidades::atual();
    }
};

namespace {

enum class Escrita { feita, desligada, falhou };

// The waiting list, then the waiting changes, in one trip to the worker.
std::function<Escrita()> escrita(std::shared_ptr<RepositorioDeIdentidades> alvo,
                                 std::optional<FilaDeIdentidades::Montagem> lista,
                                 std::optional<IdentidadesPorRegistro> mudancas)
{
    return [alvo = std::move(alvo), lista = std::move(lista), mudancas = std::move(mudancas)]() mutable {
        // A whole vault's list, and what it was built from, is let go here rather than on the
        // main thread.
        const auto soltar = qScopeGuard([&] {
            lista.reset();
            mudancas.reset();
        });
        // A store the user has not switched on is left alone, and that is no failure.
        if (!alvo->ligado())
            return Escrita::desligada;
        if (lista && !alvo->substituirTodas((*lista)()))
            return Escrita::falhou;
        if (mudancas && !alvo->substituirDosRegistros(*mudancas))
            return Escrita::falhou;
        return Escrita::feita;
    };
}

QCoro::Task<> processar(std::shared_ptr<FilaDeIdentidades::Estado> estado)
{
    for (;;) {
        if (estado->remocaoPendente) {
            estado->remocaoPendente = false;
            std::vector<Espera> esperas = std::exchange(estado->aguardandoRemocao, {});
            estado->gravada = 0;
            estado->baseConhecida = false;
            co_await removerIdentidadesDoPreenchimento(estado->repositorioAtual());
            liberar(esperas);
        } else if (estado->substituicaoPendente || estado->mudancasPendentes) {
            auto lista = std::exchange(estado->substituicaoPendente, std::nullopt);
            auto mudancas = std::exchange(estado->mudancasPendentes, std::nullopt);
            const quint64 geracao = estado->emCurso = estado->ultimaGeracao;
            // Changes alone over a list the store may not hold are dropped: written, they would
            // leave a list that is neither the old one nor the new one.
            Escrita resultado = Escrita::falhou;
            if (lista || estado->baseConhecida) {
                auto trabalho = noTrabalhador(escrita(estado->repositorioAtual(), std::move(lista), std::move(mudancas)));
                resultado = co_await trabalho;
            }
            estado->emCurso = 0;
            // A removal asked for meanwhile has already wiped what this wrote, or will. Anything
            // not written leaves the mark unwritten, so the next vault change hands over a whole
            // list (the previous one, or part of a change, may be what the store holds).
            if (!estado->remocaoPendente) {
                estado->gravada = resultado == Escrita::feita ? geracao : 0;
                estado->baseConhecida = resultado == Escrita::feita;
            }
        } else {
            break;
        }
    }
    estado->rodando = false;
    liberar(estado->aguardandoOcio);
}

void iniciar(const std::shared_ptr<FilaDeIdentidades::Estado> &estado)
{
    if (estado->rodando)
        return;
    estado->rodando = true;
    // Detached: the frame lives until the loop ends, holding the state it needs.
    (void)processar(estado);
}

} // namespace

FilaDeIdentidades::FilaDeIdentidades(std::shared_ptr<RepositorioDeIdentidades> repositorio)
    : estado_(std::make_shared<Estado>())
{
    estado_->repositorio = std::move(repositorio);
}

quint64 FilaDeIdentidades::substituir(QList<IdentidadeDoPreenchimento> identidades)
{
    return substituir([identidades = std::move(identidades)] { return identidades; });
}

quint64 FilaDeIdentidades::substituir(Montagem montagem)
{
    estado_->substituicaoPendente = std::move(montagem);
    estado_->mudancasPendentes.reset();
    const quint64 geracao = ++estado_->ultimaGeracao;
    iniciar(estado_);
    return geracao;
}

quint64 FilaDeIdentidades::substituirDosRegistros(IdentidadesPorRegistro mudancas)
{
    if (!estado_->mudancasPendentes) {
        estado_->mudancasPendentes = std::move(mudancas);
    } else {
        for (auto mudanca = mudancas.begin(); mudanca != mudancas.end(); ++mudanca)
            estado_->mudancasPendentes->insert(mudanca.key(), std::move(mudanca.value()));
    }
    const quint64 geracao = ++estado_->ultimaGeracao;
    iniciar(estado_);
    return geracao;
}

bool FilaDeIdentidades::aceitaMudancasPorRegistro() const
{
    return estado_->repositorioAtual()->substituiPorRegistro();
}

bool FilaDeIdentidades::emDia(quint64 geracao) const
{
    const Estado &e = *estado_;
    if (geracao == 0 || geracao != e.ultimaGeracao || e.remocaoPendente)
        return false;
    // Waiting changes over a store that turns out not to hold their base are dropped when their
    // turn comes, and from then on this is false.
    return e.substituicaoPendente || e.mudancasPendentes || e.emCurso == geracao || e.gravada == geracao;
}

QCoro::Task<> FilaDeIdentidades::remover()
{
    estado_->substituicaoPendente.reset();
    estado_->mudancasPendentes.reset();
    estado_->gravada = 0;
    estado_->baseConhecida = false;
    estado_->remocaoPendente = true;
    const Espera espera = novaEspera();
    estado_->aguardandoRemocao.push_back(espera);
    iniciar(estado_);
    co_await espera->future();
}

QCoro::Task<> FilaDeIdentidades::ociosa()
{
    if (!estado_->rodando)
        co_return;
    const Espera espera = novaEspera();
    estado_->aguardandoOcio.push_back(espera);
    co_await espera->future();
}

FilaDeIdentidades &FilaDeIdentidades::doProcesso()
{
    static FilaDeIdentidades fila;
    return fila;
}
