// The request half of the client: one HTTP exchange, the authorised wrapper with its renewal and
// resend, and every request of the application.
#include "api/ClienteDaAPI.h"

#include "api/ClienteDaAPIInterno.h"
#include "core/ErroDeCripto.h"

#include <QCoro/QCoroNetworkReply>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QTimer>

#include <chrono>

namespace {

using namespace std::chrono_literals;

constexpr auto limiteSemDados = 20s; // no byte moved for this long: the request has failed
constexpr auto limiteTotal = 60s;    // the whole exchange, however slowly it moves

const QString prefixoDeItem = QStringLiteral("/v1/cofre/itens/");

// Paths under the item prefix take exactly the two forms the application builds: the id alone
// (PUT) or followed by the expected revision (DELETE). Anything else was built from a bad id.
bool caminhoDeItemAceito(const QString &caminho)
{
    if (!caminho.startsWith(prefixoDeItem))
        return true;
    const QString resto = caminho.mid(prefixoDeItem.size());
    const qsizetype interrogacao = resto.indexOf(QLatin1Char('?'));
    if (!ClienteDaAPI::idDeItemValido(interrogacao < 0 ? resto : resto.left(interrogacao)))
        return false;
    if (interrogacao < 0)
        return true;
    static const QRegularExpression consulta(QStringLiteral("^revisaoEsperada=-?[0-9]+$"));
    return consulta.match(resto.mid(interrogacao + 1)).hasMatch();
}

// The server's refusal: "erro" and "mensagem" when the body is a JSON object holding texts there.
ErroDaAPI erroDoServidor(int status, const QByteArray &corpo)
{
    QString codigo = QStringLiteral("erro-") + QString::number(status);
    QString mensagem;
    try {
        const ValorJSON documento = ValorJSON::ler(corpo);
        if (const ObjetoJSON *objeto = documento.comoObjeto()) {
            if (const ValorJSON *erro = objeto->valor(QStringLiteral("erro")))
                codigo = erro->comoTexto().value_or(codigo);
            if (const ValorJSON *texto = objeto->valor(QStringLiteral("mensagem")))
                mensagem = texto->comoTexto().value_or(mensagem);
        }
    } catch (const ErroDeCripto &) {
        // Not JSON (an HTML page from a proxy, an empty body): the defaults stand.
    }
    return ErroDaAPI::servidor(status, std::move(codigo), std::move(mensagem), corpo);
}

bool ehNaoAutenticado(const ErroDaAPI &erro)
{
    return erro.ehServidor() && erro.status == 401 && erro.codigo == QLatin1String("nao-autenticado");
}

void exigirVida(const std::weak_ptr<int> &vida)
{
    if (vida.expired())
        throw ErroDeCancelamento();
}

} // namespace

