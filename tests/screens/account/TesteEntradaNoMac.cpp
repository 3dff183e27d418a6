// The signed-out window over the development server: its two layouts, the opening, sign-in
// with a password and with the authenticator step, Apple/Google sign-in of a new and of an
// existing account, the passkey path, and the browser wait's reopen and cancel. Every screen is
// reached through the window's navigation only.
#include "EntradaNaTela.h"

#include "kit/MovimentoReduzido.h"
#include "screens/comum/TiposNaTela.h"
#include "servidor/Totp.h"
#include "state/EntradaPeloSafari.h"

#include <QJSValue>
#include <QQuickItem>
#include <QWindow>
#include <QTest>

#include <functional>
#include <QUrlQuery>

namespace {

const QString email = QStringLiteral("ana@exemplo.com");
const QString senha = QStringLiteral("cavalo correto bateria grampo");

class Entrada : public EntradaNaTela {
protected:
    QObject *modelo(const char *tela)
    {
        QObject *objeto = acharObjeto(QString::fromLatin1(tela));
        return objeto ? objeto->property("modelo").value<QObject *>() : nullptr;
    }
    bool visivel(const QString &nome)
    {
        auto *item = achar<QQuickItem>(nome);
        return item && item->isVisible() && item->opacity() > 0.99;
    }
    void tecla(Qt::Key tecla)
    {
        QTest::keyClick(janela(), tecla);
        QCoreApplication::processEvents();
    }
    // Whether the input of the CampoNoMac `nome` has the keyboard.
    bool entradaFocada(const QString &nome)
    {
        auto *campo = achar<QQuickItem>(nome);
        auto *entrada = campo ? campo->findChild<QQuickItem *>(QStringLiteral("entrada")) : nullptr;
        return entrada && entrada->hasActiveFocus();
    }
};

TEST_F(Entrada, LeiauteEstreitoELargoPelaRegraDos900Pontos)
{
    ASSERT_TRUE(mostrarEntrada(QSize(899, 680)));
    auto *painel = achar<QQuickItem>(QStringLiteral("painelDaConta"));
    auto *area = achar<QQuickItem>(QStringLiteral("areaDaTela"));
    EXPECT_DOUBLE_EQ(painel->width(), 899);
    EXPECT_FALSE(achar<QQuickItem>(QStringLiteral("colunaDaVitrine"))->isVisible());
    EXPECT_DOUBLE_EQ(area->width(), 360);
    EXPECT_NEAR(area->mapToScene(QPointF()).x(), (899 - 360) / 2.0, 0.5);
    EXPECT_EQ(chave(), QStringLiteral("entrar"));
    EXPECT_TRUE(visivel(QStringLiteral("formularioDeEntradaNoMac")));
    capturar(QStringLiteral("entrada-estreita"));

    janela()->resize(900, 680);
    avancar(1000);
    EXPECT_DOUBLE_EQ(painel->width(), 460);
    EXPECT_DOUBLE_EQ(area->width(), 360);
    EXPECT_NEAR(area->mapToScene(QPointF()).x(), 50, 0.5);
    auto *vitrine = achar<QQuickItem>(QStringLiteral("vitrine"));
    ASSERT_TRUE(vitrine->isVisible());
    EXPECT_NEAR(vitrine->mapToScene(QPointF()).x(), 460 + 16, 0.5);
    EXPECT_DOUBLE_EQ(vitrine->width(), 900 - 460 - 32);
    EXPECT_DOUBLE_EQ(vitrine->height(), 680 - 32);
    janela()->resize(1040, 680);
    avancar(1000);
    capturar(QStringLiteral("entrada-larga"));
}

// The real window's showcase: it stops while another window has the focus (the browser of a social
// sign-in) and goes on from where it was; only a column inserted afresh (the window widened again
// past 900 points) starts from the first card and phrase.
TEST_F(Entrada, VitrineParaQuandoNaoEhVistaEContinuaDeOndeParou)
{
    ASSERT_TRUE(mostrarEntrada(QSize(1040, 680), true));
    avancar(200);
    clicar(QStringLiteral("pularAbertura"));
    assentar(1000);
    QObject *presenca = acharObjeto(QStringLiteral("presencaDaVitrine"));
    ASSERT_TRUE(presenca);
    const auto vitrine = [this] {
        return achar<QQuickItem>(QStringLiteral("vitrine"))->property("item").value<QQuickItem *>();
    };
    const auto ordem = [&] {
        QVariant valor = vitrine()->property("ordem");
        if (valor.metaType() == QMetaType::fromType<QJSValue>())
            valor = valor.value<QJSValue>().toVariant();
        QList<int> lista;
        for (const QVariant &k : valor.toList())
            lista << k.toInt();
        return lista;
    };
    const auto contando = [&] {
        bool algum = false;
        for (const char *nome : {"lacoDaPilha", "lacoDaFrase", "lacoDaCifra"})
            algum = algum || vitrine()->findChild<QObject *>(QString::fromLatin1(nome))->property("contando").toBool();
        return algum;
    };
    ASSERT_TRUE(vitrine());
    EXPECT_TRUE(presenca->property("ativa").toBool());
    EXPECT_TRUE(contando());
    avancar(4600); // 5.6 s in: one turn of the stack, one phrase
    ASSERT_EQ(ordem(), (QList<int>{2, 0, 1}));
    ASSERT_EQ(vitrine()->property("frase").toInt(), 1);

    // The browser comes to the front.
    QWindow navegador;
    navegador.resize(300, 300);
    navegador.show();
    navegador.requestActivate();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&navegador));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !presenca->property("ativa").toBool(); }, 5000));
    EXPECT_FALSE(vitrine()->property("ativa").toBool());
    EXPECT_FALSE(contando());
    avancar(10000);
    EXPECT_EQ(ordem(), (QList<int>{2, 0, 1}));
    EXPECT_EQ(vitrine()->property("frase").toInt(), 1);

    // Ours again: the same cards, and the stack's sleep goes on (1 s of it had passed).
    navegador.hide();
    janela()->requestActivate();
    ASSERT_TRUE(QTest::qWaitForWindowActive(janela()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return presenca->property("ativa").toBool(); }, 5000));
    EXPECT_EQ(ordem(), (QList<int>{2, 0, 1})) << "resumed, not back to GitHub";
    EXPECT_EQ(vitrine()->property("frase").toInt(), 1);
    avancar(3500);
    EXPECT_EQ(ordem(), (QList<int>{2, 0, 1}));
    avancar(200);
    EXPECT_EQ(ordem(), (QList<int>{1, 2, 0}));

    // Narrowed and widened again: a new column, from the start.
    janela()->resize(899, 680);
    ASSERT_TRUE(QTest::qWaitFor([this] { return qobject_cast<QQuickItem *>(raiz())->width() == 899; }, 10000));
    avancar(1000);
    EXPECT_FALSE(presenca->property("ativa").toBool());
    janela()->resize(1040, 680);
    ASSERT_TRUE(QTest::qWaitFor([this] { return qobject_cast<QQuickItem *>(raiz())->width() == 1040; }, 10000));
    avancar(1000);
    ASSERT_TRUE(vitrine());
    EXPECT_TRUE(presenca->property("ativa").toBool());
    EXPECT_EQ(ordem(), (QList<int>{0, 1, 2}));
    EXPECT_EQ(vitrine()->property("frase").toInt(), 0);
}

