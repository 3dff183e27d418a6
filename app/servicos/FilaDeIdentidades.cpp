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
            co_await removerIdentidadesDoPreenchimento(estado->repositorioAtual());
            liberar(esperas);
        } else if (estado->substituicaoPendente) {
            QList<IdentidadeDoPreenchimento> lista = std::move(*estado->substituicaoPendente);
            estado->substituicaoPendente.reset();
            try {
                co_await substituirIdentidadesDoPreenchimento(std::move(lista), estado->repositorioAtual());
            } catch (const ErroDasIdentidades &) {
                // The previous list stays; the next vault change rebuilds it anyway.
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

void FilaDeIdentidades::substituir(QList<IdentidadeDoPreenchimento> identidades)
{
    estado_->substituicaoPendente = std::move(identidades);
    iniciar(estado_);
}

QCoro::Task<> FilaDeIdentidades::remover()
{
    estado_->substituicaoPendente.reset();
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
