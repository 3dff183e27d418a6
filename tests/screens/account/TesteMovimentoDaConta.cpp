// The motion of the account panel on the stepped clock: the panel's height following a screen
// replacement with its spring, the error line's fade-in, and the scroll indicator that shows
// only while the area scrolls.
#include "EntradaNaTela.h"

#include "kit/Mola.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QQuickItem>
#include <QTest>
#include <QThread>

#include <functional>

namespace {

class MovimentoDaConta : public EntradaNaTela {
public:
    void passo(int ms) { avancar(ms); }
    QObject *tela() { return telaAtual(); }
};

// Where a spring that started within the last frame before `ms` should be by then (an animation
// starts on the frame after its change): between its positions at `ms` - 16 and `ms`, give or
// take what the fitted curve may differ from the formula.
void esperarNaMola(double fracao, double resposta, int ms)
{
    EXPECT_GE(fracao, Mola::posicao(resposta, 1, (ms - 16) / 1000.0) - 0.04) << ms << " ms";
    EXPECT_LE(fracao, Mola::posicao(resposta, 1, ms / 1000.0) + 0.04) << ms << " ms";
}

TEST_F(MovimentoDaConta, TrocaDeTelaLevaAAlturaDoPainelComAMola)
{
    ASSERT_TRUE(mostrarEntrada(QSize(899, 900)));
    auto *telas = achar<QQuickItem>(QStringLiteral("trocaDeTelas"));
    auto *painel = achar<QQuickItem>(QStringLiteral("painelDaConta"));
    ASSERT_TRUE(telas && painel);
    const double antes = telas->height();

    clicar(QStringLiteral("botaoCriarConta"));
    QList<double> alturas;
    for (int i = 0; i < 30; ++i) {
        avancar(16);
        alturas.append(telas->height());
        // The panel (its scrolling area and centring) follows the switch frame by frame.
        EXPECT_DOUBLE_EQ(painel->property("alturaDaTela").toDouble(), alturas.last()) << i;
    }
    assentar();
    const double depois = telas->height();
    ASSERT_GT(std::abs(depois - antes), 20) << "the two screens must differ in height";

    // No jump: the first frame has barely moved; the motion never overshoots and follows the
    // critically damped spring of 0.35 s.
    const auto fracao = [&](double altura) { return (altura - antes) / (depois - antes); };
    EXPECT_LT(fracao(alturas.first()), 0.15);
    for (int i = 0; i < alturas.size(); ++i) {
        EXPECT_GE(fracao(alturas[i]), -0.001) << i;
        EXPECT_LE(fracao(alturas[i]), 1.001) << i;
        if (i > 0) {
            EXPECT_GE(fracao(alturas[i]), fracao(alturas[i - 1]) - 0.001) << i;
        }
    }
    for (int quadro : {2, 5, 10, 20})
        esperarNaMola(fracao(alturas[quadro]), 0.35, (quadro + 1) * 16);
}

// The switch's height from the event in which `mudou` first holds: its value then, and on each
// of `quadros` frames after. The screen is polished before each reading, as a frame would do
// (its layout takes its new height then).
QList<double> alturasDesde(MovimentoDaConta &teste, QQuickItem *telas, const std::function<bool()> &mudou,
                           int quadros = 40)
{
    QList<double> alturas;
    for (int i = 0; i < 2000 && !mudou(); ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (mudou())
            break;
        teste.passo(16);
        QThread::msleep(1);
    }
    if (!mudou())
        return alturas;
    const auto medir = [&] {
        if (auto *tela = qobject_cast<QQuickItem *>(teste.tela()))
            tela->ensurePolished();
        return telas->height();
    };
    alturas.append(medir());
    for (int i = 0; i < quadros; ++i) {
        teste.passo(16);
        alturas.append(medir());
    }
    return alturas;
}

// The heights follow the critically damped spring of `resposta` from `antes` to the last one,
// with no jump: unmoved in the event of the change, then frame by frame, never overshooting.
void conferirMola(const QList<double> &alturas, double antes, double resposta)
{
    ASSERT_GT(alturas.size(), 30);
    const double depois = alturas.last();
    ASSERT_GT(std::abs(depois - antes), 20) << "the two steps must differ in height";
    const auto fracao = [&](double altura) { return (altura - antes) / (depois - antes); };
    EXPECT_NEAR(fracao(alturas.first()), 0, 0.001) << "no jump in the event of the change";
    EXPECT_LT(fracao(alturas[1]), 0.15);
    for (int i = 1; i < alturas.size(); ++i) {
        EXPECT_GE(fracao(alturas[i]), fracao(alturas[i - 1]) - 0.001) << i;
        EXPECT_LE(fracao(alturas[i]), 1.001) << i;
    }
    for (int quadro : {2, 5, 10, 20})
        esperarNaMola(fracao(alturas[quadro + 1]), resposta, (quadro + 1) * 16);
}

TEST_F(MovimentoDaConta, EtapaDoAssistenteLevaAAlturaComAMolaDe035)
{
    ASSERT_TRUE(mostrarEntrada(QSize(899, 900)));
    clicar(QStringLiteral("botaoCriarConta"));
    assentar();
    auto *telas = achar<QQuickItem>(QStringLiteral("trocaDeTelas"));
    QObject *modelo = acharObjeto(QStringLiteral("modeloDaCriacao"));
    ASSERT_TRUE(telas && modelo);
    preencher(QStringLiteral("campoDoNome"), QStringLiteral("Ana Maria"));
    preencher(QStringLiteral("campoDoEmail"), QStringLiteral("nova@exemplo.com"));
    assentar();
    const double antes = telas->height();
    clicar(QStringLiteral("botaoContinuar"));
    const QList<double> alturas = alturasDesde(*this, telas, [&] {
        return modelo->property("nomeDaEtapa").toString() == QLatin1String("email");
    });
    conferirMola(alturas, antes, 0.35);
    capturar(QStringLiteral("assistente-depois-da-etapa"));
}

TEST_F(MovimentoDaConta, PassoDoCodigoLevaAAlturaComAMolaDe05)
{
    const QString email = QStringLiteral("ana@exemplo.com");
    const QString senha = QStringLiteral("cavalo correto bateria grampo");
    semearConta(email, senha);
    servidor.estado().ligarAutenticador(email);
    ASSERT_TRUE(mostrarEntrada(QSize(899, 900)));
    auto *telas = achar<QQuickItem>(QStringLiteral("trocaDeTelas"));
    QObject *formulario = achar(QStringLiteral("formularioDeEntradaNoMac"))->property("modelo").value<QObject *>();
    ASSERT_TRUE(telas && formulario);
    preencher(QStringLiteral("campoDoEmail"), email);
    preencher(QStringLiteral("campoDaSenha"), senha);
    assentar();
    const double antes = telas->height();
    clicar(QStringLiteral("botaoEntrar"));
    const QList<double> alturas = alturasDesde(*this, telas, [&] { return formulario->property("pedeCodigo").toBool(); }, 60);
    conferirMola(alturas, antes, 0.5);
    capturar(QStringLiteral("entrada-passo-do-codigo"));
}

TEST_F(MovimentoDaConta, LinhaDeErroSurgeComAAnimacaoPadraoESomeDeUmaVez)
{
    QQuickItem *raiz = mostrar(importacoesDaConta + QStringLiteral(R"(
ColumnLayout {
    width: 348
    property bool mostrar: false
    MensagemDeErroNoMac { objectName: "desdeOInicio"; texto: "Já estava aqui." }
    MensagemDeErroNoMac { objectName: "erro"; visible: parent.mostrar; texto: "E-mail ou senha incorretos." }
})"),
                               QSize(348, 120), QStringLiteral("#ffffff"));
    ASSERT_TRUE(raiz);
    auto *erro = achar<QQuickItem>(QStringLiteral("erro"));
    // A line shown as its screen is built is simply there.
    EXPECT_DOUBLE_EQ(achar<QQuickItem>(QStringLiteral("desdeOInicio"))->opacity(), 1);

    for (int vez = 0; vez < 2; ++vez) {
        raiz->setProperty("mostrar", true);
        EXPECT_LT(erro->opacity(), 0.05) << vez;
        int passado = 0;
        for (int ms : {48, 160, 400}) {
            avancar(ms - passado);
            passado = ms;
            esperarNaMola(erro->opacity(), 0.55, ms);
        }
        if (vez == 0)
            capturar(QStringLiteral("erro-surgindo"));
        avancar(1500);
        EXPECT_DOUBLE_EQ(erro->opacity(), 1) << vez;
        // Hidden at once, and it fades in again the next time.
        raiz->setProperty("mostrar", false);
        EXPECT_DOUBLE_EQ(erro->opacity(), 0) << vez;
    }
}

TEST_F(MovimentoDaConta, IndicadorDaRolagemSoApareceEnquantoRola)
{
    // A window too short for the sign-in form: the area scrolls.
    ASSERT_TRUE(mostrarEntrada(QSize(899, 380)));
    auto *rolagem = achar<QQuickItem>(QStringLiteral("rolagemDaConta"));
    auto *alca = achar<QQuickItem>(QStringLiteral("alcaDaRolagem"));
    ASSERT_TRUE(rolagem && alca);
    ASSERT_TRUE(rolagem->property("interactive").toBool()) << "the form must be taller than the area";
    EXPECT_DOUBLE_EQ(alca->opacity(), 0) << "at rest";

    // Hovering the bar does not show it.
    QTest::mouseMove(janela(), ponto(rolagem, rolagem->width() - 3, rolagem->height() / 2));
    avancar(100);
    EXPECT_DOUBLE_EQ(alca->opacity(), 0) << "hovered";

    QMetaObject::invokeMethod(rolagem, "flick", Q_ARG(qreal, 0), Q_ARG(qreal, -1500));
    avancar(32);
    EXPECT_TRUE(rolagem->property("moving").toBool());
    EXPECT_DOUBLE_EQ(alca->opacity(), 0.75) << "scrolling";
    capturar(QStringLiteral("painel-rolando"));

    ASSERT_TRUE(esperarAte([&] { return !rolagem->property("moving").toBool(); }, 5000));
    avancar(300);
    EXPECT_DOUBLE_EQ(alca->opacity(), 0.75) << "a short pause before it fades";
    avancar(600);
    EXPECT_DOUBLE_EQ(alca->opacity(), 0) << "faded out after scrolling";
}

} // namespace