TEST_F(Entrada, AberturaEmVariosTemposEDepoisOPainel)
{
    ASSERT_TRUE(mostrarEntrada(QSize(1040, 680), true));
    QObject *abertura = acharObjeto(QStringLiteral("aberturaNoMac"));
    ASSERT_TRUE(abertura);
    const struct {
        int ate;
        int etapa;
        const char *captura;
    } tempos[] = {{120, 1, "abertura-0120ms"}, {700, 2, "abertura-0700ms"}, {1100, 3, "abertura-1100ms"},
                  {2600, 3, "abertura-2600ms"}};
    int agora = 0;
    for (const auto &tempo : tempos) {
        SCOPED_TRACE(tempo.captura);
        avancar(tempo.ate - agora);
        agora = tempo.ate;
        EXPECT_EQ(abertura->property("etapa").toInt(), tempo.etapa);
        EXPECT_FALSE(visivel(QStringLiteral("leiauteDaEntrada")));
        capturar(QString::fromLatin1(tempo.captura));
    }
    EXPECT_DOUBLE_EQ(achar<QQuickItem>(QStringLiteral("pontoDaAbertura2"))->width(), 22);
    avancar(300); // 2.9 s: handed over
    EXPECT_TRUE(achar<QQuickItem>(QStringLiteral("leiauteDaEntrada"))->isVisible());
    assentar(1500);
    EXPECT_FALSE(existe(QStringLiteral("aberturaNoMac")));
    EXPECT_TRUE(visivel(QStringLiteral("painelDaConta")));
}

