// The development server: the vault API over HTTP on 127.0.0.1, answering from an in-memory
// `EstadoDoServidor`. Tests start it in-process and steer it (faults, delays, dropped
// connections, request log); `corvane-servidor` runs it standalone for local trial.
// A test peer only: nothing in the product depends on it.
#pragma once

#include "EstadoDoServidor.h"
#include "PaginasDeEntrada.h"
#include "SiteDoServidor.h"

#include <QAbstractHttpServer>
#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>

#include <chrono>
#include <optional>

namespace Servidor {

// What a faulty answer looks like.
struct Falha {
    int status = 500;
    QByteArray corpo;
    QByteArray tipoDoConteudo = "application/json";
    bool derrubarConexao = false; // close the connection without an answer instead

    // {"erro": codigo, "mensagem": mensagem} with the status.
    [[nodiscard]] static Falha erro(int status, const QString &codigo, const QString &mensagem = {});
    // Any body, such as a successful answer that lacks a key.
    [[nodiscard]] static Falha bruta(int status, const QByteArray &corpo, const QByteArray &tipoDoConteudo = "application/json");
    // An HTML error page, as a proxy in front of the server would send.
    [[nodiscard]] static Falha paginaHtml(int status);
    [[nodiscard]] static Falha conexaoDerrubada();
};

// One request as it reached the server.
struct PedidoRegistrado {
    QString metodo;
    QString caminho; // path and query, as sent
    QList<QPair<QByteArray, QByteArray>> cabecalhos;
    QByteArray corpo;            // at most `limiteDoCorpoRegistrado` bytes of it
    qsizetype tamanhoDoCorpo = 0; // the whole body's size
    [[nodiscard]] bool corpoCortado() const { return tamanhoDoCorpo > corpo.size(); }

    // The value of a header, matched without regard to case; empty when missing.
    [[nodiscard]] QByteArray cabecalho(const QByteArray &nome) const;
    // The body as a JSON object; empty when it is not one.
    [[nodiscard]] QJsonObject json() const;
};

class ServidorDeDesenvolvimento : public QAbstractHttpServer {
    Q_OBJECT

public:
    // The request log keeps the latest requests only, each with at most the first MiB of its
    // body and all of them together at most 16 MiB of bodies, so a server left running (or
    // flooded with large refused requests) does not grow without end.
    static constexpr qsizetype limiteDoRegistro = 1000;
    static constexpr qsizetype limiteDoCorpoRegistrado = 1024 * 1024;
    static constexpr qsizetype limiteDosCorposRegistrados = 16 * 1024 * 1024;
    // A connection must deliver a whole request this soon after it opens or after the previous
    // answer, or it is closed (a request whose body never arrives, an idle keep-alive).
    static constexpr std::chrono::milliseconds prazoDeLeituraPadrao{10000};

    explicit ServidorDeDesenvolvimento(QObject *pai = nullptr);

    // Listens on 127.0.0.1 (port 0: a free one) and gives the port; throws std::runtime_error
    // when it cannot listen.
    quint16 iniciar(quint16 porta = 0);
    [[nodiscard]] quint16 porta() const;
    [[nodiscard]] QUrl endereco() const; // "http://127.0.0.1:<porta>"

    [[nodiscard]] EstadoDoServidor &estado();
    [[nodiscard]] SiteDoServidor &site();

    // For connections opened from now on.
    void definirPrazoDeLeitura(std::chrono::milliseconds prazo);
    [[nodiscard]] std::chrono::milliseconds prazoDeLeitura() const { return prazoDeLeitura_; }

    // The next `quantidade` requests that match (method and path prefix; empty matches any) get
    // `falha` instead of being handled; the state does not change for them. A negative
    // `quantidade` keeps the rule until `limparFalhas`. Rules are tried in the order they were
    // added. Throws std::invalid_argument for a status HTTP does not know.
    // Note: QNetworkAccessManager resends a request once when a reused connection closes without
    // an answer, so one dropped request of the client may arrive twice.
    void falharProximas(int quantidade, const Falha &falha, const QString &metodo = {},
                        const QString &prefixoDoCaminho = {});
    // Every later answer (faults and dropped connections included) leaves this much later.
    void definirAtraso(std::chrono::milliseconds atraso);
    void limparFalhas(); // drops pending faults and the delay

    // The latest `limiteDoRegistro` requests, oldest first, refused ones included.
    [[nodiscard]] const QList<PedidoRegistrado> &pedidos() const;
    [[nodiscard]] QList<PedidoRegistrado> pedidos(const QString &metodo, const QString &prefixoDoCaminho) const;
    void limparPedidos();
    void registrarNoLog(bool sim); // one log line per request (the standalone program turns it on)

Q_SIGNALS:
    void pedidoRecebido(const Servidor::PedidoRegistrado &pedido);
    // The request's answer has left (at once, or after the delay), or found its connection gone.
    void pedidoConcluido(const Servidor::PedidoRegistrado &pedido);

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    struct RegraDeFalha {
        int restantes;
        Falha falha;
        QString metodo;
        QString prefixo;
    };

    std::optional<Falha> proximaFalha(const QString &metodo, const QString &caminho);
    void registrar(const PedidoRegistrado &registro);

    EstadoDoServidor estado_;
    SiteDoServidor site_;
    PaginasDeEntrada paginasDeEntrada_;
    std::chrono::milliseconds prazoDeLeitura_ = prazoDeLeituraPadrao;
    quint16 porta_ = 0;
    QList<RegraDeFalha> falhas_;
    std::chrono::milliseconds atraso_{0};
    QList<PedidoRegistrado> pedidos_;
    qsizetype bytesRegistrados_ = 0;
    bool registrarNoLog_ = false;
};

} // namespace Servidor
