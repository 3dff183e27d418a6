// "Ler da tela" on a real Wayland desktop, through the real screenshot portal
// (xdg-desktop-portal with its wlr backend): another Wayland program shows a QR code, and the
// reading finds it; our own window, showing a code of its own over the other's, steps aside for
// the shot and comes back, and the code form is filled with what the other's code says.
#include "EditorDeCodigo.h"
#include "LeitorDaTela.h"
#include "QuadroDoEditor.h"
#include "SessaoWayland.h"
#include "support/DiretorioTemporario.h"
#include "support/Executar.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QProcess>
#include <QQuickItem>
#include <QQuickWindow>
#include <QRasterWindow>
#include <QTest>

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

using namespace std::chrono_literals;

namespace {

QImage imagemDeQR(const QString &texto, int lado = 240)
{
    ZXing::MultiFormatWriter escritor(ZXing::BarcodeFormat::QRCode);
    escritor.setMargin(4);
    const ZXing::BitMatrix matriz = escritor.encode(texto.toStdString(), lado, lado);
    QImage imagem(matriz.width(), matriz.height(), QImage::Format_RGB32);
    for (int y = 0; y < matriz.height(); ++y)
        for (int x = 0; x < matriz.width(); ++x)
            imagem.setPixel(x, y, matriz.get(x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    return imagem;
}

class JanelaComQR final : public QRasterWindow {
public:
    explicit JanelaComQR(QImage imagem) : imagem_(std::move(imagem)) { resize(480, 480); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter pintor(this);
        pintor.fillRect(QRect(QPoint(), size()), Qt::white);
        pintor.drawImage((width() - imagem_.width()) / 2, (height() - imagem_.height()) / 2, imagem_);
    }

private:
    QImage imagem_;
};

const QString linkDoOutro = QStringLiteral("otpauth://totp/GitHub:ana?secret=JBSWY3DPEHPK3PXP&issuer=GitHub");
const QString linkNosso = QStringLiteral("otpauth://totp/Nosso:bia?secret=KRSXG5CTMVRXEZLU&issuer=Nosso");

class LerDaTelaNoWayland : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (outro.state() != QProcess::NotRunning) {
            outro.kill();
            outro.waitForFinished(5000);
        }
    }

    // Shows the other program's QR code and ours side by side.
    void mostrarAsDuas()
    {
        const QString arquivo = pasta.arquivo(QStringLiteral("qr-do-outro.png"));
        EXPECT_TRUE(imagemDeQR(linkDoOutro).save(arquivo));
        auto ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
        outro.setProcessEnvironment(ambiente);
        outro.start(QStringLiteral(CORVANE_MOSTRAR_QR), {arquivo, QStringLiteral("0"), QStringLiteral("0")});
        EXPECT_TRUE(outro.waitForStarted(10000));
        EXPECT_TRUE(QTest::qWaitFor([&] { return outro.readAllStandardOutput().contains("pronto"); }, 20000));
        nossa.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&nossa));
        QTest::qWait(1000);
    }

    // Floats both windows at the same place, ours on top: the other's code is hidden under ours.
    bool porANossaSobreAOutra()
    {
        const QString outroCriterio = QStringLiteral("[pid=%1]").arg(outro.processId());
        const QString nossoCriterio = QStringLiteral("[pid=%1]").arg(QCoreApplication::applicationPid());
        const QString lugar = QStringLiteral("floating enable, resize set 480 480, move absolute position 200 150");
        if (!SessaoWayland::comandar(outroCriterio, lugar) || !SessaoWayland::comandar(nossoCriterio, lugar + QStringLiteral(", focus")))
            return false;
        QTest::qWait(800);
        return true;
    }

    // The reading's result.
    QList<QString> ler()
    {
        (void)SessaoWayland::capturar(QStringLiteral("wayland-ler-da-tela-antes"));
        return Testes::executar(LeitorDaTelaNoMac::lerATela(nullptr), 60s);
    }

    DiretorioTemporario pasta;
    QProcess outro;
    JanelaComQR nossa{imagemDeQR(linkNosso)};
};

} // namespace

TEST_F(LerDaTelaNoWayland, PeloPortalLeOQRDeOutraJanela)
{
    EXIGIR_SESSAO_WAYLAND();
    mostrarAsDuas();
    const QList<QString> lidos = ler();
    EXPECT_TRUE(lidos.contains(linkDoOutro)) << lidos.join(' ').toStdString();
}