TEST_F(Entrada, CliqueNaAberturaPulaEMovimentoReduzidoNemAMostra)
{
    ASSERT_TRUE(mostrarEntrada(QSize(1040, 680), true));
    avancar(200);
    clicar(QStringLiteral("pularAbertura"));
    EXPECT_TRUE(achar<QQuickItem>(QStringLiteral("leiauteDaEntrada"))->isVisible());
    assentar(1500);
    EXPECT_FALSE(existe(QStringLiteral("aberturaNoMac")));
    EXPECT_TRUE(visivel(QStringLiteral("formularioDeEntradaNoMac")));

    ASSERT_TRUE(mostrarEntrada(QSize(1040, 680), false));
    EXPECT_FALSE(existe(QStringLiteral("aberturaNoMac")));
    EXPECT_TRUE(achar<QQuickItem>(QStringLiteral("leiauteDaEntrada"))->isVisible());
}

TEST_F(Entrada, CliqueLogoDepoisDePularAAberturaChegaAoFormulario)
{
    ASSERT_TRUE(mostrarEntrada(QSize(1040, 680), true));
    avancar(200);
    clicar(QStringLiteral("pularAbertura"));
    // 100 ms later the opening is still fading out over the form, and takes no click.
    avancar(100);
    EXPECT_TRUE(existe(QStringLiteral("aberturaNoMac")));
    auto *campo = achar<QQuickItem>(QStringLiteral("campoDoEmail"));
    ASSERT_TRUE(campo);
    QTest::mouseClick(janela(), Qt::LeftButton, {}, centro(campo));
    auto *entrada = campo->findChild<QQuickItem *>(QStringLiteral("entrada"));
    ASSERT_TRUE(entrada);
    EXPECT_TRUE(entrada->hasActiveFocus());
    digitar(QStringLiteral("ana"));
    EXPECT_EQ(entrada->property("text").toString(), QStringLiteral("ana"));
}

TEST_F(Entrada, MovimentoReduzidoNuncaCriaAAbertura)
{
    MovimentoReduzido::instancia().definir(true);
    // Shown without a single frame in between: the opening was never built, and the layout is
    // there at once, not fading in.
    ASSERT_TRUE(mostrar(importacoesDaConta + QStringLiteral("EntradaNoMac { anchors.fill: parent; estado: estadoDeTeste }"),
                        QSize(1040, 680)));
    auto *carregador = achar<QQuickItem>(QStringLiteral("carregadorDaAbertura"));
    auto *leiaute = achar<QQuickItem>(QStringLiteral("leiauteDaEntrada"));
    ASSERT_TRUE(carregador && leiaute);
    EXPECT_EQ(carregador->property("item").value<QObject *>(), nullptr);
    EXPECT_FALSE(existe(QStringLiteral("aberturaNoMac")));
    EXPECT_TRUE(leiaute->isVisible());
    EXPECT_DOUBLE_EQ(leiaute->opacity(), 1);
    EXPECT_DOUBLE_EQ(carregador->opacity(), 0);
    // Nothing of the form is still to fade in at that first frame: every item shown in the
    // panel is fully opaque, so what is seen is what takes clicks, and nothing flashes in later.
    auto *painel = achar<QQuickItem>(QStringLiteral("painelDaConta"));
    ASSERT_TRUE(painel);
    const std::function<void(QQuickItem *, QStringList &)> transparentes = [&](QQuickItem *item, QStringList &achados) {
        // (The scroll bar's handle shows only while the area scrolls.)
        if (!item->isVisible() || item->objectName() == QLatin1String("alcaDaRolagem"))
            return;
        // (A dimmed, disabled control is meant to be half seen.)
        if (item->opacity() < 1 && (item->isEnabled() || item->opacity() == 0))
            achados << QStringLiteral("%1 (%2) at opacity %3")
                           .arg(item->objectName(), QString::fromLatin1(item->metaObject()->className()))
                           .arg(item->opacity());
        for (QQuickItem *filho : item->childItems())
            transparentes(filho, achados);
    };
    QStringList achados;
    transparentes(painel, achados);
    EXPECT_TRUE(achados.isEmpty()) << achados.join('\n').toStdString();
    capturar(QStringLiteral("entrada-movimento-reduzido-primeiro-quadro"));
    for (int i = 0; i < 60; ++i) {
        avancar(16);
        EXPECT_FALSE(existe(QStringLiteral("aberturaNoMac"))) << i;
    }
    capturar(QStringLiteral("entrada-movimento-reduzido"));
    // Turning the setting off afterwards does not bring the opening back.
    MovimentoReduzido::instancia().definir(false);
    avancar(500);
    EXPECT_FALSE(existe(QStringLiteral("aberturaNoMac")));
    EXPECT_EQ(carregador->property("item").value<QObject *>(), nullptr);
}

