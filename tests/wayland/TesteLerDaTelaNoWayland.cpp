// "Ler da tela" on a real Wayland desktop, through the real screenshot portal
// (xdg-desktop-portal with its wlr backend): another Wayland program shows a QR code, and the
// reading finds it; our own window, showing a code of its own, must not be in the image.
#include "LeitorDaTela.h"
#include "SessaoWayland.h"
#include "support/DiretorioTemporario.h"
#include "support/Executar.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QProcess>
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

    // Shows the other program's QR code and ours side by side; the reading's result.
    QList<QString> lerComAsDuasNaTela()
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
    const QList<QString> lidos = lerComAsDuasNaTela();
    EXPECT_TRUE(lidos.contains(linkDoOutro)) << lidos.join(' ').toStdString();
}

// To be enabled with the capture path that keeps our windows out of the portal's image.
TEST_F(LerDaTelaNoWayland, DISABLED_NossaJanelaNaoEntraNaImagemDoPortal)
{
    EXIGIR_SESSAO_WAYLAND();
    const QList<QString> lidos = lerComAsDuasNaTela();
    EXPECT_TRUE(lidos.contains(linkDoOutro)) << lidos.join(' ').toStdString();
    EXPECT_FALSE(lidos.contains(linkNosso)) << "our own window was in the portal's image";
    EXPECT_TRUE(nossa.isVisible()) << "our window comes back after the shot";
}
