// "Ler da tela" for real on the test's X server: another process shows a QR code under our
// window; the reading hides our window for the grab, finds the code, fills the form, brings the
// window back, and the vault does not lock although the program lost the foreground.
#include "EditorDeCodigo.h"
#include "LeitorDaTela.h"
#include "QuadroDoEditor.h"
#include "servicos/Seguranca.h"
#include "support/Executar.h"

#include <QGuiApplication>
#include <QProcess>
#include <QQuickItem>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>

#include <xcb/xcb.h>

#include <cstdlib>

namespace {

// Asks the window manager to move `janela`'s frame to `destino`, as a pager or the user's drag
// does: the program itself never sets that position.
void moverPeloGerenciador(QWindow *janela, QPoint destino)
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *conexao = x11->connection();
    const QByteArray nome("_NET_MOVERESIZE_WINDOW");
    xcb_intern_atom_reply_t *atomo =
        xcb_intern_atom_reply(conexao, xcb_intern_atom(conexao, 0, uint16_t(nome.size()), nome.constData()), nullptr);
    if (!atomo)
        return;
    xcb_client_message_event_t evento{};
    evento.response_type = XCB_CLIENT_MESSAGE;
    evento.format = 32;
    evento.window = xcb_window_t(janela->winId());
    evento.type = atomo->atom;
    // North-west gravity, x and y given, asked by a pager.
    evento.data.data32[0] = 1u | (1u << 8) | (1u << 9) | (2u << 12);
    evento.data.data32[1] = uint32_t(destino.x());
    evento.data.data32[2] = uint32_t(destino.y());
    free(atomo);
    const xcb_window_t raiz = xcb_setup_roots_iterator(xcb_get_setup(conexao)).data->root;
    xcb_send_event(conexao, 0, raiz, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&evento));
    xcb_flush(conexao);
}

// Whether a window manager has taken the screen (it names its check window on the root).
bool haGerenciadorDeJanelas()
{
    // A connection of its own: Qt's is left to Qt's event reader.
    xcb_connection_t *conexao = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(conexao)) {
        xcb_disconnect(conexao);
        return false;
    }
    const QByteArray nome("_NET_SUPPORTING_WM_CHECK");
    xcb_intern_atom_reply_t *atomo =
        xcb_intern_atom_reply(conexao, xcb_intern_atom(conexao, 0, uint16_t(nome.size()), nome.constData()), nullptr);
    if (!atomo) {
        xcb_disconnect(conexao);
        return false;
    }
    const xcb_window_t raiz = xcb_setup_roots_iterator(xcb_get_setup(conexao)).data->root;
    xcb_get_property_reply_t *valor = xcb_get_property_reply(
        conexao, xcb_get_property(conexao, 0, raiz, atomo->atom, XCB_ATOM_WINDOW, 0, 1), nullptr);
    free(atomo);
    const bool ha = valor && xcb_get_property_value_length(valor) > 0;
    free(valor);
    xcb_disconnect(conexao);
    return ha;
}

} // namespace

class LerDaTela : public QuadroDoEditor {
protected:
    void TearDown() override
    {
        if (gerenciador.state() != QProcess::NotRunning) {
            gerenciador.terminate();
            if (!gerenciador.waitForFinished(5000)) {
                gerenciador.kill();
                gerenciador.waitForFinished(5000);
            }
        }
        if (outro.state() != QProcess::NotRunning) {
            outro.kill();
            outro.waitForFinished(5000);
        }
        Seguranca::removerAutenticador();
        QuadroDoEditor::TearDown();
    }

    // Shows `imagem` from another process at (x, y) and waits until it is on the screen.
    bool mostrarEmOutroPrograma(const QString &imagem, int x, int y)
    {
        outro.start(QStringLiteral(CORVANE_MOSTRAR_QR), {imagem, QString::number(x), QString::number(y)});
        if (!outro.waitForStarted(10000))
            return false;
        return esperarAte([&] { return outro.readAllStandardOutput().contains("pronto") || outro.state() == QProcess::NotRunning; }) &&
               outro.state() == QProcess::Running;
    }