TEST_F(Entrada, SenhaErradaMostraAMensagemEEsvaziaASenha)
{
    semearConta(email, senha);
    estado->preferencias()->definirUltimoEmail(QStringLiteral("guardado@exemplo.com"));
    ASSERT_TRUE(mostrarEntrada());
    QObject *entrada = modelo("formularioDeEntradaNoMac");
    auto *botao = achar<QQuickItem>(QStringLiteral("botaoEntrar"));
    // The last e-mail used here fills the empty field as the form is shown.
    EXPECT_EQ(entrada->property("email").toString(), QStringLiteral("guardado@exemplo.com"));

    // Not ready: Return does nothing and the button is dimmed.
    preencher(QStringLiteral("campoDoEmail"), QStringLiteral("ana.exemplo.com"));
    preencher(QStringLiteral("campoDaSenha"), QStringLiteral("errada"));
    EXPECT_FALSE(botao->isEnabled());
    EXPECT_DOUBLE_EQ(botao->opacity(), 0.5);
    tecla(Qt::Key_Return);
    EXPECT_FALSE(entrada->property("enviando").toBool());
    EXPECT_TRUE(servidor.pedidos(QStringLiteral("POST"), QStringLiteral("/v1/conta/pre-entrada")).isEmpty());
    capturar(QStringLiteral("entrada-vazia"));

    preencher(QStringLiteral("campoDoEmail"), QStringLiteral(" Ana@Exemplo.com "));
    EXPECT_TRUE(botao->isEnabled());
    EXPECT_DOUBLE_EQ(botao->opacity(), 1);
    tecla(Qt::Key_Return);
    EXPECT_TRUE(entrada->property("enviando").toBool());
    EXPECT_FALSE(botao->isEnabled()) << "busy";
    capturar(QStringLiteral("entrada-ocupada"));
    tecla(Qt::Key_Return); // while it runs: nothing
    ASSERT_TRUE(esperarAte([&] { return !entrada->property("enviando").toBool(); }));
    EXPECT_EQ(servidor.pedidos(QStringLiteral("POST"), QStringLiteral("/v1/conta/pre-entrada")).size(), 1);
    EXPECT_FALSE(entrada->property("erro").toString().isEmpty());
    assentar(); // the line's fade-in
    EXPECT_TRUE(visivel(QStringLiteral("erroDaEntrada")));
    EXPECT_EQ(entrada->property("senha").toString(), QString());
    EXPECT_EQ(entrada->property("email").toString(), QStringLiteral(" Ana@Exemplo.com "));
    EXPECT_EQ(estado->fase(), EstadoDoApp::Fase::semConta);
    capturar(QStringLiteral("entrada-senha-errada"));

    // Refused by Return or by a click on "Entrar", the emptied password field has the keyboard.
    for (const bool peloBotao : {false, true}) {
        SCOPED_TRACE(peloBotao ? "clique" : "Return");
        preencher(QStringLiteral("campoDaSenha"), QStringLiteral("errada de novo"));
        if (peloBotao)
            clicar(QStringLiteral("botaoEntrar"));
        else
            tecla(Qt::Key_Return);
        ASSERT_TRUE(esperarAte([&] { return !entrada->property("enviando").toBool(); }));
        EXPECT_TRUE(entradaFocada(QStringLiteral("campoDaSenha")));
    }
}

