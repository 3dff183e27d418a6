// The program's windows as it builds them: the main window runs its start-up work, "Ajustes…"
// opens the settings window apart from it, a closed main window opens again, and without a tray
// the application ends with its last window.
#include "app/CorvaneMacApp.h"
#include "plataforma/InfoDoPacote.h"
#include "servidor/ServidorDeDesenvolvimento.h"
#include "support/CofreDeSegredosEmMemoria.h"
#include "support/DiretorioTemporario.h"
#include "support/quick/TesteQuick.h"

#include <QGuiApplication>
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

    // A closed main window (a second start, the tray) is shown again in front.
    principal->close();
    EXPECT_FALSE(principal->isVisible());
    programa.abrirJanela();
    EXPECT_TRUE(principal->isVisible());
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
