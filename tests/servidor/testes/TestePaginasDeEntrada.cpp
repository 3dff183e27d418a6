// The site's browser sign-in pages: the provider page sends the browser back with an identity
// token the social step accepts; the passkey page sends back an envelope that only the
// application's key opens, holding a working session and the account's vault key.
#include "Comum.h"

#include "plataforma/Primitivas.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>
#include <QUrlQuery>

namespace {

struct Pagina {
    int status = 0;
    QByteArray corpo;
    QUrl local;
};

QByteArray deBase64url(const QString &texto)
{
    return QByteArray::fromBase64(texto.toLatin1(), QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
}

QString emBase64url(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

class PaginasDeEntrada : public ServidorEmTeste {
protected:
    // A GET as a browser sends it, without following the redirect to the application.
    Pagina obter(const QString &caminho, const std::optional<QUrlQuery> &formulario = std::nullopt)
    {
        QNetworkAccessManager rede;
        QNetworkRequest pedido(servidor.endereco().resolved(QUrl(caminho)));
        pedido.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
        pedido.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/x-www-form-urlencoded"));
        QNetworkReply *resposta = formulario ? rede.post(pedido, formulario->query(QUrl::FullyEncoded).toUtf8())
                                             : rede.get(pedido);
        QEventLoop laco;
        QObject::connect(resposta, &QNetworkReply::finished, &laco, &QEventLoop::quit);
        QTimer::singleShot(10000, &laco, &QEventLoop::quit);
        laco.exec();
        Pagina pagina{resposta->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), resposta->readAll(),
                      QUrl::fromEncoded(resposta->rawHeader("Location"))};
        delete resposta;
        return pagina;
    }
};

TEST_F(PaginasDeEntrada, PaginaDoProvedorDevolveUmTokenQueOPassoSocialAceita)
{
    for (const char *provedor : {"apple", "google"}) {
        SCOPED_TRACE(provedor);
        const QString nome = QString::fromLatin1(provedor);
        const Pagina pagina = obter(QStringLiteral("/entrar/social/%1?app=mac&chave=abc").arg(nome));
        ASSERT_EQ(pagina.status, 200);
        EXPECT_TRUE(pagina.corpo.contains("action=\"/entrar/social/" + nome.toLatin1() + "/continuar\""));
        EXPECT_TRUE(pagina.corpo.contains("corvane://social?erro=cancelado"));

        const Pagina volta = obter(QStringLiteral("/entrar/social/%1/continuar?email=Nova%40Exemplo.com&nome=Ana%20S%26A").arg(nome));
        ASSERT_EQ(volta.status, 303);
        EXPECT_EQ(volta.local.scheme(), QStringLiteral("corvane"));
        EXPECT_EQ(volta.local.host(), QStringLiteral("social"));
        const QUrlQuery consulta(volta.local);
        EXPECT_EQ(consulta.queryItemValue(QStringLiteral("provedor")), nome);
        EXPECT_EQ(consulta.queryItemValue(QStringLiteral("nome"), QUrl::FullyDecoded), QStringLiteral("Ana S&A"));
        const QString token = consulta.queryItemValue(QStringLiteral("token"));
        const QString nonce = consulta.queryItemValue(QStringLiteral("nonce"));

        const QJsonObject semNonce{{QStringLiteral("provedor"), nome}, {QStringLiteral("tokenDeIdentidade"), token}};
        EXPECT_EQ(pedir("POST", QStringLiteral("/v1/conta/social"), semNonce).status, 401);
        QJsonObject certo = semNonce;
        certo.insert(QStringLiteral("nonce"), nonce);
        const RespostaHttp social = pedir("POST", QStringLiteral("/v1/conta/social"), certo);
        ASSERT_EQ(social.status, 200) << social.corpo.toStdString();
        EXPECT_EQ(social.json().value(QStringLiteral("situacao")).toString(), QStringLiteral("nova"));
        EXPECT_EQ(social.json().value(QStringLiteral("email")).toString(), QStringLiteral("nova@exemplo.com"));
    }
    EXPECT_EQ(obter(QStringLiteral("/entrar/social/google/continuar?email=sem-arroba")).status, 400);
    EXPECT_EQ(obter(QStringLiteral("/entrar/social/github?app=mac")).status, 404);
}

TEST_F(PaginasDeEntrada, PasskeyDevolveUmEnvelopeQueSoAChaveDoAppAbre)
{
    estado().criarConta(Testes::novaConta(QStringLiteral("ana@exemplo.com")));
    estado().criarConta(Testes::novaConta(QStringLiteral("bia@exemplo.com")));
    const QByteArray chaveDoCofre(32, '\x07');
    estado().registrarPasskey(QStringLiteral("ana@exemplo.com"), chaveDoCofre);
    const Primitivas::ParP256 doApp;
    const QString chave = emBase64url(doApp.chavePublica());

    EXPECT_EQ(obter(QStringLiteral("/entrar/mac")).status, 400) << "opened without the application's key";
    const Pagina pagina = obter(QStringLiteral("/entrar/mac?chave=") + chave);
    ASSERT_EQ(pagina.status, 200);
    EXPECT_TRUE(pagina.corpo.contains("ana@exemplo.com"));
    EXPECT_FALSE(pagina.corpo.contains("bia@exemplo.com")) << "no passkey";
    EXPECT_EQ(obter(QStringLiteral("/entrar/mac/continuar?chave=%1&email=bia%40exemplo.com").arg(chave)).status, 400);
    EXPECT_EQ(obter(QStringLiteral("/entrar/mac/continuar?chave=AAAA&email=ana%40exemplo.com")).status, 400);

    const Pagina volta = obter(QStringLiteral("/entrar/mac/continuar?chave=%1&email=ana%40exemplo.com").arg(chave));
    ASSERT_EQ(volta.status, 303);
    EXPECT_EQ(volta.local.host(), QStringLiteral("passkey"));
    const QStringList pedacos =
        QUrlQuery(volta.local).queryItemValue(QStringLiteral("envelope"), QUrl::FullyDecoded).split(QLatin1Char('.'));
    ASSERT_EQ(pedacos.size(), 3);
    const QByteArray publicaDoSite = deBase64url(pedacos[0]);
    const QByteArray nonce = deBase64url(pedacos[1]);
    EXPECT_EQ(publicaDoSite.size(), 65);
    EXPECT_EQ(nonce.size(), 12);

    const QByteArray rotulo("corvane/v1/envelope-do-app");
    const std::optional<QByteArray> segredo = doApp.acordo(publicaDoSite);
    ASSERT_TRUE(segredo);
    QByteArray conteudo = deBase64url(pedacos[2]);
    ASSERT_TRUE(Primitivas::abrirAesGcmNoLugar(conteudo, Primitivas::hkdfSha256(*segredo, {}, rotulo, 32), nonce, rotulo));
    const QJsonObject aberto = QJsonDocument::fromJson(conteudo).object();
    EXPECT_EQ(deBase64url(aberto.value(QStringLiteral("chaveDoCofre")).toString()), chaveDoCofre);
    const QJsonObject sessao = aberto.value(QStringLiteral("sessao")).toObject();
    EXPECT_FALSE(sessao.value(QStringLiteral("tokenDeRenovacao")).toString().isEmpty());
    EXPECT_EQ(pedir("GET", QStringLiteral("/v1/conta"), std::nullopt, tokenDe(sessao)).status, 200);

    // Sealed for another key, it does not open.
    const Primitivas::ParP256 outro;
    const std::optional<QByteArray> errado = outro.acordo(publicaDoSite);
    QByteArray outraVez = deBase64url(pedacos[2]);
    EXPECT_FALSE(Primitivas::abrirAesGcmNoLugar(outraVez, Primitivas::hkdfSha256(*errado, {}, rotulo, 32), nonce, rotulo));
}

// For local trial: the page makes a passkey from the account password, as the site would keep
// the vault key behind one.
TEST_F(PaginasDeEntrada, PasskeyCriadaComASenhaDaConta)
{
    const Testes::ContaComChaves conta =
        Testes::novaContaComChaves(QStringLiteral("ana@exemplo.com"), QStringLiteral("senha certa"));
    estado().criarConta(conta.dados);
    const Primitivas::ParP256 doApp;
    const QString chave = emBase64url(doApp.chavePublica());
    const auto formulario = [&](const char *senha) {
        QUrlQuery campos;
        campos.addQueryItem(QStringLiteral("chave"), chave);
        campos.addQueryItem(QStringLiteral("email"), QStringLiteral("Ana%40Exemplo.com"));
        campos.addQueryItem(QStringLiteral("senha"), QString::fromUtf8(QUrl::toPercentEncoding(QString::fromUtf8(senha))));
        return campos;
    };
    EXPECT_TRUE(obter(QStringLiteral("/entrar/mac?chave=") + chave).corpo.contains("action=\"/entrar/mac/criar\""));

    EXPECT_EQ(obter(QStringLiteral("/entrar/mac/criar"), formulario("senha errada")).status, 400);
    EXPECT_FALSE(estado().chaveDaPasskey(QStringLiteral("ana@exemplo.com")));

    const Pagina criada = obter(QStringLiteral("/entrar/mac/criar"), formulario("senha certa"));
    ASSERT_EQ(criada.status, 303) << criada.corpo.toStdString();
    EXPECT_EQ(estado().chaveDaPasskey(QStringLiteral("ana@exemplo.com")), conta.chave);
    const Pagina volta = obter(criada.local.toString());
    ASSERT_EQ(volta.status, 303);
    EXPECT_EQ(volta.local.host(), QStringLiteral("passkey"));
}

} // namespace