bool ClienteDaAPI::idDeItemValido(const QString &id)
{
    if (id.isEmpty())
        return false;
    for (const QChar c : id) {
        const char16_t u = c.unicode();
        const bool permitido =
            (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'-';
        if (!permitido)
            return false;
    }
    return true;
}

std::optional<QByteArray> ClienteDaAPI::codificar(const std::optional<ValorJSON> &corpo)
{
    if (!corpo)
        return std::nullopt;
    return CodificacaoJSON::escreverDocumento(*corpo);
}

std::optional<QUrl> ClienteDaAPI::enderecoDe(const QString &caminho) const
{
    // Only a path from the root is accepted: "//host/..." would name another server.
    if (!caminho.startsWith(QLatin1Char('/')) || caminho.startsWith(QLatin1String("//")))
        return std::nullopt;
    if (!caminhoDeItemAceito(caminho))
        return std::nullopt;
    if (!base_.isValid() || base_.isRelative())
        return std::nullopt;
    const QUrl referencia(caminho, QUrl::StrictMode);
    if (!referencia.isValid())
        return std::nullopt;
    // The base contributes its scheme, host and port; any path of its own is replaced.
    const QUrl endereco = base_.resolved(referencia);
    if (!endereco.isValid())
        return std::nullopt;
    return endereco;
}

QCoro::Task<QByteArray> ClienteDaAPI::enviarBruto(QString metodo, QString caminho, std::optional<QByteArray> corpo,
                                                  std::optional<QString> token,
                                                  std::shared_ptr<Cancelamento> cancelamento)
{
    const std::optional<QUrl> endereco = enderecoDe(caminho);
    if (!endereco)
        throw ErroDaAPI::respostaInesperada();
    if (cancelamento && cancelamento->pedido)
        throw ErroDeCancelamento();

    QNetworkRequest pedido(*endereco);
    pedido.setTransferTimeout(static_cast<int>(std::chrono::milliseconds(limiteSemDados).count()));
    // Cookies are neither kept nor sent: the session is ephemeral.
    pedido.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    pedido.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    pedido.setRawHeader("Accept", "application/json");
    if (token)
        pedido.setRawHeader("Authorization", "Bearer " + token->toUtf8());
    if (corpo)
        pedido.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));

    const QByteArray verbo = metodo.toLatin1();
    QNetworkReply *resposta =
        corpo ? sessaoHttp_->sendCustomRequest(pedido, verbo, *corpo) : sessaoHttp_->sendCustomRequest(pedido, verbo);
    if (cancelamento)
        cancelamento->resposta = resposta;
    QTimer::singleShot(limiteTotal, resposta, [resposta] { resposta->abort(); });

    const std::weak_ptr<int> vida = vida_;
    co_await resposta;
    resposta->deleteLater();
    exigirVida(vida);

    const QNetworkReply::NetworkError erroDeRede = resposta->error();
    const QVariant status = resposta->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    // Network and proxy failures are numbered below 200; above that Qt also flags HTTP statuses,
    // which are answers, not failures of the transport.
    const bool falhaDeTransporte =
        erroDeRede != QNetworkReply::NoError && (erroDeRede < QNetworkReply::ContentAccessDenied || !status.isValid());
    if (falhaDeTransporte) {
        if (erroDeRede == QNetworkReply::OperationCanceledError && cancelamento && cancelamento->pedido)
            throw ErroDeCancelamento();
        throw ErroDaAPI::semConexao();
    }
    if (!status.isValid())
        throw ErroDaAPI::respostaInesperada();

    const QByteArray bytes = resposta->readAll();
    const int codigoHttp = status.toInt();
    if (codigoHttp < 200 || codigoHttp > 299)
        throw erroDoServidor(codigoHttp, bytes);
    co_return bytes;
}

QCoro::Task<QByteArray> ClienteDaAPI::enviarAutorizadoBruto(QString metodo, QString caminho,
                                                            std::optional<QByteArray> corpo)
{
    const std::weak_ptr<int> vida = vida_;
    const QString token = co_await tokenValido();
    exigirVida(vida);
    // The request belongs to the session it was sent for: after a sign-out (and perhaps a new
    // sign-in) while it was on its way, a refusal neither renews, resends under another session,
    // nor ends the new one.
    const quint64 geracao = geracao_;
    const auto exigirMesmaSessao = [this, geracao] {
        if (geracao != geracao_)
            throw ErroDeCancelamento();
    };
    try {
        co_return co_await enviarBruto(metodo, caminho, corpo, token, nullptr);
    } catch (const ErroDaAPI &erro) {
        if (!ehNaoAutenticado(erro))
            throw;
    }
    exigirMesmaSessao();

    const TokensGuardados renovados = co_await renovarSessao();
    exigirVida(vida);
    exigirMesmaSessao();
    try {
        co_return co_await enviarBruto(metodo, caminho, corpo, renovados.tokenDeAcesso, nullptr);
    } catch (const ErroDaAPI &erro) {
        if (!ehNaoAutenticado(erro))
            throw;
    }
    exigirMesmaSessao();
    encerrarSessao();
    throw ErroDaAPI::sessaoEncerrada();
}

// ---- The endpoint table ----