    QProcess outro;
    QProcess gerenciador;
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

TEST_F(LerDaTela, JanelasVoltamOndeEstavamComUmGerenciadorDeJanelas)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "precisa de um servidor X";
    if (QStandardPaths::findExecutable(QStringLiteral("openbox")).isEmpty())
        GTEST_SKIP() << "precisa do openbox";
    // A real window manager places a window that is mapped again as it places a new one.
    // Its start-up command runs once it manages the screen: a window mapped while it is still
    // starting may never be shown.
    gerenciador.start(QStringLiteral("openbox"),
                      {QStringLiteral("--sm-disable"), QStringLiteral("--startup"), QStringLiteral("echo pronto")});
    ASSERT_TRUE(gerenciador.waitForStarted(10000));
    QByteArray saida;
    ASSERT_TRUE(esperarAte([&] {
        saida += gerenciador.readAllStandardOutput();
        return saida.contains("pronto") || gerenciador.state() == QProcess::NotRunning;
    }));
    ASSERT_TRUE(haGerenciadorDeJanelas()) << "o openbox não assumiu a tela";
    const QString link = QStringLiteral("otpauth://totp/GitHub:ana?secret=JBSWY3DPEHPK3PXP&issuer=GitHub");
    const QString imagem = pasta.arquivo(QStringLiteral("qr-na-tela.png"));
    ASSERT_TRUE(Testes::imagemDeQR(link, 240).save(imagem));
    mostrar(QStringLiteral("import QtQuick\nItem {}"), QSize(420, 320), QStringLiteral("#ffffff"));
    ASSERT_TRUE(esperarAte([&] { return janela()->frameMargins().top() > 0; })) << "o openbox não enquadrou a janela";
    ASSERT_TRUE(mostrarEmOutroPrograma(imagem, 700, 500));
    const QPoint antes = janela()->position();
    moverPeloGerenciador(janela(), QPoint(280, 200));
    ASSERT_TRUE(esperarAte([&] { return janela()->position() != antes; })) << "o openbox não moveu a janela";
    QTest::qWait(200);
    const QPoint ondeEstava = janela()->position();
    // A settings window, minimized over the QR code.
    QWindow ajustes;
    ajustes.resize(400, 300);
    ajustes.setPosition(700, 500);
    ajustes.show();
    ASSERT_TRUE(esperarAte([&] { return ajustes.isExposed(); }));
    ajustes.showMinimized();
    ASSERT_TRUE(esperarAte([&] { return !ajustes.isExposed(); }));
    int ajustesEscondidos = 0;
    QObject::connect(&ajustes, &QWindow::visibleChanged, [&](bool visivel) { ajustesEscondidos += visivel ? 0 : 1; });

    const QList<QString> lidos = Testes::executar(LeitorDaTelaNoMac::lerATela(estado.get()));
    EXPECT_EQ(lidos, QList<QString>{link});
    // The window manager's own moves arrive after the windows are mapped again.
    QTest::qWait(1000);
    EXPECT_EQ(janela()->position(), ondeEstava) << "a janela volta onde estava";
    EXPECT_TRUE(janela()->isVisible());
    EXPECT_TRUE(ajustes.windowStates().testFlag(Qt::WindowMinimized)) << "a janela minimizada continua minimizada";
    EXPECT_FALSE(ajustes.isExposed());
    EXPECT_EQ(ajustesEscondidos, 0) << "uma janela fora da tela não precisa sair da frente";
}

TEST_F(LerDaTela, TelaEmBrancoEhFalhaDaCapturaNaoFaltaDeQR)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "precisa de um servidor X";
    // Nothing but our window on an empty X server: once it steps aside the grab is one colour,
    // as an X11 client's grab of a Wayland session is all black.
    estado->editar(QStringLiteral("codigo"));
    mostrar(QStringLiteral("import QtQuick\nimport Corvane.App\nimport Corvane.Editores\n"
                           "EditorNoMac { estado: estadoDeTeste; anchors.fill: parent }"),
            QSize(560, 760), QStringLiteral("#ffffff"));
    auto *editor = achar<ModeloDoEditorDeCodigo>(QStringLiteral("modelo"));
    Testes::executar(editor->lerATelaAgora());
    EXPECT_EQ(editor->erro(), QStringLiteral("Não deu para ler a tela. Tente de novo."));
    EXPECT_FALSE(editor->permissaoDaTelaNegada());
    EXPECT_TRUE(janela()->isVisible());
}
