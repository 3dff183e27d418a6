// The re-sign-in sheet over the vault window, against the development server: the password
// step, the authenticator step, a passkey-only account and the browser wait.
#include "SincroniaNaTela.h"

#include "state/EntradaPeloSafari.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QStyleHints>
#include <QTest>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>

class EntrarDeNovoNaTela : public SincroniaNaTela {
protected:
    void SetUp() override
    {
        SincroniaNaTela::SetUp();
        EntradaPeloSafari::compartilhada().definirAbridor([this](const QUrl &url) { abertos.append(url); });
    }

    // The vault window with an ended session and the sheet up.
    void abrirFolhaComSessaoEncerrada()
    {
        abrirComSincronia();
        esperarOciosoELimpar();
        estado->aoIrParaSegundoPlano(); // the loop stays out of the way
        estado->sessaoFoiEncerrada();
        pedirFolha();
        ASSERT_TRUE(visivel(QStringLiteral("cartaoDeEntrarDeNovo")));
    }
    QObject *modelo() { return acharObjeto(QStringLiteral("modeloDeEntrarDeNovo")); }
    bool entrarHabilitado() { return item(QStringLiteral("botaoEntrar"))->isEnabled(); }
    void entrar()
    {
        clicar(item(QStringLiteral("botaoEntrar")));
        EXPECT_TRUE(esperarAte([this] { return !folhaAberta() || !modelo()->property("enviando").toBool(); }));
        QCoreApplication::processEvents();
        avancar(400);
    }
    QString erro() { return modelo()->property("erro").toString(); }
    // What the development site answers when the person confirms the passkey of `email` for
    // the page last opened: the callback address it redirects to.
    QUrl confirmarPasskey()
    {
        QUrl continuar = servidor.endereco().resolved(QUrl(QStringLiteral("/entrar/mac/continuar")));
        QUrlQuery consulta;
        consulta.addQueryItem(QStringLiteral("chave"), QUrlQuery(abertos.last()).queryItemValue(QStringLiteral("chave")));
        consulta.addQueryItem(QStringLiteral("email"), email);
        continuar.setQuery(consulta);
        QNetworkAccessManager rede;
        QNetworkRequest pedido(continuar);
        pedido.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
        std::unique_ptr<QNetworkReply> resposta(rede.get(pedido));
        QEventLoop laco;
        QObject::connect(resposta.get(), &QNetworkReply::finished, &laco, &QEventLoop::quit);
        QTimer::singleShot(10000, &laco, &QEventLoop::quit);
        laco.exec();
        EXPECT_EQ(resposta->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 303);
        return QUrl::fromEncoded(resposta->rawHeader("Location"));
    }

    QList<QUrl> abertos;
};

TEST_F(EntrarDeNovoNaTela, SenhaErradaRecomecaESenhaCertaSincronizaEFecha)
{
    abrirFolhaComSessaoEncerrada();
    EXPECT_EQ(texto(QStringLiteral("tituloDaFolha")), QStringLiteral("Entre de novo"));
    EXPECT_EQ(texto(QStringLiteral("emailDaFolha")), email);
    EXPECT_EQ(texto(QStringLiteral("explicacaoDaFolha")),
              QStringLiteral("Digite a senha do Corvane ou use a passkey para o computador abrir e sincronizar tudo o "
                             "que está na sua conta."));
    EXPECT_TRUE(visivel(QStringLiteral("campoDaSenha")));
    EXPECT_TRUE(visivel(QStringLiteral("divisorOu")));
    EXPECT_TRUE(visivel(QStringLiteral("botaoUsarPasskey")));
    EXPECT_FALSE(entrarHabilitado()) << "Return with an empty password does nothing";
    capturar(QStringLiteral("entrar-de-novo-senha"));

    preencher(QStringLiteral("campoDaSenha"), QStringLiteral("senha errada"));
    EXPECT_TRUE(entrarHabilitado());
    entrar();
    EXPECT_TRUE(folhaAberta());
    EXPECT_FALSE(erro().isEmpty());
    EXPECT_TRUE(visivel(QStringLiteral("erroDaFolha")));
    EXPECT_EQ(textoDoCampo(QStringLiteral("campoDaSenha")), QString());
    EXPECT_FALSE(modelo()->property("pedeCodigo").toBool());
    // The button that was clicked does not keep the keyboard: the emptied field has it, with
    // its caret, and what the user types next lands there.
    auto *entrada = item(QStringLiteral("campoDaSenha"))->findChild<QQuickItem *>(QStringLiteral("entrada"));
    ASSERT_NE(entrada, nullptr);
    EXPECT_TRUE(entrada->hasActiveFocus());
    const int piscar = QGuiApplication::styleHints()->cursorFlashTime();
    QGuiApplication::styleHints()->setCursorFlashTime(0); // a caret that does not blink, for the picture
    avancar(50);
    capturar(QStringLiteral("entrar-de-novo-senha-errada"));
    QGuiApplication::styleHints()->setCursorFlashTime(piscar);
    digitar(QStringLiteral("abc"));
    EXPECT_EQ(textoDoCampo(QStringLiteral("campoDaSenha")), QStringLiteral("abc"));

    preencher(QStringLiteral("campoDaSenha"), senhaDaConta);
    entrar();
    EXPECT_FALSE(folhaAberta());
    EXPECT_FALSE(estado->precisaEntrarDeNovo());
    EXPECT_EQ(avisoAtual(), QStringLiteral("Sincronizado"));
    EXPECT_EQ(estado->avisos()->atual()->simbolo, QStringLiteral("checkmark.icloud.fill"));
}

