#include "ServidorDeDesenvolvimento.h"

#include "Recusa.h"

#include <QHostAddress>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QMetaEnum>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <memory>
#include <stdexcept>

Q_DECLARE_LOGGING_CATEGORY(lcServidor)

namespace Servidor {

namespace {

bool statusConhecido(int status)
{
    return QMetaEnum::fromType<QHttpServerResponder::StatusCode>().valueToKey(status) != nullptr;
}

QString nomeDoMetodo(QHttpServerRequest::Method metodo)
{
    const char *nome = QMetaEnum::fromType<QHttpServerRequest::Method>().valueToKey(int(metodo));
    return nome ? QString::fromLatin1(nome).toUpper() : QStringLiteral("DESCONHECIDO");
}

const char *nomeDoPrazo = "prazoDeLeitura";

// Gives every accepted connection a read deadline: a timer that closes it unless a whole request
// arrived in time. The HTTP server stops the timer when a request is complete and restarts it
// once the answer is written.
class ServidorTcpComPrazo final : public QTcpServer {
public:
    explicit ServidorTcpComPrazo(const std::chrono::milliseconds *prazo) : prazo_(prazo) {}

protected:
    void incomingConnection(qintptr descritor) override
    {
        auto *socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descritor)) {
            delete socket;
            return;
        }
        auto *prazo = new QTimer(socket);
        prazo->setObjectName(QLatin1String(nomeDoPrazo));
        prazo->setSingleShot(true);
        connect(prazo, &QTimer::timeout, socket, &QTcpSocket::abort);
        prazo->start(*prazo_);
        addPendingConnection(socket);
    }

private:
    const std::chrono::milliseconds *prazo_;
};

QTimer *prazoDe(QTcpSocket *socket)
{
    return socket ? socket->findChild<QTimer *>(QLatin1String(nomeDoPrazo), Qt::FindDirectChildrenOnly) : nullptr;
}

} // namespace

Falha Falha::erro(int status, const QString &codigo, const QString &mensagem)
{
    return bruta(status, respostaDeErro(Recusa{status, codigo, mensagem}).corpo);
}

Falha Falha::bruta(int status, const QByteArray &corpo, const QByteArray &tipoDoConteudo)
{
    Falha falha;
    falha.status = status;
    falha.corpo = corpo;
    falha.tipoDoConteudo = tipoDoConteudo;
    return falha;
}

Falha Falha::paginaHtml(int status)
{
    const QByteArray titulo = QByteArray::number(status) + " Bad Gateway";
    return bruta(status, "<html><head><title>" + titulo + "</title></head><body><center><h1>" + titulo
                             + "</h1></center></body></html>\n",
                 "text/html");
}

Falha Falha::conexaoDerrubada()
{
    Falha falha;
    falha.derrubarConexao = true;
    return falha;
}

QByteArray PedidoRegistrado::cabecalho(const QByteArray &nome) const
{
    for (const auto &[chave, valor] : cabecalhos) {
        if (chave.compare(nome, Qt::CaseInsensitive) == 0)
            return valor;
    }
    return {};
}

QJsonObject PedidoRegistrado::json() const
{
    return QJsonDocument::fromJson(corpo).object();
}

ServidorDeDesenvolvimento::ServidorDeDesenvolvimento(QObject *pai) : QAbstractHttpServer(pai) {}

quint16 ServidorDeDesenvolvimento::iniciar(quint16 porta)
{
    auto *tcp = new ServidorTcpComPrazo(&prazoDeLeitura_);
    if (!tcp->listen(QHostAddress::LocalHost, porta)) {
        delete tcp;
        throw std::runtime_error("the development server could not listen on 127.0.0.1:" + std::to_string(porta));
    }
    bind(tcp); // takes ownership
    porta_ = tcp->serverPort();
    return porta_;
}

SiteDoServidor &ServidorDeDesenvolvimento::site()
{
    return site_;
}

void ServidorDeDesenvolvimento::definirPrazoDeLeitura(std::chrono::milliseconds prazo)
{
    prazoDeLeitura_ = prazo;
}

void ServidorDeDesenvolvimento::registrar(const PedidoRegistrado &registro)
{
    pedidos_.append(registro);
    bytesRegistrados_ += registro.corpo.size();
    while (pedidos_.size() > limiteDoRegistro || bytesRegistrados_ > limiteDosCorposRegistrados) {
        bytesRegistrados_ -= pedidos_.first().corpo.size();
        pedidos_.removeFirst();
    }
}

quint16 ServidorDeDesenvolvimento::porta() const
{
    return porta_;
}

QUrl ServidorDeDesenvolvimento::endereco() const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(porta_));
}

EstadoDoServidor &ServidorDeDesenvolvimento::estado()
{
    return estado_;
}

void ServidorDeDesenvolvimento::falharProximas(int quantidade, const Falha &falha, const QString &metodo,
                                               const QString &prefixoDoCaminho)
{
    if (!falha.derrubarConexao && !statusConhecido(falha.status))
        throw std::invalid_argument("unknown HTTP status " + std::to_string(falha.status));
    if (quantidade != 0)
        falhas_.append(RegraDeFalha{quantidade, falha, metodo, prefixoDoCaminho});
}

