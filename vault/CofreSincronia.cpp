// Synchronisation by revision: one run at a time, full while the store has never held a complete
// vault, incremental afterwards; every failure ends in the store's flags.
#include "vault/Cofre.h"

#include "api/ClienteDaAPI.h"
#include "api/ErroDaAPI.h"
#include "api/Respostas.h"

#include <QPointer>

#include <algorithm>
#include <exception>

QCoro::Task<> Cofre::sincronizar()
{
    // Checked and set before the first wait, so two callers cannot both start a run.
    if (sincronizando_ || aposentado_)
        co_return;
    definirSincronizando(true);

    const QPointer<Cofre> vivo(this);
    const std::optional<qint64> desde = carregado_ ? std::optional<qint64>(revisao_) : std::nullopt;
    RespostaDoCofre resposta;
    std::exception_ptr falha;
    try {
        // Named, so no argument temporary lives across the wait: GCC 12 destroys those twice
        // when the awaited task throws.
        QCoro::Task<RespostaDoCofre> pedido = api_->lerCofre(desde);
        resposta = co_await std::move(pedido);
    } catch (...) {
        // Classified right below; every kind of failure ends in a flag.
        falha = std::current_exception();
    }
    if (!vivo)
        co_return;
    if (aposentado_) {
        definirSincronizando(false);
        co_return;
    }
    if (falha) {
        registrarFalhaDeSincronia(falha);
        definirSincronizando(false);
        co_return;
    }

    // An answer without the flag is complete exactly when the store had no base to build on.
    const bool completa = resposta.completo.value_or(!carregado_);
    aplicarResposta(resposta, completa);
    definirRevisao(completa ? resposta.revisao : std::max(resposta.revisao, revisao_));
    definirCarregado(true);
    definirUltimaSincronia(QDateTime::currentDateTimeUtc());
    definirSemConexao(false);
    definirFalhouAoSincronizar(false);
    gravarEAtualizarIdentidades();
    if (completa)
        devolverMemoriaLivre(resposta.itens.size());

    co_await importarNovasSenhas();
    if (!vivo)
        co_return;
    co_await aplicarVinculosDeCodigos();
    if (!vivo)
        co_return;
    definirSincronizando(false);
}

void Cofre::aplicarResposta(const RespostaDoCofre &resposta, bool completa)
{
    const AvisosAgrupados agrupados(*this);
    if (completa) {
        if (!cifrados_.isEmpty()) {
            cifrados_.clear();
            copiaInteiraMudou_ = true;
            mudadosNaCopia_.clear();
            avisarCifrados();
        }
        if (!abertos_.isEmpty()) {
            abertos_.clear();
            todosOsAbertosMudaram_ = true;
            abertosMudados_.clear();
            avisarAbertos();
        }
        if (!ilegiveis_.isEmpty()) {
            ilegiveis_.clear();
            avisarIlegiveis();
        }
        // A whole vault arrives at once: grow the tables once, not item by item.
        cifrados_.reserve(resposta.itens.size());
        abertos_.reserve(resposta.itens.size());
    }
    const TextosCompartilhados compartilhados;
    for (const ItemCifrado &item : resposta.itens)
        aplicar(item);
}

void Cofre::registrarFalhaDeSincronia(const std::exception_ptr &erro)
{
    try {
        std::rethrow_exception(erro);
    } catch (const ErroDaAPI &e) {
        if (e.caso() == ErroDaAPI::Caso::semConexao)
            definirSemConexao(true);
        else
            definirFalhouAoSincronizar(true);
    } catch (const ErroDeCancelamento &) {
        // Nobody wants the answer any more: not a failure to show.
    } catch (const std::exception &e) {
        qCWarning(categoriaDoCofre, "sincronização falhou: %s", e.what());
        definirFalhouAoSincronizar(true);
    }
}