TEST_F(EntrarDeNovoNaTela, SemSincroniaDepoisDeEntrarOAvisoEhNeutro)
{
    abrirFolhaComSessaoEncerrada();
    servidor.falharProximas(-1, Servidor::Falha::erro(500, QStringLiteral("erro-interno")), QStringLiteral("GET"),
                            QStringLiteral("/v1/cofre"));
    preencher(QStringLiteral("campoDaSenha"), senhaDaConta);
    entrar();
    EXPECT_FALSE(folhaAberta());
    EXPECT_FALSE(estado->precisaEntrarDeNovo());
    EXPECT_EQ(avisoAtual(), QStringLiteral("Você entrou de novo."));
    EXPECT_TRUE(cofre().falhouAoSincronizar());
    EXPECT_TRUE(visivel(QStringLiteral("linhaDaFalha"))) << "the status line reports the failure";
}

TEST_F(EntrarDeNovoNaTela, EtapaDoCodigoPedeSeisDigitosERecusaOCodigoErradoSemPedirASenha)
{
    servidor.estado().ligarAutenticador(email);
    abrirFolhaComSessaoEncerrada();
    preencher(QStringLiteral("campoDaSenha"), senhaDaConta);
    entrar();
    ASSERT_TRUE(modelo()->property("pedeCodigo").toBool());
    EXPECT_EQ(texto(QStringLiteral("tituloDaFolha")), QStringLiteral("Código do autenticador"));
    EXPECT_EQ(texto(QStringLiteral("explicacaoDaFolha")), QStringLiteral("Digite os seis números do seu app autenticador."));
    EXPECT_TRUE(visivel(QStringLiteral("campoDoCodigo")));
    EXPECT_FALSE(visivel(QStringLiteral("campoDaSenha")));
    EXPECT_FALSE(visivel(QStringLiteral("blocoDaPasskey")));
    EXPECT_EQ(textoDoCampo(QStringLiteral("campoDoCodigo")), QString());
    EXPECT_EQ(erro(), QString());
    capturar(QStringLiteral("entrar-de-novo-codigo"));

    const std::pair<const char *, bool> digitados[] = {
        {"12345", false}, {"1234567", false}, {"12 34 5", false}, {"12 34 56", true}, {"123-456", true},
    };
    for (const auto &[digitado, pronto] : digitados) {
        preencher(QStringLiteral("campoDoCodigo"), QString::fromLatin1(digitado));
        EXPECT_EQ(entrarHabilitado(), pronto) << digitado;
    }

    const QString certo = servidor.estado().codigoDoAutenticador(email);
    const QString errado = certo == QStringLiteral("000000") ? QStringLiteral("111111") : QStringLiteral("000000");
    servidor.limparPedidos();
    preencher(QStringLiteral("campoDoCodigo"), errado);
    entrar();
    EXPECT_TRUE(folhaAberta());
    EXPECT_TRUE(modelo()->property("pedeCodigo").toBool()) << "still on the code step";
    EXPECT_FALSE(erro().isEmpty()) << "the server's message is shown";
    EXPECT_EQ(textoDoCampo(QStringLiteral("campoDoCodigo")), QString());
    EXPECT_TRUE(servidor.pedidos(QStringLiteral("POST"), QStringLiteral("/v1/conta/pre-entrada")).isEmpty())
        << "the password is not stretched again";
    capturar(QStringLiteral("entrar-de-novo-codigo-errado"));

    // Typed with a space between the halves: only the digits are sent.
    preencher(QStringLiteral("campoDoCodigo"), certo.left(3) + QLatin1Char(' ') + certo.mid(3));
    entrar();
    EXPECT_FALSE(folhaAberta());
    EXPECT_FALSE(estado->precisaEntrarDeNovo());
    const auto sessoes = servidor.pedidos(QStringLiteral("POST"), QStringLiteral("/v1/sessao"));
    ASSERT_FALSE(sessoes.isEmpty());
    EXPECT_TRUE(sessoes.last().corpo.contains(("\"" + certo + "\"").toUtf8()));
}