QCoro::Task<RespostaDeSessao> ClienteDaAPI::entrar(CorpoDeEntrada corpo)
{
    co_return co_await enviar<RespostaDeSessao>(QStringLiteral("POST"), QStringLiteral("/v1/sessao"), corpo.paraJSON());
}

QCoro::Task<Vazio> ClienteDaAPI::sair()
{
    co_return co_await enviarAutorizado<Vazio>(QStringLiteral("DELETE"), QStringLiteral("/v1/sessao"));
}

QCoro::Task<RespostaDePreEntrada> ClienteDaAPI::preEntrada(QString email)
{
    co_return co_await enviar<RespostaDePreEntrada>(QStringLiteral("POST"), QStringLiteral("/v1/conta/pre-entrada"),
                                                    Escritor().texto(QStringLiteral("email"), email).valorPronto());
}

QCoro::Task<RespostaDoCodigoDeEmail> ClienteDaAPI::pedirCodigoDeEmail(QString email)
{
    co_return co_await enviar<RespostaDoCodigoDeEmail>(QStringLiteral("POST"),
                                                       QStringLiteral("/v1/conta/codigo-de-email"),
                                                       Escritor().texto(QStringLiteral("email"), email).valorPronto());
}

QCoro::Task<RespostaDaConferenciaDoEmail> ClienteDaAPI::conferirCodigoDeEmail(QString email, QString codigo)
{
    const ValorJSON corpo =
        Escritor().texto(QStringLiteral("email"), email).texto(QStringLiteral("codigo"), codigo).valorPronto();
    co_return co_await enviar<RespostaDaConferenciaDoEmail>(
        QStringLiteral("POST"), QStringLiteral("/v1/conta/codigo-de-email/conferir"), corpo);
}

QCoro::Task<RespostaDeSessao> ClienteDaAPI::cadastrar(CorpoDeCadastro corpo)
{
    co_return co_await enviar<RespostaDeSessao>(QStringLiteral("POST"), QStringLiteral("/v1/conta"), corpo.paraJSON());
}

QCoro::Task<RespostaSocial> ClienteDaAPI::entrarSocial(CorpoSocial corpo)
{
    co_return co_await enviar<RespostaSocial>(QStringLiteral("POST"), QStringLiteral("/v1/conta/social"),
                                              corpo.paraJSON());
}

QCoro::Task<std::optional<Conta>> ClienteDaAPI::lerConta()
{
    co_return co_await enviarAutorizado<std::optional<Conta>>(QStringLiteral("GET"), QStringLiteral("/v1/conta"));
}

QCoro::Task<RespostaDoCofre> ClienteDaAPI::lerCofre(std::optional<qint64> desde)
{
    QString caminho = QStringLiteral("/v1/cofre");
    if (desde)
        caminho += QStringLiteral("?desde=") + QString::number(*desde);
    co_return co_await enviarAutorizado<RespostaDoCofre>(QStringLiteral("GET"), caminho);
}

QCoro::Task<ItemCifrado> ClienteDaAPI::guardarItem(QString id, CorpoDoItem corpo)
{
    if (!idDeItemValido(id))
        throw ErroDaAPI::respostaInesperada();
    co_return co_await enviarAutorizado<ItemCifrado>(QStringLiteral("PUT"), prefixoDeItem + id, corpo.paraJSON());
}

QCoro::Task<ItemCifrado> ClienteDaAPI::apagarItem(QString id, qint64 revisaoEsperada)
{
    if (!idDeItemValido(id))
        throw ErroDaAPI::respostaInesperada();
    co_return co_await enviarAutorizado<ItemCifrado>(QStringLiteral("DELETE"), prefixoDeItem + id +
                                                                                   QStringLiteral("?revisaoEsperada=") +
                                                                                   QString::number(revisaoEsperada));
}

QCoro::Task<RespostaDoCofre> ClienteDaAPI::enviarLote(CorpoDoLote corpo)
{
    co_return co_await enviarAutorizado<RespostaDoCofre>(QStringLiteral("POST"), QStringLiteral("/v1/cofre/lote"),
                                                         corpo.paraJSON());
}
