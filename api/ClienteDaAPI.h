// The one object through which the application talks to the server: it owns the HTTP session,
// the session tokens (in memory and in the keychain item "sessao"), the single renewal that
// concurrent requests share, and the two callbacks that report an ended session and a fresh
// account record. It lives on the main thread; every operation that waits is a coroutine, so
// other calls may run at each `co_await`, exactly where they would interleave on the server side.
#pragma once

#include "api/Corpos.h"
#include "api/ErroDaAPI.h"
#include "api/Respostas.h"
#include "api/TokensGuardados.h"
#include "core/CodificacaoJSON.h"
#include "core/Conta.h"
#include "core/ItemCifrado.h"
#include "core/ValorJSON.h"

#include <QCoro/QCoroTask>
#include <QDateTime>
#include <QFuture>
#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>
#include <type_traits>

class QNetworkAccessManager;

namespace DecodificacaoDaResposta {

// How a successful answer becomes the type the caller expects: through its `deJSON`, with an
// optional type taking JSON null as no value.
template <typename R>
struct Leitura {
    [[nodiscard]] static R de(const ValorJSON &valor) { return R::deJSON(valor); }
};
template <typename R>
struct Leitura<std::optional<R>> {
    [[nodiscard]] static std::optional<R> de(const ValorJSON &valor)
    {
        if (valor.ehNulo())
            return std::nullopt;
        return Leitura<R>::de(valor);
    }
};

// The decoded answer; `Vazio` never looks at the bytes. A body that does not decode throws
// `ErroDaAPI::respostaInesperada()`.
template <typename R>
[[nodiscard]] R decodificar(const QByteArray &bytes)
{
    if constexpr (std::is_same_v<R, Vazio>) {
        return Vazio{};
    } else {
        try {
            return Leitura<R>::de(CodificacaoJSON::lerDocumento(bytes));
        } catch (const ErroDeDecodificacao &) {
            throw ErroDaAPI::respostaInesperada();
        }
    }
}

} // namespace DecodificacaoDaResposta

class ClienteDaAPI : public QObject {
    Q_OBJECT

public:
    using Relogio = std::function<QDateTime()>;
    using AoEncerrar = std::function<void()>;
    using AoReceberConta = std::function<void(const Conta &)>;

    // Restores the tokens kept in the keychain, when they read back.
    explicit ClienteDaAPI(QUrl base, QObject *pai = nullptr);
    // The same with the clock that decides when a token is about to expire (tests pass their own).
    ClienteDaAPI(QUrl base, Relogio relogio, QObject *pai = nullptr);
    ~ClienteDaAPI() override;

    [[nodiscard]] const QUrl &base() const { return base_; }

    // Replaces both callbacks. They are called on the main thread and must not call back into
    // the client synchronously.
    void definirRetornos(AoEncerrar aoEncerrar, AoReceberConta aoReceberConta);

    [[nodiscard]] bool temSessao() const { return sessao().has_value(); }
    [[nodiscard]] const std::optional<TokensGuardados> &tokens() const { return sessao(); }

    // Keeps the session of a sign-in or account creation; an answer without a renewal token
    // leaves the earlier session as it was. A keychain failure leaves the session in memory only.
    void guardarSessao(const RespostaDeSessao &resposta);
    // Drops the session from memory and the keychain and cancels a renewal in flight, whose
    // answer, should it still arrive, is thrown away. Does not call `aoEncerrar`.
    void esquecerSessao();

    // The access token to send now, renewed first when 30 seconds or less are left.
    [[nodiscard]] QCoro::Task<QString> tokenValido();
    // Runs the renewal, or joins the one in flight. A refusal with 401 or 403 ends the session
    // (for every caller waiting on it: `sessaoEncerrada`); other failures keep the tokens.
    [[nodiscard]] QCoro::Task<TokensGuardados> renovarSessao();

    // One HTTP request: `caminho` starts with "/" and replaces any path of the base. Throws
    // `ErroDaAPI` (and `ErroDeCancelamento` when the request was cancelled).
    template <typename R>
    [[nodiscard]] QCoro::Task<R> enviar(QString metodo, QString caminho, std::optional<ValorJSON> corpo = std::nullopt,
                                        std::optional<QString> token = std::nullopt)
    {
        const QByteArray bytes =
            co_await enviarBruto(std::move(metodo), std::move(caminho), codificar(corpo), std::move(token), nullptr);
        co_return DecodificacaoDaResposta::decodificar<R>(bytes);
    }
    // The same with the session's bearer token, renewing once and resending after a 401
    // "nao-autenticado"; a second such refusal ends the session, unless that session was already
    // dropped while the resend was on its way (then: `ErroDeCancelamento`, the new session stays).
    template <typename R>
    [[nodiscard]] QCoro::Task<R> enviarAutorizado(QString metodo, QString caminho,
                                                  std::optional<ValorJSON> corpo = std::nullopt)
    {
        const QByteArray bytes =
            co_await enviarAutorizadoBruto(std::move(metodo), std::move(caminho), codificar(corpo));
        co_return DecodificacaoDaResposta::decodificar<R>(bytes);
    }