TEST_F(Entrada, AutenticadorPedeSeisDigitosEEnviaSoOsAlgarismos)
{
    semearConta(email, senha);
    const QByteArray segredo = servidor.estado().ligarAutenticador(email);
    ASSERT_TRUE(mostrarEntrada());
    QObject *entrada = modelo("formularioDeEntradaNoMac");
    QStringList sobreposicoes;
    QObject::connect(estado.get(), &EstadoDoApp::trabalhandoMudou, estado.get(), [&] {
        sobreposicoes.append(estado->trabalhando() ? estado->trabalhando()->titulo : QStringLiteral("-"));
    });

    preencher(QStringLiteral("campoDoEmail"), email);
    preencher(QStringLiteral("campoDaSenha"), senha);
    clicar(QStringLiteral("botaoEntrar"));
    ASSERT_TRUE(esperarAte([&] { return entrada->property("pedeCodigo").toBool(); }));
    ASSERT_TRUE(esperarAte([&] { return !entrada->property("enviando").toBool(); }));
    EXPECT_EQ(entrada->property("erro").toString(), QString()) << "no message for the second factor";
    EXPECT_EQ(entrada->property("titulo").toString(), QStringLiteral("Código do autenticador"));
    EXPECT_EQ(entrada->property("tituloDoBotao").toString(), QStringLiteral("Confirmar"));
    EXPECT_TRUE(visivel(QStringLiteral("campoDoCodigo")));
    EXPECT_FALSE(achar<QQuickItem>(QStringLiteral("campoDaSenha"))->isVisible());
    EXPECT_FALSE(achar<QQuickItem>(QStringLiteral("botoesSociais"))->isVisible());
    EXPECT_EQ(chave(), QStringLiteral("entrar"));
    assentar(1500);
    EXPECT_NEAR(achar<QQuickItem>(QStringLiteral("campoDoCodigo"))->parentItem()->opacity(), 1, 0.001);
    capturar(QStringLiteral("entrada-codigo"));

    auto *botao = achar<QQuickItem>(QStringLiteral("botaoEntrar"));
    for (const char *quase : {"123 45", "1234-567"}) {
        preencher(QStringLiteral("campoDoCodigo"), QString::fromLatin1(quase));
        EXPECT_FALSE(botao->isEnabled()) << quase;
    }
    // A wrong code: only the code is emptied, the step stays.
    const QString certo = servidor.estado().codigoDoAutenticador(email);
    QString errado = certo;
    errado[0] = QChar(u'0' + (certo[0].digitValue() + 5) % 10);
    preencher(QStringLiteral("campoDoCodigo"), errado.left(3) + QStringLiteral("-") + errado.mid(3));
    ASSERT_TRUE(botao->isEnabled());
    clicar(QStringLiteral("botaoEntrar"));
    ASSERT_TRUE(esperarAte([&] { return !entrada->property("erro").toString().isEmpty(); }));
    EXPECT_EQ(entrada->property("codigo").toString(), QString());
    EXPECT_TRUE(entrada->property("pedeCodigo").toBool());
    EXPECT_EQ(entrada->property("senha").toString(), senha);
    assentar(); // the line's fade-in
    capturar(QStringLiteral("entrada-codigo-errado"));

    // The right code in Arabic-Indic digits with a space: sent as six ASCII digits.
    QString arabe;
    for (const QChar c : servidor.estado().codigoDoAutenticador(email))
        arabe += QChar(0x0660 + c.digitValue());
    preencher(QStringLiteral("campoDoCodigo"), arabe.left(3) + QLatin1Char(' ') + arabe.mid(3));
    clicar(QStringLiteral("botaoEntrar"));
    ASSERT_TRUE(esperarAte([&] { return estado->fase() == EstadoDoApp::Fase::aberto; }));
    const auto sessoes = servidor.pedidos(QStringLiteral("POST"), QStringLiteral("/v1/sessao"));
    EXPECT_EQ(sessoes.last().json().value(QStringLiteral("codigoDoAutenticador")).toString(),
              servidor.estado().codigoDoAutenticador(email));
    EXPECT_EQ(servidor.pedidos(QStringLiteral("POST"), QStringLiteral("/v1/conta/pre-entrada")).size(), 1)
        << "the password was stretched once";
    EXPECT_TRUE(sobreposicoes.contains(QStringLiteral("Entrando")));
    EXPECT_EQ(sobreposicoes.last(), QStringLiteral("-"));
    (void)segredo;
}

