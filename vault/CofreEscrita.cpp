// The store's writes: saving and deleting one item under optimistic concurrency, the batch of
// new items, and the account refresh. The server's answer is the truth; nothing is merged here.
#include "vault/Cofre.h"

#include "api/ClienteDaAPI.h"
#include "api/Corpos.h"
#include "api/ErroDaAPI.h"
#include "api/Respostas.h"
#include "servicos/Preferencias.h"
#include "core/CodificacaoJSON.h"
#include "core/Envelope.h"
#include "core/ErroDeCripto.h"

#include <QPointer>
#include <QUuid>

#include <exception>

namespace {

const QString codigoDeConflito = QStringLiteral("conflito-de-revisao");

QString novoId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toLower();
}

} // namespace

Cofre::Envelope Cofre::Envelope::deJSON(const QByteArray &corpo)
{
    const Leitor leitor(CodificacaoJSON::lerDocumento(corpo));
    Envelope envelope;
    if (const auto item = leitor.talvezObjeto(QStringLiteral("item")))
        envelope.item = ItemCifrado::deJSON(*item);
    return envelope;
}

QString Cofre::selar(const ObjetoJSON &conteudo, const QString &id) const
{
    try {
        return Cripto::selarEnvelope(ValorJSON::objeto(conteudo).escritoEmUTF8(), chave_, Cripto::rotuloDoItem(id));
    } catch (const ErroDeCripto &) {
        throw ErroDoCofre::falhaAoCifrar();
    }
}

void Cofre::tratarFalhaDeEscrita(const std::exception_ptr &erro, bool apagando)
{
    try {
        std::rethrow_exception(erro);
    } catch (const ErroDaAPI &e) {
        if (e.caso() == ErroDaAPI::Caso::semConexao) {
            definirSemConexao(true);
            throw;
        }
        if (apagando && e.ehServidor() && e.status == 404)
            return; // already gone on the server: finish as a deletion
        if (e.ehServidor() && e.status == 409 && e.codigo == codigoDeConflito) {
            std::optional<ItemCifrado> atual;
            try {
                atual = Envelope::deJSON(e.corpo).item;
            } catch (const ErroDeDecodificacao &) {
                // A conflict without a readable current item still is a conflict.
            }
            throw ErroDoCofre::conflito(std::move(atual));
        }
        throw;
    }
}

// Named, so no argument temporary lives across the wait: GCC 12 destroys those twice
// when the awaited task throws.
QCoro::Task<ItemAberto> Cofre::guardar(std::optional<QString> id, ObjetoJSON conteudo, TipoDeItem tipo,
                                       std::optional<qint64> revisaoEsperada)
{
    QString idDoItem;
    std::optional<qint64> esperada;
    if (!id) {
        idDoItem = novoId(); // a new item: nothing to check against
    } else {
        idDoItem = *id;
        esperada = revisaoEsperada;
        if (!esperada) {
            if (const auto guardado = cifrados_.constFind(idDoItem); guardado != cifrados_.cend())
                esperada = guardado->revisao;
        }
    }
    const QString dados = selar(conteudo, idDoItem);

    const QPointer<Cofre> vivo(this);
    ItemCifrado resposta;
    std::exception_ptr falha;
    try {
        QCoro::Task<ItemCifrado> pedido = api_->guardarItem(idDoItem, CorpoDoItem{tipo, dados, esperada});
        resposta = co_await std::move(pedido);
    } catch (...) {
        falha = std::current_exception(); // turned into what the caller sees below
    }
    if (!vivo)
        throw ErroDeCancelamento();
    if (falha)
        tratarFalhaDeEscrita(falha, false);

    {
        const AvisosAgrupados agrupados(*this);
        aplicar(resposta);
    }
    definirSemConexao(false);
    gravarEAtualizarIdentidades();

    const auto aberto = abertos_.constFind(idDoItem);
    if (aberto == abertos_.cend())
        throw ErroDoCofre::falhaAoCifrar(); // came back deleted or sealed with another key
    co_return *aberto;
}

QCoro::Task<> Cofre::apagar(QString id, std::optional<qint64> revisaoEsperada)
{
    const auto guardado = cifrados_.constFind(id);
    if (guardado == cifrados_.cend())
        co_return;
    const qint64 revisao = revisaoEsperada.value_or(guardado->revisao);

    const QPointer<Cofre> vivo(this);
    std::exception_ptr falha;
    try {
        QCoro::Task<ItemCifrado> pedido = api_->apagarItem(id, revisao);
        (void)co_await std::move(pedido);
    } catch (...) {
        falha = std::current_exception(); // turned into what the caller sees below
    }
    if (!vivo)
        throw ErroDeCancelamento();
    if (falha)
        tratarFalhaDeEscrita(falha, true);

    removerLocalmente(id);
    if (preferencias_)
        preferencias_->armazenamento().definirListaDeTextos(chaveDaOrdem(conta_.id), ordem_);
    gravarEAtualizarIdentidades();
}

QCoro::Task<> Cofre::atualizarConta()
{
    const QPointer<Cofre> vivo(this);
    std::optional<Conta> recebida;
    try {
        QCoro::Task<std::optional<Conta>> pedido = api_->lerConta();
        recebida = co_await std::move(pedido);
    } catch (const std::exception &) {
        co_return; // a refresh that fails changes nothing; the next one will try again
    }
    if (!vivo || !recebida || recebida->id != conta_.id)
        co_return;
    definirConta(*recebida);
    salvarCopia();
}

QCoro::Task<qint64> Cofre::guardarEmLote(QList<NovoItem> itens)
{
    if (itens.isEmpty())
        co_return 0;

    // Everything is sealed before the first request, so a sealing failure sends nothing.
    QList<ItemDoLote> entradas;
    entradas.reserve(itens.size());
    for (const auto &[conteudo, tipo] : itens) {
        const QString id = novoId();
        entradas.append(ItemDoLote{id, tipo, selar(conteudo, id)});
    }

    const QPointer<Cofre> vivo(this);
    qint64 devolvidos = 0;
    bool algumaFatiaSalva = false;
    for (qsizetype inicio = 0; inicio < entradas.size(); inicio += itensPorLote) {
        RespostaDoCofre resposta;
        std::exception_ptr falha;
        try {
            QCoro::Task<RespostaDoCofre> pedido = api_->enviarLote(CorpoDoLote{entradas.mid(inicio, itensPorLote)});
            resposta = co_await std::move(pedido);
        } catch (...) {
            falha = std::current_exception(); // rethrown below, marked when slices were saved
        }
        if (!vivo) {
            if (falha)
                std::rethrow_exception(falha);
            throw ErroDeCancelamento();
        }
        if (falha) {
            if (!algumaFatiaSalva)
                std::rethrow_exception(falha);
            // The saved slices are on the server and in memory: keep the copy and the identities
            // in step with them, and tell the caller how many there are so they are not resent.
            gravarEAtualizarIdentidades();
            try {
                std::rethrow_exception(falha);
            } catch (const ErroDaAPI &e) {
                throw ErroNoLote<ErroDaAPI>(e, devolvidos);
            } catch (const ErroDeCancelamento &e) {
                throw ErroNoLote<ErroDeCancelamento>(e, devolvidos);
            }
        }

        {
            const AvisosAgrupados agrupados(*this);
            for (const ItemCifrado &item : resposta.itens)
                aplicar(item);
        }
        devolvidos += resposta.itens.size();
        algumaFatiaSalva = true;
    }
    gravarEAtualizarIdentidades();
    co_return devolvidos;
}
