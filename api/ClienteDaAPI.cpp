// The session half of the client: restoring and keeping tokens, and the shared renewal.
#include "api/ClienteDaAPI.h"

#include "api/ClienteDaAPIInterno.h"
#include "core/Chaveiro.h"

#include <QCoro/QCoroFuture>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPromise>
#include <QRegularExpression>

#include <exception>
#include <utility>

namespace {

constexpr qint64 margemDeRenovacaoMs = 30'000;
constexpr qint64 validadeSemDataSegundos = 840;

// An internet date-time ("2025-03-01T12:00:00Z", "...T12:00:00.250+02:00"): dashes, "T", colons,
// optional fractional seconds and a required zone, "Z" or an offset with a colon.
std::optional<QDateTime> lerDataDaInternet(const QString &texto)
{
    static const QRegularExpression forma(QStringLiteral(
        R"(^(\d{4})-(\d{2})-(\d{2})T(\d{2}):(\d{2}):(\d{2})(?:\.(\d+))?(?:(Z)|([+-])(\d{2}):(\d{2}))$)"));
    const QRegularExpressionMatch partes = forma.match(texto);
    if (!partes.hasMatch())
        return std::nullopt;
    const auto numero = [&partes](int i) { return partes.captured(i).toInt(); };
    const QDate data(numero(1), numero(2), numero(3));
    int milissegundos = 0;
    if (const QString fracao = partes.captured(7); !fracao.isEmpty())
        milissegundos = (fracao + QStringLiteral("00")).left(3).toInt(); // further digits are dropped
    const QTime hora(numero(4), numero(5), numero(6), milissegundos);
    if (!data.isValid() || !hora.isValid())
        return std::nullopt;
    int deslocamento = 0;
    if (partes.captured(8).isEmpty()) {
        const int horas = numero(10);
        const int minutos = numero(11);
        if (horas > 23 || minutos > 59)
            return std::nullopt;
        deslocamento = (horas * 60 + minutos) * 60 * (partes.captured(9) == QLatin1String("-") ? -1 : 1);
    }
    return QDateTime(data, hora, Qt::OffsetFromUTC, deslocamento).toUTC();
}

} // namespace

ClienteDaAPI::ClienteDaAPI(QUrl base, QObject *pai) : ClienteDaAPI(std::move(base), Relogio{}, pai)
{}

ClienteDaAPI::ClienteDaAPI(QUrl base, Relogio relogio, QObject *pai)
    : QObject(pai), base_(std::move(base)),
      relogio_(relogio ? std::move(relogio) : Relogio([] { return QDateTime::currentDateTimeUtc(); })),
      sessaoHttp_(new QNetworkAccessManager(this))
{
    // Where a redirect would carry the bearer token to another origin, stop at the redirect.
    sessaoHttp_->setRedirectPolicy(QNetworkRequest::SameOriginRedirectPolicy);
}

std::optional<TokensGuardados> &ClienteDaAPI::sessao() const
{
    if (!tokensLidos_) {
        tokensLidos_ = true;
        if (const auto dados = Chaveiro::ler(QString::fromLatin1(Chaveiro::contaDaSessao)))
            tokens_ = TokensGuardados::deDados(*dados);
    }
    return tokens_;
}

ClienteDaAPI::~ClienteDaAPI()
{
    // Requests still waiting resume now with a cancellation and unwind without touching us.
    vida_.reset();
    const auto respostas = sessaoHttp_->findChildren<QNetworkReply *>();
    for (QNetworkReply *resposta : respostas)
        resposta->abort();
}

void ClienteDaAPI::definirRetornos(AoEncerrar aoEncerrar, AoReceberConta aoReceberConta)
{
    aoEncerrar_ = std::move(aoEncerrar);
    aoReceberConta_ = std::move(aoReceberConta);
}

void ClienteDaAPI::guardarSessao(const RespostaDeSessao &resposta)
{
    if (!resposta.tokenDeRenovacao)
        return;
    adotarSessao(resposta, *resposta.tokenDeRenovacao);
}

void ClienteDaAPI::adotarSessao(const RespostaDeSessao &resposta, const QString &tokenDeRenovacao)
{
    QDateTime expiraEm;
    if (const auto data = lerDataDaInternet(resposta.expiraEm))
        expiraEm = *data;
    else
        expiraEm = relogio_().toUTC().addSecs(validadeSemDataSegundos);
    tokensLidos_ = true;
    tokens_ = TokensGuardados{resposta.tokenDeAcesso, expiraEm, tokenDeRenovacao};
    try {
        Chaveiro::gravar(tokens_->paraDados(), QString::fromLatin1(Chaveiro::contaDaSessao));
    } catch (const ErroDoChaveiro &) {
        // The session then lives in memory until the application quits.
    }
}