TEST_F(Entrada, GoogleDeContaNovaVaiParaACriacaoComAResposta)
{
    ASSERT_TRUE(mostrarEntrada());
    clicar(QStringLiteral("botaoGoogle"));
    ASSERT_EQ(abertos.size(), 1);
    EXPECT_EQ(abertos.first().path(), QStringLiteral("/entrar/social/google"));
    EXPECT_EQ(QUrlQuery(abertos.first()).queryItemValue(QStringLiteral("app")), QStringLiteral("mac"));
    avancar(500);
    EXPECT_TRUE(visivel(QStringLiteral("aguardandoNoSafari")));
    EXPECT_FALSE(achar<QQuickItem>(QStringLiteral("botaoGoogle"))->isVisible());
    EXPECT_EQ(achar(QStringLiteral("tituloDoAguardo"))->property("text").toString(),
              QStringLiteral("Continue no navegador"));
    EXPECT_EQ(achar(QStringLiteral("explicacaoDoAguardo"))->property("text").toString(),
              QStringLiteral("Escolha a sua conta Google para continuar."));
    capturar(QStringLiteral("entrada-aguardando-google"));

    const QUrl retorno = retornoDaPagina(QStringLiteral("nova@exemplo.com"));
    EXPECT_EQ(retorno.scheme(), QStringLiteral("corvane"));
    EXPECT_TRUE(EntradaPeloSafari::compartilhada().receber(retorno));
    ASSERT_TRUE(esperarAte([&] { return chave() == QStringLiteral("criar-nova@exemplo.com"); }));
    assentar();
    QObject *navegacao = acharObjeto(QStringLiteral("navegacaoDaConta"));
    EXPECT_EQ(navegacao->property("caso").toString(), QStringLiteral("criar"));
    // The wizard is made with the answer (its e-mail needs no confirmation) and the navigation.
    QObject *criacao = telaAtual();
    ASSERT_TRUE(criacao);
    // The real wizard, on its data step with the provider's e-mail (no e-mail step to come).
    auto *modeloDaCriacao = acharObjeto(QStringLiteral("modeloDaCriacao"));
    ASSERT_TRUE(modeloDaCriacao);
    EXPECT_TRUE(modeloDaCriacao->property("temSocial").toBool());
    EXPECT_EQ(modeloDaCriacao->property("nomeDaEtapa").toString(), QStringLiteral("dados"));
    EXPECT_EQ(modeloDaCriacao->property("email").toString(), QStringLiteral("nova@exemplo.com"));
    const auto social = criacao->property("social").value<RespostaSocialNaTela>();
    EXPECT_EQ(social.situacao(), QStringLiteral("nova"));
    EXPECT_EQ(social.email(), QStringLiteral("nova@exemplo.com"));
    EXPECT_EQ(social.nomeSugerido(), QStringLiteral("Ana Souza"));
    EXPECT_FALSE(social.resposta.tokenSocial.isEmpty());
    EXPECT_EQ(criacao->property("tela").value<QObject *>(), navegacao);
    EXPECT_FALSE(existe(QStringLiteral("formularioDeEntradaNoMac"))) << "the form was replaced";
    const auto corpo = servidor.pedidos(QStringLiteral("POST"), QStringLiteral("/v1/conta/social")).last().json();
    EXPECT_EQ(corpo.value(QStringLiteral("provedor")).toString(), QStringLiteral("google"));
}

TEST_F(Entrada, CartaoDoAguardoSaiComOTextoDoSeuProvedor)
{
    ASSERT_TRUE(mostrarEntrada());
    const struct {
        const char *botao;
        QString texto;
    } casos[] = {
        {"botaoApple", QStringLiteral("Entre com a sua conta Apple. Se o computador pedir, use a senha do computador.")},
        {"botaoPasskey", QStringLiteral("Confirme com a sua passkey e volte para o Corvane.")},
        {"botaoGoogle", QStringLiteral("Escolha a sua conta Google para continuar.")},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.botao);
        clicar(QString::fromLatin1(caso.botao));
        avancar(500);
        auto *cartao = achar<QQuickItem>(QStringLiteral("aguardandoNoSafari"));
        QObject *explicacao = achar(QStringLiteral("explicacaoDoAguardo"));
        EXPECT_EQ(explicacao->property("text").toString(), caso.texto);
        clicar(QStringLiteral("botaoCancelarAguardo"));
        // While it fades out, the card still reads as it did.
        for (int i = 0; i < 12; ++i) {
            avancar(16);
            if (cartao->isVisible()) {
                EXPECT_EQ(explicacao->property("text").toString(), caso.texto) << i;
            }
        }
        EXPECT_TRUE(cartao->isVisible()) << "still leaving after 192 ms";
        if (QString::fromLatin1(caso.botao) == QLatin1String("botaoApple"))
            capturar(QStringLiteral("entrada-aguardo-saindo"));
        assentar();
        EXPECT_FALSE(cartao->isVisible());
    }
}

