// The program's windows as it builds them: the main window runs its start-up work, "Ajustes…"
// opens the settings window apart from it, a closed main window opens again, and without a tray
// the application ends with its last window.
#include "app/CorvaneMacApp.h"
#include "kit/MovimentoReduzido.h"
#include "plataforma/InfoDoPacote.h"
#include "servidor/ServidorDeDesenvolvimento.h"
#include "support/CofreDeSegredosEmMemoria.h"
#include "support/DiretorioTemporario.h"
#include "support/quick/TesteQuick.h"

#include <QGuiApplication>
#include <QDir>
#include <QImage>
#include <QQuickItem>
#include <QScreen>
#include <QTest>

#include <functional>

namespace {

class ProgramaNaTela : public TesteQuick {
protected:
    void SetUp() override
    {
        segredos = CofreDeSegredosEmMemoria::instalar();
        servidor.iniciar();
        CorvaneMacApp::usarServidor(servidor.endereco().toString());
        TesteQuick::SetUp();
    }
    void TearDown() override
    {
        TesteQuick::TearDown();
        InfoDoPacote::substituir(std::nullopt);
        CofreDeSegredos::usar(nullptr);
    }

    DiretorioTemporario pasta;
    std::shared_ptr<CofreDeSegredosEmMemoria> segredos;
    Servidor::ServidorDeDesenvolvimento servidor;
};

TEST_F(ProgramaNaTela, JanelaPrincipalAjustesEFimSemBandeja)
{
    CorvaneMacApp programa({QStringLiteral("corvane")});
    ASSERT_TRUE(programa.mostrar());
    QQuickWindow *principal = programa.principal();
    ASSERT_TRUE(principal);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(principal));
    EXPECT_EQ(principal->title(), QStringLiteral("Corvane"));
    EXPECT_EQ(principal->size(), QSize(1040, 680));

    // The start-up work runs with the window: a computer without an account is signed out.
    EXPECT_TRUE(QTest::qWaitFor([&] { return programa.estado().fase() == EstadoDoApp::Fase::semConta; }, 10000));
    // ... and shows the signed-out window.
    EXPECT_TRUE(QTest::qWaitFor([&] { return principal->findChild<QObject *>(QStringLiteral("entradaNoMac")); }, 10000));

    // Xvfb has no tray: closing the last window ends the application.
    EXPECT_TRUE(QGuiApplication::quitOnLastWindowClosed());

    // "Ajustes…" opens the settings window, a window of its own.
    EXPECT_EQ(programa.ajustes(), nullptr);
    QMetaObject::invokeMethod(principal->findChild<QObject *>(QStringLiteral("ajustes")), "trigger");
    ASSERT_TRUE(programa.ajustes());
    EXPECT_NE(programa.ajustes(), principal);
    EXPECT_TRUE(programa.ajustes()->isVisible());
    EXPECT_EQ(programa.ajustes()->title(), QStringLiteral("Ajustes"));
    // Centred on the main window, inside the screen's work area.
    const QRect sobre = principal->frameGeometry();
    const QRect ajustes = programa.ajustes()->frameGeometry();
    EXPECT_LE((ajustes.center() - sobre.center()).manhattanLength(), 4)
        << "ajustes em " << ajustes.x() << "," << ajustes.y() << " sobre " << sobre.x() << "," << sobre.y();
    EXPECT_TRUE(principal->screen()->availableGeometry().contains(ajustes));

    // A closed main window (a second start, the tray) is shown again in front.
    principal->close();
    EXPECT_FALSE(principal->isVisible());
    programa.abrirJanela();
    EXPECT_TRUE(principal->isVisible());
}