TEST_F(EntrarDeNovoNaTela, ContaSoComPasskeyNaoTemSenhaNemEntrar)
{
    abrirComSincronia();
    esperarOciosoELimpar();
    estado->aoIrParaSegundoPlano();
    somentePasskey();
    estado->sessaoFoiEncerrada();
    pedirFolha();
    EXPECT_EQ(texto(QStringLiteral("explicacaoDaFolha")),
              QStringLiteral("Confirme com a sua passkey no navegador para o computador abrir e sincronizar tudo o que "
                             "está na sua conta."));
    EXPECT_FALSE(visivel(QStringLiteral("campoDaSenha")));
    EXPECT_FALSE(visivel(QStringLiteral("divisorOu")));
    EXPECT_FALSE(visivel(QStringLiteral("botaoEntrar")));
    EXPECT_TRUE(visivel(QStringLiteral("botaoUsarPasskey")));
    capturar(QStringLiteral("entrar-de-novo-so-passkey"));
}

TEST_F(EntrarDeNovoNaTela, EsperaNoNavegadorReabreECancelaSemErro)
{
    abrirFolhaComSessaoEncerrada();
    clicar(item(QStringLiteral("botaoUsarPasskey")));
    avancar(300);
    ASSERT_EQ(abertos.size(), 1);
    EXPECT_EQ(abertos.first().path(), QStringLiteral("/entrar/mac"));
    EXPECT_TRUE(visivel(QStringLiteral("esperaDaPasskey")));
    EXPECT_FALSE(visivel(QStringLiteral("botaoUsarPasskey")));
    EXPECT_EQ(texto(QStringLiteral("textoDaEspera")), QStringLiteral("Confirme com a sua passkey no navegador"));
    capturar(QStringLiteral("entrar-de-novo-no-navegador"));

    clicar(item(QStringLiteral("botaoAbrirDeNovo")));
    ASSERT_EQ(abertos.size(), 2);
    EXPECT_EQ(abertos.at(1), abertos.at(0));

    struct Caso {
        const char *retorno;
        QString erro;
    };
    const Caso casos[] = {
        {"corvane://passkey?erro=cancelado", QString()},
        {"corvane://passkey?envelope=nada", QStringLiteral("Não foi possível usar a passkey. Tente de novo.")},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.retorno);
        if (!modelo()->property("noSafari").toBool())
            clicar(item(QStringLiteral("botaoUsarPasskey")));
        EXPECT_TRUE(EntradaPeloSafari::compartilhada().receber(QUrl(QString::fromLatin1(caso.retorno))));
        EXPECT_TRUE(esperarAte([this] { return !modelo()->property("noSafari").toBool(); }));
        EXPECT_EQ(erro(), caso.erro);
        EXPECT_TRUE(folhaAberta());
    }
    capturar(QStringLiteral("entrar-de-novo-passkey-falhou"));

    // "Agora não" while waiting: the wait ends quietly and the sheet closes.
    clicar(item(QStringLiteral("botaoUsarPasskey")));
    ASSERT_TRUE(modelo()->property("noSafari").toBool());
    clicar(item(QStringLiteral("botaoAgoraNao")));
    QCoreApplication::processEvents();
    EXPECT_FALSE(folhaAberta());
    EXPECT_FALSE(EntradaPeloSafari::compartilhada().aguardando().has_value());
    EXPECT_TRUE(estado->precisaEntrarDeNovo());
}

TEST_F(EntrarDeNovoNaTela, PasskeyConfirmadaNoNavegadorSincronizaEFecha)
{
    servidor.estado().registrarPasskey(email, chave);
    abrirFolhaComSessaoEncerrada();
    clicar(item(QStringLiteral("botaoUsarPasskey")));
    ASSERT_EQ(abertos.size(), 1);
    EXPECT_TRUE(EntradaPeloSafari::compartilhada().receber(confirmarPasskey()));
    EXPECT_TRUE(esperarAte([this] { return !folhaAberta(); }));
    EXPECT_FALSE(estado->precisaEntrarDeNovo());
    EXPECT_EQ(avisoAtual(), QStringLiteral("Sincronizado"));
}