    // --- Every request the application makes ---
    [[nodiscard]] QCoro::Task<RespostaDeSessao> entrar(CorpoDeEntrada corpo);  // POST /v1/sessao
    [[nodiscard]] QCoro::Task<Vazio> sair();                                   // DELETE /v1/sessao
    [[nodiscard]] QCoro::Task<RespostaDePreEntrada> preEntrada(QString email); // POST /v1/conta/pre-entrada
    [[nodiscard]] QCoro::Task<RespostaDoCodigoDeEmail>
    pedirCodigoDeEmail(QString email); // POST /v1/conta/codigo-de-email
    [[nodiscard]] QCoro::Task<RespostaDaConferenciaDoEmail> conferirCodigoDeEmail(QString email, QString codigo);
    [[nodiscard]] QCoro::Task<RespostaDeSessao> cadastrar(CorpoDeCadastro corpo); // POST /v1/conta
    [[nodiscard]] QCoro::Task<RespostaSocial> entrarSocial(CorpoSocial corpo);    // POST /v1/conta/social
    [[nodiscard]] QCoro::Task<std::optional<Conta>> lerConta();                   // GET /v1/conta
    // GET /v1/cofre, or with "?desde=" and the revision.
    [[nodiscard]] QCoro::Task<RespostaDoCofre> lerCofre(std::optional<qint64> desde = std::nullopt);
    // PUT /v1/cofre/itens/<id>. An id that is not `idDeItemValido` throws `respostaInesperada`.
    [[nodiscard]] QCoro::Task<ItemCifrado> guardarItem(QString id, CorpoDoItem corpo);
    // DELETE /v1/cofre/itens/<id>?revisaoEsperada=<revisao>, with the same check of the id.
    [[nodiscard]] QCoro::Task<ItemCifrado> apagarItem(QString id, qint64 revisaoEsperada);
    [[nodiscard]] QCoro::Task<RespostaDoCofre> enviarLote(CorpoDoLote corpo); // POST /v1/cofre/lote

    // An item id that may go into a request path: non-empty, ASCII letters, digits and "-" only,
    // so that no id can point a request carrying the bearer token at another endpoint.
    [[nodiscard]] static bool idDeItemValido(const QString &id);

private:
    struct Cancelamento;
    struct Renovacao;

    [[nodiscard]] static std::optional<QByteArray> codificar(const std::optional<ValorJSON> &corpo);
    [[nodiscard]] std::optional<QUrl> enderecoDe(const QString &caminho) const;

    [[nodiscard]] QCoro::Task<QByteArray> enviarBruto(QString metodo, QString caminho, std::optional<QByteArray> corpo,
                                                      std::optional<QString> token,
                                                      std::shared_ptr<Cancelamento> cancelamento);
    [[nodiscard]] QCoro::Task<QByteArray> enviarAutorizadoBruto(QString metodo, QString caminho,
                                                                std::optional<QByteArray> corpo);

    [[nodiscard]] QFuture<TokensGuardados> iniciarRenovacao(TokensGuardados copia);
    QCoro::Task<> executarRenovacao(std::shared_ptr<Renovacao> renovacao, TokensGuardados copia);
    [[nodiscard]] QCoro::Task<TokensGuardados> pedirRenovacao(TokensGuardados copia, quint64 geracao,
                                                              std::shared_ptr<Cancelamento> cancelamento);
    void adotarSessao(const RespostaDeSessao &resposta, const QString &tokenDeRenovacao);
    void encerrarSessao();

    QUrl base_;
    Relogio relogio_;
    QNetworkAccessManager *sessaoHttp_; // child of this object, never replaced
    // The stored session, read from the keychain on first use rather than when the client is
    // built, so that building it (at start-up, before the first frame) touches no keychain.
    [[nodiscard]] std::optional<TokensGuardados> &sessao() const;
    mutable std::optional<TokensGuardados> tokens_;
    mutable bool tokensLidos_ = false;
    std::shared_ptr<Renovacao> renovacao_;
    AoEncerrar aoEncerrar_;
    AoReceberConta aoReceberConta_;
    // Grows with every `esquecerSessao()`: a renewal keeps its answer only while the session it
    // was started for is still the current one.
    quint64 geracao_ = 0;
    // Coroutines hold a weak reference and stop, touching nothing, when the client is gone.
    std::shared_ptr<int> vida_ = std::make_shared<int>(0);
};