TEST_F(Entrada, RespostaComAMesmaChaveChegaAoAssistenteNaTela)
{
    ASSERT_TRUE(mostrarEntrada(QSize(899, 900)));
    clicar(QStringLiteral("botaoCriarConta"));
    assentar();
    ASSERT_EQ(chave(), QStringLiteral("criar-"));
    QObject *assistente = telaAtual();
    QObject *modeloDaCriacao = acharObjeto(QStringLiteral("modeloDaCriacao"));
    ASSERT_TRUE(assistente && modeloDaCriacao);
    EXPECT_FALSE(modeloDaCriacao->property("temSocial").toBool());

    // An answer for a new account whose e-mail is empty: the key stays "criar-", so the wizard
    // on display takes it in place, with no transition.
    RespostaSocial resposta;
    resposta.situacao = QStringLiteral("nova");
    resposta.tokenSocial = QStringLiteral("token");
    QMetaObject::invokeMethod(acharObjeto(QStringLiteral("navegacaoDaConta")), "aoIdentificar",
                              Q_ARG(QVariant, QVariant::fromValue(RespostaSocialNaTela{resposta})));
    EXPECT_EQ(chave(), QStringLiteral("criar-"));
    EXPECT_EQ(telaAtual(), assistente) << "the same wizard, not a new one";
    EXPECT_TRUE(modeloDaCriacao->property("temSocial").toBool());
    EXPECT_EQ(assistente->property("social").value<RespostaSocialNaTela>().situacao(), QStringLiteral("nova"));
    EXPECT_FALSE(visivel(QStringLiteral("campoDoEmail"))) << "the answer's account needs no e-mail field";
    assentar();
    capturar(QStringLiteral("criar-conta-resposta-na-mesma-tela"));
}

TEST_F(Entrada, AppleDeContaExistentePedeASenhaDoCofre)
{
    semearConta(email, senha);
    ASSERT_TRUE(mostrarEntrada());
    clicar(QStringLiteral("botaoApple"));
    avancar(500);
    EXPECT_EQ(achar(QStringLiteral("explicacaoDoAguardo"))->property("text").toString(),
              QStringLiteral("Entre com a sua conta Apple. Se o computador pedir, use a senha do computador."));
    capturar(QStringLiteral("entrada-aguardando-apple"));
    ASSERT_TRUE(EntradaPeloSafari::compartilhada().receber(retornoDaPagina(email)));
    ASSERT_TRUE(esperarAte([&] { return chave() == QStringLiteral("social-") + email; }));
    assentar();
    QObject *senhaSocial = modelo("senhaDaContaSocialNoMac");
    ASSERT_TRUE(senhaSocial);
    EXPECT_EQ(senhaSocial->property("titulo").toString(), QStringLiteral("Sua senha do Corvane"));
    EXPECT_EQ(senhaSocial->property("texto").toString(),
              QStringLiteral("Você está entrando como ana@exemplo.com. A senha do Corvane é a que abre o seu cofre."));
    auto *botao = achar<QQuickItem>(QStringLiteral("botaoEntrar"));
    EXPECT_FALSE(botao->isEnabled());
    EXPECT_DOUBLE_EQ(botao->opacity(), 1) << "not dimmed on this screen";
    capturar(QStringLiteral("senha-social-vazia"));

    preencher(QStringLiteral("campoDaSenha"), QStringLiteral("outra senha"));
    clicar(QStringLiteral("botaoEntrar"));
    ASSERT_TRUE(esperarAte([&] { return !senhaSocial->property("erro").toString().isEmpty(); }));
    EXPECT_EQ(senhaSocial->property("senha").toString(), QString());
    EXPECT_TRUE(entradaFocada(QStringLiteral("campoDaSenha"))) << "the clicked button does not keep the keyboard";
    assentar(); // the line's fade-in
    capturar(QStringLiteral("senha-social-erro"));

    preencher(QStringLiteral("campoDaSenha"), senha);
    tecla(Qt::Key_Return);
    ASSERT_TRUE(esperarAte([&] { return estado->fase() == EstadoDoApp::Fase::aberto; }));
    const auto corpo = servidor.pedidos(QStringLiteral("POST"), QStringLiteral("/v1/sessao")).last().json();
    EXPECT_TRUE(corpo.contains(QStringLiteral("tokenSocial")));
}

TEST_F(Entrada, VoltarDaSenhaSocialLevaAoFormularioVazio)
{
    semearConta(email, senha);
    ASSERT_TRUE(mostrarEntrada(QSize(899, 780)));
    preencher(QStringLiteral("campoDoEmail"), QStringLiteral("digitado@exemplo.com"));
    clicar(QStringLiteral("botaoApple"));
    ASSERT_TRUE(EntradaPeloSafari::compartilhada().receber(retornoDaPagina(email)));
    ASSERT_TRUE(esperarAte([&] { return chave() == QStringLiteral("social-") + email; }));
    assentar();
    clicar(QStringLiteral("botaoVoltar"));
    assentar();
    EXPECT_EQ(chave(), QStringLiteral("entrar"));
    QObject *entrada = modelo("formularioDeEntradaNoMac");
    ASSERT_TRUE(entrada);
    EXPECT_EQ(entrada->property("email").toString(), QString());
    EXPECT_FALSE(existe(QStringLiteral("senhaDaContaSocialNoMac")));

    clicar(QStringLiteral("botaoCriarConta"));
    assentar();
    EXPECT_EQ(chave(), QStringLiteral("criar-"));
    EXPECT_FALSE(telaAtual()->property("social").isValid());
}

