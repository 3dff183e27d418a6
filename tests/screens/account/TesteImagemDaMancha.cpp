// The showcase's blobs as pictures painted once: the picture holds the blob's soft edge, is cut
// tight to what shows, and is painted again only while it moves over one of the panel's rounded
// corners, which it leaves clear.
#include "Formulario.h"

#include "screens/account/ImagemDaMancha.h"
#include "screens/account/RegrasDaVitrine.h"

#include <QQmlComponent>
#include <QQuickItem>

#include <cmath>
#include <memory>

namespace {

struct Mancha {
    const char *nome;
    QColor cor;
    double alfa;
    double raio;
    double desfoque;
};

const Mancha manchas[] = {
    {"azul a 16 %", QColor(0, 122, 255), 0.16, 160, 35},
    {"clara a 28 %", QColor(143, 176, 255), 0.28, 140, 35},
    {"sem desfoque", QColor(255, 0, 0), 0.5, 40, 0},
};

TEST(ImagemDaMancha, GuardaABordaSuaveECortaOQueNaoAparece)
{
    for (const Mancha &m : manchas) {
        SCOPED_TRACE(m.nome);
        const QImage imagem = ImagemDaMancha::desenhar(m.cor, m.alfa, m.raio, m.desfoque);
        ASSERT_FALSE(imagem.isNull());
        ASSERT_EQ(imagem.width(), imagem.height());
        const double alcance = m.raio + 3 * m.desfoque;
        EXPECT_LE(imagem.width(), std::ceil(2 * alcance));
        const double c = imagem.width() / 2.0;
        // Along a row through the centre, the alpha follows the blurred disc's edge (the gradient's
        // stops are a tenth of the reach apart, so between them it may stray a little).
        for (double d = 0; d < c - 1; d += 7) {
            const double esperado = 255 * m.alfa * vitrine::opacidadeDaMancha(d, m.raio, m.desfoque);
            const QRgb pixel = imagem.pixel(static_cast<int>(c + d), static_cast<int>(c));
            EXPECT_NEAR(qAlpha(pixel), esperado, 3) << "at " << d;
        }
        // The colour is the blob's own (premultiplied by its alpha).
        const QColor centro = QColor::fromRgba(imagem.pixel(static_cast<int>(c), static_cast<int>(c)));
        EXPECT_NEAR(centro.alphaF(), m.alfa, 0.01);
        // Cut tight: something shows on the outer rows; a blurred edge leaves the corners empty.
        bool algoNaBorda = false;
        for (int x = 0; x < imagem.width(); ++x)
            algoNaBorda = algoNaBorda || qAlpha(imagem.pixel(x, 0)) != 0 || qAlpha(imagem.pixel(0, x)) != 0;
        EXPECT_TRUE(algoNaBorda);
        if (m.desfoque > 0) {
            EXPECT_LT(imagem.width(), std::ceil(2 * alcance)) << "the faint rim that rounds to nothing is dropped";
            EXPECT_EQ(qAlpha(imagem.pixel(0, 0)), 0);
        }
    }
}

TEST(ImagemDaMancha, SemTamanhoNaoDesenhaNada)
{
    EXPECT_TRUE(ImagemDaMancha::desenhar(Qt::blue, 0.5, 0, 0).isNull());
}

using ImagemDaManchaNaTela = TesteQuick;

// A clipped square panel of `lado` points, its corners rounded by 40, holding one blob with the
// given properties.
QString painelComUmaMancha(int lado, const QString &propriedades)
{
    return importacoesDaConta + QStringLiteral(R"(
Item {
    width: %1; height: %1
    Item {
        id: painel
        width: %1; height: %1
        clip: true
        ImagemDaMancha {
%2
            larguraDoRecorte: painel.width
            alturaDoRecorte: painel.height
            raioDoRecorte: 40
        }
    }
})").arg(lado).arg(propriedades);
}

TEST_F(ImagemDaManchaNaTela, SoSePintaDeNovoSobreUmCantoArredondadoEODeixaLimpo)
{
    // A 400-point panel with corners of radius 40 on white; the blob, 100 points wide, starts in
    // the middle.
    ASSERT_TRUE(mostrar(painelComUmaMancha(400, QStringLiteral(R"(
            objectName: "mancha"
            cor: "#ff0000"; alfa: 1; raio: 50; desfoque: 0
            x: 150; y: 150)")),
                        QSize(400, 400), QStringLiteral("#ffffff")));
    auto *mancha = achar<QQuickItem>(QStringLiteral("mancha"));
    ASSERT_TRUE(mancha);
    ASSERT_EQ(mancha->width(), 100);
    capturar(QStringLiteral("mancha-no-meio"));
    const int pintadaNoMeio = mancha->property("pinturas").toInt();
    EXPECT_GE(pintadaNoMeio, 1);

    struct Lugar {
        const char *nome;
        QPointF posicao;
        bool pintaDeNovo;
    };
    const Lugar lugares[] = {
        {"moved in the clear", {120, 160}, false},
        {"moved along the top edge, clear of the corners", {150, -20}, false},
        {"over the top-left corner", {-10, -10}, true},
        {"moved inside that corner", {-12, -12}, true},
        {"just off it", {60, 60}, true},
        {"in the clear again", {150, 150}, false},
        {"over the bottom-right corner", {310, 310}, true},
    };
    int antes = pintadaNoMeio;
    for (const Lugar &lugar : lugares) {
        SCOPED_TRACE(lugar.nome);
        mancha->setPosition(lugar.posicao);
        avancar(16);
        capturar(QStringLiteral("mancha-lugar"));
        const int agora = mancha->property("pinturas").toInt();
        EXPECT_EQ(agora > antes, lugar.pintaDeNovo);
        antes = agora;
    }

    // Over the bottom-right corner: the disc's quarter past the arc is cut away, what is inside
    // the arc is drawn.
    const QImage imagem = capturar(QStringLiteral("mancha-no-canto"));
    const qreal escala = imagem.devicePixelRatio();
    const auto cor = [&](int x, int y) { return imagem.pixelColor(QPoint(int(x * escala), int(y * escala))); };
    EXPECT_TRUE(parecida(cor(397, 397), QColor(Qt::white))) << cor(397, 397).name().toStdString();
    EXPECT_TRUE(parecida(cor(395, 385), QColor(Qt::white))) << cor(395, 385).name().toStdString();
    EXPECT_TRUE(parecida(cor(370, 370), QColor(Qt::red))) << cor(370, 370).name().toStdString();
    EXPECT_TRUE(parecida(cor(390, 350), QColor(Qt::red))) << cor(390, 350).name().toStdString();
}

TEST_F(ImagemDaManchaNaTela, MovidaPorUmCantoFicaIgualAUmaPintadaAliDeUmaVez)
{
    // Each move repaints only the corner squares; after a walk into, along and out of corners the
    // picture must be the one a blob painted whole at the same place shows.
    ASSERT_TRUE(mostrar(painelComUmaMancha(300, QStringLiteral(R"(
            objectName: "movida"
            cor: "#2050ff"; alfa: 0.8; raio: 60; desfoque: 12
            x: 100; y: 100)")),
                        QSize(300, 300), QStringLiteral("#ffffff")));
    auto *movida = achar<QQuickItem>(QStringLiteral("movida"));
    ASSERT_TRUE(movida);
    const double lado = movida->width();

    struct Caminho {
        const char *nome;
        QPointF de, ate;
    };
    const Caminho caminhos[] = {
        {"into the top-left corner", {40, 40}, {-30, -25}},
        {"along the top edge from one corner to the other", {-20, -20}, {300 - lado + 20, -20}},
        {"out of the bottom-right corner", {300 - lado + 30, 300 - lado + 24}, {100, 110}},
    };
    for (const Caminho &caminho : caminhos) {
        SCOPED_TRACE(caminho.nome);
        movida->setVisible(true);
        movida->setPosition(caminho.de);
        avancar(16);
        capturar(QStringLiteral("mancha-caminho"));
        const QPointF passo = (caminho.ate - caminho.de) / 12;
        for (int i = 1; i <= 12; ++i) {
            movida->setPosition(QPointF(std::round(caminho.de.x() + i * passo.x()),
                                        std::round(caminho.de.y() + i * passo.y())));
            avancar(16);
            capturar(QStringLiteral("mancha-caminho"));
        }
        const QImage andando = capturar(QStringLiteral("mancha-caminho-fim-") + QString::number(&caminho - caminhos));

        // The same blob, made afresh where the walk ended.
        movida->setVisible(false);
        QQmlComponent componente(&engine());
        componente.setData((importacoesDaConta + QStringLiteral(R"(
ImagemDaMancha {
    cor: "#2050ff"; alfa: 0.8; raio: 60; desfoque: 12
    larguraDoRecorte: 300; alturaDoRecorte: 300; raioDoRecorte: 40
})")).toUtf8(),
                           QUrl());
        std::unique_ptr<QQuickItem> fresca(qobject_cast<QQuickItem *>(componente.create()));
        ASSERT_TRUE(fresca) << componente.errorString().toStdString();
        fresca->setPosition(movida->position());
        fresca->setParentItem(movida->parentItem());
        avancar(16);
        const QImage inteira = capturar(QStringLiteral("mancha-caminho-inteira-") + QString::number(&caminho - caminhos));
        fresca.reset();

        ASSERT_EQ(andando.size(), inteira.size());
        int diferentes = 0;
        for (int y = 0; y < andando.height(); ++y)
            for (int x = 0; x < andando.width(); ++x)
                diferentes += andando.pixel(x, y) != inteira.pixel(x, y);
        EXPECT_EQ(diferentes, 0);
    }
}

} // namespace