void ClienteDaAPI::esquecerSessao()
{
    tokensLidos_ = true;
    tokens_.reset();
    ++geracao_;
    if (const auto renovacao = std::exchange(renovacao_, nullptr))
        renovacao->cancelamento->cancelar();
    Chaveiro::apagar(QString::fromLatin1(Chaveiro::contaDaSessao));
}

void ClienteDaAPI::encerrarSessao()
{
    esquecerSessao();
    if (aoEncerrar_)
        aoEncerrar_();
}

QCoro::Task<QString> ClienteDaAPI::tokenValido()
{
    if (!sessao())
        throw ErroDaAPI::sessaoEncerrada();
    const qint64 restante = tokens_->expiraEm.toMSecsSinceEpoch() - relogio_().toMSecsSinceEpoch();
    // A copy: QCoro 0.8 moves from an lvalue given to co_return, which would empty the member.
    if (restante > margemDeRenovacaoMs)
        co_return QString(tokens_->tokenDeAcesso);
    const TokensGuardados renovados = co_await renovarSessao();
    co_return renovados.tokenDeAcesso;
}

QCoro::Task<TokensGuardados> ClienteDaAPI::renovarSessao()
{
    QFuture<TokensGuardados> futuro;
    if (renovacao_) {
        futuro = renovacao_->futuro;
    } else {
        if (!sessao())
            throw ErroDaAPI::sessaoEncerrada();
        futuro = iniciarRenovacao(*tokens_);
    }
    co_return co_await futuro;
}

QFuture<TokensGuardados> ClienteDaAPI::iniciarRenovacao(TokensGuardados copia)
{
    auto renovacao = std::make_shared<Renovacao>();
    renovacao->geracao = geracao_;
    renovacao->promessa.start();
    renovacao->futuro = renovacao->promessa.future();
    renovacao_ = renovacao;
    // Runs on its own; its outcome reaches every caller through the future. Taken before the
    // start, since a renewal that fails at once has already cleared `renovacao_`.
    const QFuture<TokensGuardados> futuro = renovacao->futuro;
    executarRenovacao(renovacao, std::move(copia));
    return futuro;
}

QCoro::Task<> ClienteDaAPI::executarRenovacao(std::shared_ptr<Renovacao> renovacao, TokensGuardados copia)
{
    const std::weak_ptr<int> vida = vida_;
    std::optional<TokensGuardados> novos;
    std::exception_ptr falha;
    bool recusada = false;
    try {
        novos = co_await pedirRenovacao(std::move(copia), renovacao->geracao, renovacao->cancelamento);
    } catch (const ErroDaAPI &erro) {
        recusada = erro.ehServidor() && (erro.status == 401 || erro.status == 403);
        falha = std::current_exception();
    } catch (...) {
        // Whatever else stopped the renewal (a cancellation included) reaches the waiters as it is.
        falha = std::current_exception();
    }
    if (!vida.expired()) {
        if (renovacao_ == renovacao)
            renovacao_.reset();
        if (recusada) {
            if (renovacao->geracao == geracao_) {
                encerrarSessao();
                falha = std::make_exception_ptr(ErroDaAPI::sessaoEncerrada());
            } else {
                // The session it was renewing was already dropped by the time the refusal came.
                falha = std::make_exception_ptr(ErroDeCancelamento());
            }
        }
    }
    if (novos)
        renovacao->promessa.addResult(*novos);
    else
        renovacao->promessa.setException(falha);
    renovacao->promessa.finish();
}

QCoro::Task<TokensGuardados> ClienteDaAPI::pedirRenovacao(TokensGuardados copia, quint64 geracao,
                                                          std::shared_ptr<Cancelamento> cancelamento)
{
    const ValorJSON corpo = Escritor().texto(QStringLiteral("tokenDeRenovacao"), copia.tokenDeRenovacao).valorPronto();
    const QByteArray bytes = co_await enviarBruto(QStringLiteral("POST"), QStringLiteral("/v1/sessao/renovar"),
                                                  codificar(corpo), std::nullopt, std::move(cancelamento));
    const auto resposta = DecodificacaoDaResposta::decodificar<RespostaDeSessao>(bytes);
    // Signed out while the answer was on its way: it belongs to a session that no longer exists.
    if (geracao != geracao_)
        throw ErroDeCancelamento();
    // An answer without a renewal token still renews the access; the renewal token stays.
    adotarSessao(resposta,
                 resposta.tokenDeRenovacao.value_or(sessao() ? tokens_->tokenDeRenovacao : copia.tokenDeRenovacao));
    const TokensGuardados novos = *tokens_;
    if (aoReceberConta_)
        aoReceberConta_(resposta.conta);
    co_return novos;
}