void ServidorDeDesenvolvimento::definirAtraso(std::chrono::milliseconds atraso)
{
    atraso_ = atraso;
}

void ServidorDeDesenvolvimento::limparFalhas()
{
    falhas_.clear();
    atraso_ = std::chrono::milliseconds(0);
}

const QList<PedidoRegistrado> &ServidorDeDesenvolvimento::pedidos() const
{
    return pedidos_;
}

QList<PedidoRegistrado> ServidorDeDesenvolvimento::pedidos(const QString &metodo, const QString &prefixoDoCaminho) const
{
    QList<PedidoRegistrado> escolhidos;
    for (const PedidoRegistrado &pedido : pedidos_) {
        if ((metodo.isEmpty() || pedido.metodo == metodo) && pedido.caminho.startsWith(prefixoDoCaminho))
            escolhidos.append(pedido);
    }
    return escolhidos;
}

void ServidorDeDesenvolvimento::limparPedidos()
{
    pedidos_.clear();
    bytesRegistrados_ = 0;
}

void ServidorDeDesenvolvimento::registrarNoLog(bool sim)
{
    registrarNoLog_ = sim;
}

std::optional<Falha> ServidorDeDesenvolvimento::proximaFalha(const QString &metodo, const QString &caminho)
{
    for (auto regra = falhas_.begin(); regra != falhas_.end(); ++regra) {
        if ((!regra->metodo.isEmpty() && regra->metodo != metodo) || !caminho.startsWith(regra->prefixo))
            continue;
        const Falha falha = regra->falha;
        if (regra->restantes > 0 && --regra->restantes == 0)
            falhas_.erase(regra);
        return falha;
    }
    return std::nullopt;
}

bool ServidorDeDesenvolvimento::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    const QUrl url = request.url();
    Pedido pedido{nomeDoMetodo(request.method()), url.path(), request.query(), {}, request.body()};
    if (QTimer *prazo = prazoDe(socket))
        prazo->stop();
    PedidoRegistrado registro{pedido.metodo,
                              url.path(QUrl::FullyEncoded) + (url.hasQuery() ? QLatin1Char('?') + url.query() : QString()),
                              request.headers(), pedido.corpo.left(limiteDoCorpoRegistrado), pedido.corpo.size()};
    pedido.autorizacao = registro.cabecalho("Authorization");
    registrar(registro);
    if (registrarNoLog_)
        qCInfo(lcServidor).noquote() << pedido.metodo << registro.caminho;
    Q_EMIT pedidoRecebido(registro);

    const std::optional<Falha> falha = proximaFalha(pedido.metodo, pedido.caminho);
    // The responder outlives this call when the answer is delayed; the socket may go away first.
    auto responder = std::make_shared<QHttpServerResponder>(makeResponder(request, socket));
    const QPointer<QTcpSocket> conexao(socket);
    auto responderAgora = [this, pedido, falha, responder, conexao] {
        if (!conexao || conexao->state() != QAbstractSocket::ConnectedState)
            return;
        if (falha && falha->derrubarConexao) {
            conexao->abort();
            return;
        }
        Resposta resposta;
        QByteArray local;
        if (falha)
            resposta = Resposta{falha->status, falha->corpo, falha->tipoDoConteudo};
        else if (std::optional<Resposta> pagina = site_.atender(pedido, endereco()))
            resposta = *pagina;
        else if (std::optional<PaginaDeEntrada> entrada = paginasDeEntrada_.atender(pedido, estado_)) {
            resposta = entrada->resposta;
            local = entrada->local;
        }
        else
            resposta = estado_.atender(pedido);
        const auto status = static_cast<QHttpServerResponder::StatusCode>(resposta.status);
        if (local.isEmpty())
            responder->write(resposta.corpo, resposta.tipoDoConteudo, status);
        else
            responder->write(resposta.corpo, {{"Content-Type", resposta.tipoDoConteudo}, {"Location", local}},
                             status);
        // The connection may carry the next request; it gets the same deadline.
        if (QTimer *prazo = prazoDe(conexao))
            prazo->start(prazoDeLeitura_);
    };
    auto concluir = [this, responderAgora = std::move(responderAgora), registro] {
        responderAgora();
        Q_EMIT pedidoConcluido(registro);
    };
    // A drop is always deferred: aborting the socket inside its own read handler is not safe.
    if (atraso_.count() > 0 || (falha && falha->derrubarConexao))
        QTimer::singleShot(atraso_, this, concluir);
    else
        concluir();
    return true;
}

void ServidorDeDesenvolvimento::missingHandler(const QHttpServerRequest &request, QTcpSocket *socket)
{
    // Never reached: handleRequest takes every request.
    makeResponder(request, socket).write(QHttpServerResponder::StatusCode::NotFound);
}

} // namespace Servidor
