#include "app/servicos/FilaDeIdentidades.h"

#include "app/servicos/IdentidadesDoPreenchimento.h"

#include <QCoro/QCoroFuture>
#include <QFuture>
#include <QPromise>

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
    std::optional<QList<IdentidadeDoPreenchimento>> substituicaoPendente;
    quint64 ultimaGeracao = 0; // of the last replacement asked for
    quint64 emCurso = 0;       // of the replacement running now
    quint64 gravada = 0;       // of the last replacement written to a switched-on store
    bool remocaoPendente = false;
    std::vector<Espera> aguardandoRemocao;
    std::vector<Espera> aguardandoOcio;

    [[nodiscard]] std::shared_ptr<RepositorioDeIdentidades> repositorioAtual() const
    {
        return repositorio ? repositorio : RepositorioDeIdentidades::atual();
    }
};

namespace {

QCoro::Task<> processar(std::shared_ptr<FilaDeIdentidades::Estado> estado)
{
    for (;;) {
        if (estado->remocaoPendente) {
            estado->remocaoPendente = false;
            std::vector<Espera> esperas = std::exchange(estado->aguardandoRemocao, {});
            estado->gravada = 0;
            co_await removerIdentidadesDoPreenchimento(estado->repositorioAtual());
            liberar(esperas);
        } else if (estado->substituicaoPendente) {
            QList<IdentidadeDoPreenchimento> lista = std::move(*estado->substituicaoPendente);
            estado->substituicaoPendente.reset();
            const quint64 geracao = estado->emCurso = estado->ultimaGeracao;
            bool gravada = false;
            try {
                gravada = co_await substituirEConfirmar(std::move(lista), estado->repositorioAtual());
            } catch (const ErroDasIdentidades &) {
                // The previous list stays; the next vault change rebuilds it anyway.
            }
            estado->emCurso = 0;
            // A removal asked for meanwhile has already wiped what this wrote, or will.
            if (!estado->remocaoPendente)
                estado->gravada = gravada ? geracao : 0;
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
    estado_->substituicaoPendente = std::move(identidades);
    const quint64 geracao = ++estado_->ultimaGeracao;
    iniciar(estado_);
    return geracao;
}

bool FilaDeIdentidades::emDia(quint64 geracao) const
{
    const Estado &e = *estado_;
    if (geracao == 0 || geracao != e.ultimaGeracao || e.remocaoPendente)
        return false;
    return e.substituicaoPendente.has_value() || e.emCurso == geracao || e.gravada == geracao;
}

QCoro::Task<> FilaDeIdentidades::remover()
{
    estado_->substituicaoPendente.reset();
    estado_->gravada = 0;
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
