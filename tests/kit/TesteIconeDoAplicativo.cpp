// The application icon written at build time is the same padlock the screens draw.
#include "support/quick/TesteQuick.h"

#include <QFile>
#include <QPainter>

namespace {

class IconeDoAplicativo : public TesteQuick {};

TEST_F(IconeDoAplicativo, IgualAoCadeadoAzulDasTelas)
{
    QImage arquivo(QStringLiteral(CORVANE_ICONES "/corvane-128.png"));
    ASSERT_FALSE(arquivo.isNull());
    ASSERT_EQ(arquivo.size(), QSize(128, 128));
    QFile svg(QStringLiteral(CORVANE_ICONES "/corvane.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("#3b74ff"));

    ASSERT_TRUE(mostrar(importacoes + QStringLiteral("IconeDaMarca { tamanho: 128; estilo: EstiloDaMarca.Azul }"),
                        QSize(128, 128), QStringLiteral("#ffffff")));
    const QImage tela = capturar(QStringLiteral("icone-do-aplicativo-na-tela")).convertToFormat(QImage::Format_RGB32);
    QImage sobreBranco(128, 128, QImage::Format_RGB32);
    sobreBranco.fill(Qt::white);
    QPainter(&sobreBranco).drawImage(0, 0, arquivo);
    int diferentes = 0;
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 128; ++x) {
            const QColor a = tela.pixelColor(x, y);
            const QColor b = sobreBranco.pixelColor(x, y);
            if (std::abs(a.red() - b.red()) > 48 || std::abs(a.green() - b.green()) > 48 || std::abs(a.blue() - b.blue()) > 48)
                ++diferentes;
        }
    }
    // Only antialiased edges may differ.
    EXPECT_LT(diferentes, 128 * 128 / 50) << diferentes;
}

} // namespace
