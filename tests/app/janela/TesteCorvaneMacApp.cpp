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
#include <QScreen>
#include <QTest>

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

} // namespace