TEST_F(LerDaTelaNoWayland, NossaJanelaNaoEntraNaImagemDoPortal)
{
    EXIGIR_SESSAO_WAYLAND();
    mostrarAsDuas();
    ASSERT_TRUE(porANossaSobreAOutra());
    // What the user sees: our code, the other's hidden under it.
    const QList<QString> naTela = LeitorDaTelaNoMac::lerImagem(SessaoWayland::capturar(QStringLiteral("wayland-nossa-sobre-a-outra")));
    ASSERT_TRUE(naTela.contains(linkNosso)) << naTela.join(' ').toStdString();
    ASSERT_FALSE(naTela.contains(linkDoOutro)) << "our window does not cover the other's code";

    int escondida = 0;
    QObject::connect(&nossa, &QWindow::visibleChanged, &nossa, [&](bool visivel) { escondida += visivel ? 0 : 1; });
    ModeloDoEditorDeCodigo editor;
    editor.lerATela();
    EXPECT_TRUE(editor.lendoATela());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !editor.lendoATela(); }, 60'000));
    EXPECT_EQ(editor.erro(), QString());
    // The form holds what the other's code says, not ours.
    EXPECT_EQ(editor.emissor(), QStringLiteral("GitHub"));
    EXPECT_EQ(editor.conta(), QStringLiteral("ana"));
    EXPECT_EQ(editor.segredo(), QStringLiteral("JBSWY3DPEHPK3PXP"));
    EXPECT_EQ(escondida, 1) << "our window left only for the shot";
    EXPECT_TRUE(nossa.isVisible()) << "our window comes back after the shot";
    // The compositor maps it again.
    const auto devolta = SessaoWayland::janelaDoProcesso(QCoreApplication::applicationPid(), 10'000);
    ASSERT_TRUE(devolta.has_value()) << "our window is not on the screen again";
    (void)SessaoWayland::capturar(QStringLiteral("wayland-ler-da-tela-depois"));
}

// The code editor itself, drawn natively in the session over an open vault: "Ler da tela" fills
// its form from the other program's code.
class FormularioNoWayland : public QuadroDoEditor {
protected:
    void TearDown() override
    {
        if (outro.state() != QProcess::NotRunning) {
            outro.kill();
            outro.waitForFinished(5000);
        }
        QuadroDoEditor::TearDown();
    }
    QProcess outro;
};

TEST_F(FormularioNoWayland, LerDaTelaPreencheOFormularioComOCodigoDaOutraJanela)
{
    EXIGIR_SESSAO_WAYLAND();
    const QString arquivo = pasta.arquivo(QStringLiteral("qr-do-outro.png"));
    ASSERT_TRUE(imagemDeQR(linkDoOutro).save(arquivo));
    auto ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    outro.setProcessEnvironment(ambiente);
    outro.start(QStringLiteral(CORVANE_MOSTRAR_QR), {arquivo, QStringLiteral("0"), QStringLiteral("0")});
    ASSERT_TRUE(outro.waitForStarted(10000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return outro.readAllStandardOutput().contains("pronto"); }, 20000));

    estado->editar(QStringLiteral("codigo"));
    mostrar(QStringLiteral("import QtQuick\nimport Corvane.App\nimport Corvane.Editores\n"
                           "EditorNoMac { estado: estadoDeTeste; anchors.fill: parent }"),
            QSize(560, 760), QStringLiteral("#ffffff"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(janela()));
    auto *editor = achar<ModeloDoEditorDeCodigo>(QStringLiteral("modelo"));
    ASSERT_NE(editor, nullptr);
    // The form over the other's code, as a user drags a window over a page with the code.
    const QString lugar = QStringLiteral("floating enable, resize set 560 760, move absolute position 100 100");
    ASSERT_TRUE(SessaoWayland::comandar(QStringLiteral("[pid=%1]").arg(outro.processId()), lugar));
    ASSERT_TRUE(SessaoWayland::comandar(QStringLiteral("[pid=%1]").arg(QCoreApplication::applicationPid()),
                                        lugar + QStringLiteral(", focus")));
    avancar(1000);
    QTest::qWait(500);
    ASSERT_TRUE(LeitorDaTelaNoMac::lerImagem(SessaoWayland::capturar(QStringLiteral("wayland-formulario-antes"))).isEmpty())
        << "the form does not cover the other's code";

    editor->lerATela();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !editor->lendoATela(); }, 60'000));
    EXPECT_EQ(editor->erro(), QString());
    EXPECT_EQ(editor->emissor(), QStringLiteral("GitHub"));
    EXPECT_EQ(editor->conta(), QStringLiteral("ana"));
    EXPECT_EQ(editor->segredo(), QStringLiteral("JBSWY3DPEHPK3PXP"));
    EXPECT_TRUE(janela()->isVisible());
    // The form as the user sees it again: the window back on the screen, its fields filled.
    avancar(1500);
    QTest::qWait(800);
    const auto devolta = SessaoWayland::janelaDoProcesso(QCoreApplication::applicationPid(), 10'000);
    ASSERT_TRUE(devolta.has_value());
    const QImage formulario = SessaoWayland::capturar(QStringLiteral("wayland-formulario-preenchido"), SessaoWayland::retangulo(*devolta));
    ASSERT_FALSE(formulario.isNull());
    EXPECT_GE(SessaoWayland::cores(formulario), 16) << "the form did not draw";
}