// The signed-out window in the program's own window, whose menu bar takes its share of the
// height: at the default size the whole form fits, from the padlock to "Criar conta grátis"; at
// the smallest size the form shows from its top, with a fade where more lies below, and
// scrolls to its end.
TEST_F(ProgramaNaTela, EntradaCabeNaAlturaQueOMenuDeixa)
{
    MovimentoReduzido::instancia().definir(true); // no opening to wait for
    CorvaneMacApp programa({QStringLiteral("corvane")});
    ASSERT_TRUE(programa.mostrar());
    QQuickWindow *principal = programa.principal();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(principal));
    ASSERT_TRUE(QTest::qWaitFor([&] { return principal->findChild<QObject *>(QStringLiteral("formularioDeEntradaNoMac")); }, 10000));
    const auto achar = [&](const char *nome) { return principal->findChild<QQuickItem *>(QString::fromLatin1(nome)); };
    QQuickItem *rolagem = achar("rolagemDaConta");
    ASSERT_TRUE(rolagem);
    // The screen tests' screenshot folder, beside the test programs.
    const QString pasta = QCoreApplication::applicationDirPath() + QStringLiteral("/../capturas/");
    QDir().mkpath(pasta);
    // How much of an item the scrolling area shows, as a fraction of its height.
    const auto mostrado = [&](const char *nome) {
        QQuickItem *item = achar(nome);
        const QRectF caixa = item->mapRectToItem(rolagem, QRectF(0, 0, item->width(), item->height()));
        const QRectF visto = caixa.intersected(QRectF(0, 0, rolagem->width(), rolagem->height()));
        return visto.height() / caixa.height();
    };
    const struct {
        QSize tamanho;
        bool cabe;
        const char *captura;
    } casos[] = {{QSize(1040, 680), true, "entrada-janela-1040x680"}, {QSize(860, 560), false, "entrada-janela-860x560"}};
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.captura);
        principal->resize(caso.tamanho);
        ASSERT_TRUE(QTest::qWaitFor([&] { return principal->size() == caso.tamanho; }, 3000));
        avancar(1500);
        EXPECT_LT(principal->findChild<QQuickItem *>(QStringLiteral("entradaNoMac"))->height(), caso.tamanho.height())
            << "the menu bar takes part of the height";
        EXPECT_DOUBLE_EQ(mostrado("cadeadoDoFormulario"), 1);
        EXPECT_EQ(mostrado("botaoCriarConta") == 1, caso.cabe);
        EXPECT_EQ(rolagem->property("interactive").toBool(), !caso.cabe);
        EXPECT_EQ(achar("esmaecimentoDeBaixo")->isVisible(), !caso.cabe);
        EXPECT_FALSE(achar("esmaecimentoDeCima")->isVisible());
        principal->grabWindow().save(pasta + QString::fromLatin1(caso.captura) + QStringLiteral(".png"));
        if (!caso.cabe) {
            // Scrolled to its end: the way to create an account, and the fade now at the top.
            rolagem->setProperty("contentY", rolagem->property("contentHeight").toDouble() - rolagem->height());
            avancar(50);
            EXPECT_DOUBLE_EQ(mostrado("botaoCriarConta"), 1);
            EXPECT_TRUE(achar("esmaecimentoDeCima")->isVisible());
            EXPECT_FALSE(achar("esmaecimentoDeBaixo")->isVisible());
            principal->grabWindow().save(pasta + QStringLiteral("entrada-janela-860x560-rolada.png"));
        }
    }
    MovimentoReduzido::instancia().definir(false);
}

TEST_F(ProgramaNaTela, EnderecoDoNavegadorTrazAJanelaParaAFrente)
{
    CorvaneMacApp programa({QStringLiteral("corvane")});
    ASSERT_TRUE(programa.mostrar());
    QQuickWindow *principal = programa.principal();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(principal));
    const struct {
        const char *caso;
        std::function<void()> antes;
    } casos[] = {
        {"fechada", [&] { principal->close(); }},
        {"minimizada", [&] { principal->showMinimized(); }},
        {"atras de outra janela", [&] {
             programa.abrirAjustes();
             EXPECT_TRUE(QTest::qWaitFor([&] { return programa.ajustes()->isActive(); }, 5000));
         }},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.caso);
        caso.antes();
        QTest::qWait(100);
        programa.receberEndereco(QUrl(QStringLiteral("corvane:abrir")));
        EXPECT_TRUE(principal->isVisible());
        EXPECT_NE(principal->windowState() & Qt::WindowMinimized, Qt::WindowMinimized);
        EXPECT_TRUE(QTest::qWaitFor([&] { return principal->isActive(); }, 5000));
    }
}

} // namespace

namespace {

// A window's default maximum (Qt's QWINDOWSIZE_MAX).
constexpr int semLimite = (1 << 24) - 1;

TEST(TamanhoDoCompositor, SoNoWaylandEJanelaRedimensionavelAceitaMenosQueOMinimo)
{
    const struct {
        const char *plataforma;
        QSize minimo, maximo;
        QSize esperado;
    } casos[] = {
        {"wayland", {860, 560}, {semLimite, semLimite}, {0, 0}},
        {"xcb", {860, 560}, {semLimite, semLimite}, {860, 560}},
        {"offscreen", {860, 560}, {semLimite, semLimite}, {860, 560}},
        {"wayland", {340, 420}, {340, 420}, {340, 420}}, // fixed size: it floats, keeps its size
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.plataforma);
        QWindow janela;
        janela.setMinimumSize(caso.minimo);
        janela.setMaximumSize(caso.maximo);
        CorvaneMacApp::aceitarTamanhoDoCompositor(&janela, QString::fromLatin1(caso.plataforma));
        EXPECT_EQ(janela.minimumSize(), caso.esperado);
        EXPECT_EQ(janela.maximumSize(), caso.maximo);
    }
}

} // namespace
