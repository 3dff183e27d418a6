// "Ler da tela" for real on the test's X server: another process shows a QR code under our
// window; the reading hides our window for the grab, finds the code, fills the form, brings the
// window back, and the vault does not lock although the program lost the foreground.
#include "EditorDeCodigo.h"
#include "LeitorDaTela.h"
#include "QuadroDoEditor.h"
#include "app/servicos/Seguranca.h"

#include <QGuiApplication>
#include <QProcess>
#include <QQuickItem>
#include <QScreen>
#include <QTest>

class LerDaTela : public QuadroDoEditor {
protected:
    void TearDown() override
    {
        if (outro.state() != QProcess::NotRunning) {
            outro.kill();
            outro.waitForFinished(5000);
        }
        Seguranca::removerAutenticador();
        QuadroDoEditor::TearDown();
    }

    QProcess outro;
};

TEST_F(LerDaTela, LeOQRDeOutraJanelaComANossaEscondida)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "precisa de um servidor X";
    const QString link = QStringLiteral("otpauth://totp/GitHub:ana?secret=JBSWY3DPEHPK3PXP&issuer=GitHub");
    const QString imagem = pasta.arquivo(QStringLiteral("qr-na-tela.png"));
    ASSERT_TRUE(Testes::imagemDeQR(link, 240).save(imagem));
    outro.start(QStringLiteral(CORVANE_MOSTRAR_QR), {imagem, QStringLiteral("120"), QStringLiteral("140")});
    ASSERT_TRUE(outro.waitForStarted(10000));
    ASSERT_TRUE(esperarAte([&] { return outro.readAllStandardOutput().contains("pronto") || outro.state() == QProcess::NotRunning; }));
    ASSERT_EQ(outro.state(), QProcess::Running);

    // The vault would lock at once on leaving the foreground.
    Seguranca::registrarAutenticador([](QString) -> QCoro::Task<bool> { co_return true; }, [] { return true; });
    estado->preferencias()->definirProtegerApp(true);
    estado->preferencias()->definirBloqueio(OpcaoDeBloqueio::imediato);
    // Both ways, as the watcher reports them: a capture that ended while the program was still
    // inactive would count as leaving.
    QObject::connect(qGuiApp, &QGuiApplication::applicationStateChanged, estado.get(), [this](Qt::ApplicationState e) {
        if (e != Qt::ApplicationActive)
            estado->aoIrParaSegundoPlano();
        else
            estado->aoVoltarAoPrimeiroPlano();
    });

    estado->editar(QStringLiteral("codigo"));
    mostrar(QStringLiteral("import QtQuick\nimport Corvane.App\nimport Corvane.Editores\n"
                           "EditorNoMac { estado: estadoDeTeste; anchors.fill: parent }"),
            QSize(560, 760), QStringLiteral("#ffffff"));
    janela()->setPosition(0, 0);
    ASSERT_TRUE(esperarAte([&] { return janela()->position() == QPoint(0, 0); }));
    // Our window covers the code: a grab with it shown finds nothing.
    ASSERT_TRUE(LeitorDaTelaNoMac::lerImagem(QGuiApplication::primaryScreen()->grabWindow(0).toImage()).isEmpty());

    auto *editor = achar<ModeloDoEditorDeCodigo>(QStringLiteral("modelo"));
    int escondida = 0;
    QObject::connect(janela(), &QWindow::visibleChanged, editor, [&](bool visivel) { escondida += visivel ? 0 : 1; });
    QTest::mouseClick(janela(), Qt::LeftButton, {}, centro(achar<QQuickItem>(QStringLiteral("lerDaTela"))));
    EXPECT_TRUE(editor->lendoATela());
    ASSERT_TRUE(esperarAte([&] { return !editor->lendoATela(); }));

    EXPECT_EQ(editor->erro(), QString());
    EXPECT_EQ(editor->emissor(), QStringLiteral("GitHub"));
    EXPECT_EQ(editor->segredo(), QStringLiteral("JBSWY3DPEHPK3PXP"));
    EXPECT_EQ(escondida, 1) << "a janela saiu só para a captura";
    EXPECT_TRUE(janela()->isVisible());
    EXPECT_EQ(estado->fase(), EstadoDoApp::Fase::aberto) << "a captura não trava o cofre";
    EXPECT_FALSE(estado->capturandoATela());
}