TEST_F(Entrada, PasskeyAbreOCofre)
{
    const QByteArray chaveDoCofre = semearConta(email, senha);
    servidor.estado().registrarPasskey(email, chaveDoCofre);
    ASSERT_TRUE(mostrarEntrada());
    clicar(QStringLiteral("botaoPasskey"));
    ASSERT_EQ(abertos.size(), 1);
    EXPECT_EQ(abertos.first().path(), QStringLiteral("/entrar/mac"));
    EXPECT_EQ(QUrlQuery(abertos.first()).queryItems().size(), 1) << "only the key";
    avancar(500);
    capturar(QStringLiteral("entrada-aguardando-passkey"));
    const QUrl retorno = retornoDaPagina(email);
    EXPECT_EQ(retorno.host(), QStringLiteral("passkey"));
    ASSERT_TRUE(EntradaPeloSafari::compartilhada().receber(retorno));
    ASSERT_TRUE(esperarAte([&] { return estado->fase() == EstadoDoApp::Fase::aberto; }));
    ASSERT_TRUE(estado->conta());
    EXPECT_EQ(estado->conta()->email, email);
}

TEST_F(Entrada, CancelarEAbrirDeNovoAEspera)
{
    ASSERT_TRUE(mostrarEntrada());
    QObject *botoes = acharObjeto(QStringLiteral("botoesSociais"))->property("modelo").value<QObject *>();
    clicar(QStringLiteral("botaoApple"));
    avancar(500);
    ASSERT_TRUE(visivel(QStringLiteral("aguardandoNoSafari")));
    clicar(QStringLiteral("botaoAbrirDeNovo"));
    ASSERT_EQ(abertos.size(), 2);
    EXPECT_EQ(abertos[1], abertos[0]);
    EXPECT_TRUE(visivel(QStringLiteral("aguardandoNoSafari")));

    clicar(QStringLiteral("botaoCancelarAguardo"));
    avancar(600);
    EXPECT_FALSE(achar<QQuickItem>(QStringLiteral("aguardandoNoSafari"))->isVisible());
    EXPECT_TRUE(visivel(QStringLiteral("botaoApple")));
    EXPECT_EQ(botoes->property("erro").toString(), QString());

    // The page reports that the person gave up: silent as well.
    clicar(QStringLiteral("botaoGoogle"));
    avancar(500);
    ASSERT_TRUE(EntradaPeloSafari::compartilhada().receber(QUrl(QStringLiteral("corvane://social?erro=cancelado"))));
    avancar(600);
    EXPECT_TRUE(visivel(QStringLiteral("botaoGoogle")));
    EXPECT_EQ(botoes->property("erro").toString(), QString());

    // A callback the application cannot use: the one line.
    clicar(QStringLiteral("botaoGoogle"));
    ASSERT_TRUE(EntradaPeloSafari::compartilhada().receber(QUrl(QStringLiteral("corvane://social?token=t"))));
    avancar(600);
    EXPECT_EQ(botoes->property("erro").toString(),
              QStringLiteral("Não foi possível continuar com essa conta. Tente de novo."));
    capturar(QStringLiteral("entrada-erro-social"));
    EXPECT_EQ(chave(), QStringLiteral("entrar"));
}

} // namespace

namespace {

// The person cancelled the wait, then finished on the page anyway: the callback arrives with
// nothing waiting, and the buttons on screen finish it.
TEST_F(Entrada, PasskeyQueChegaDepoisDeCancelarAindaAbreOCofre)
{
    const QByteArray chaveDoCofre = semearConta(email, senha);
    servidor.estado().registrarPasskey(email, chaveDoCofre);
    ASSERT_TRUE(mostrarEntrada());
    clicar(QStringLiteral("botaoPasskey"));
    avancar(500);
    clicar(QStringLiteral("botaoCancelarAguardo"));
    avancar(600);
    ASSERT_TRUE(visivel(QStringLiteral("botaoPasskey")));
    ASSERT_TRUE(EntradaPeloSafari::compartilhada().receber(retornoDaPagina(email)));
    ASSERT_TRUE(esperarAte([&] { return estado->fase() == EstadoDoApp::Fase::aberto; }));
    EXPECT_FALSE(EntradaPeloSafari::compartilhada().retornoAvulso()) << "taken";
}

} // namespace
