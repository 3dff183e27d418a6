// The showcase's background as one composed picture: each blob's picture holds its soft edge and
// is cut tight to what shows; on screen the panel, dots and blobs add up to the picture composed
// from nothing, the rounded corners stay clear, and a move composes only the squares the blob
// left and entered.
#include "Formulario.h"

#include "screens/account/FundoDaVitrine.h"
#include "screens/account/RegrasDaVitrine.h"

#include <QPainter>
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

TEST(ManchaDoFundo, GuardaABordaSuaveECortaOQueNaoAparece)
{
    for (const Mancha &m : manchas) {
        SCOPED_TRACE(m.nome);
        const QImage imagem = ManchaDoFundo::desenhar(m.cor, m.alfa, m.raio, m.desfoque);
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

TEST(ManchaDoFundo, SemTamanhoNaoDesenhaNada)
{
    EXPECT_TRUE(ManchaDoFundo::desenhar(Qt::blue, 0.5, 0, 0).isNull());
}

class FundoNaTela : public TesteQuick {
protected:
    // A `lado`-point background with corners of radius 40 and one blob (`mancha`: its
    // properties), shown on white.
    FundoDaVitrine *mostrarFundo(int lado, const QString &mancha)
    {
        return qobject_cast<FundoDaVitrine *>(mostrar(importacoesDaConta + QStringLiteral(R"(
FundoDaVitrine {
    width: %1; height: %1
    cor: "#eef2fb"
    raioDoRecorte: 40
    manchas: [
        ManchaDoFundo {
            objectName: "mancha"
%2
        }
    ]
})").arg(lado).arg(mancha),
                                                      QSize(lado, lado), QStringLiteral("#ffffff")));
    }
};

// A soft blue blob in the middle of a 300-point background.
const QString manchaAzulNoMeio = QStringLiteral(R"(
            cor: "#2050ff"; alfa: 0.8; raio: 60; desfoque: 12
            centro: Qt.point(150, 150))");

// Pixels of `a` and `b` whose channels differ by more than `tolerancia` (the screen draws the
// textures through OpenGL, which may round a blend differently).
int diferentes(const QImage &a, const QImage &b, int tolerancia = 2)
{
    if (a.size() != b.size())
        return a.width() * a.height();
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y);
            const QColor q = b.pixelColor(x, y);
            n += std::abs(p.red() - q.red()) > tolerancia || std::abs(p.green() - q.green()) > tolerancia
                 || std::abs(p.blue() - q.blue()) > tolerancia;
        }
    return n;
}

// The background composed from nothing, over white, as the screen shows it.
QImage esperado(FundoDaVitrine &fundo, qreal escala)
{
    QList<ManchaDoFundo *> manchas;
    auto lista = fundo.manchas();
    for (qsizetype i = 0; i < lista.count(&lista); ++i)
        manchas.append(lista.at(&lista, i));
    const QImage composta = FundoDaVitrine::compor(fundo.size(), escala, fundo.cor(), fundo.raioDoRecorte(), manchas);
    QImage sobreBranco(composta.size(), QImage::Format_ARGB32_Premultiplied);
    sobreBranco.fill(Qt::white);
    QPainter(&sobreBranco).drawImage(0, 0, composta);
    return sobreBranco;
}

TEST_F(FundoNaTela, MovidaFicaIgualAoFundoCompostoDeUmaVezEComponSoOQueMudou)
{
    FundoDaVitrine *fundo = mostrarFundo(300, manchaAzulNoMeio);
    ASSERT_TRUE(fundo);
    auto *mancha = achar<ManchaDoFundo>(QStringLiteral("mancha"));
    ASSERT_TRUE(mancha);
    const int lado = mancha->imagem().width();
    ASSERT_GT(lado, 100);

    struct Caminho {
        const char *nome;
        QPointF de, ate;
    };
    const Caminho caminhos[] = {
        {"into the top-left corner", {120, 120}, {30, 35}},
        {"along the top edge from one corner to the other", {40, 30}, {260, 30}},
        {"out of the bottom-right corner", {270, 264}, {150, 160}},
        {"half off the left edge", {150, 150}, {-20, 150}},
    };
    for (const Caminho &caminho : caminhos) {
        SCOPED_TRACE(caminho.nome);
        mancha->definirCentro(caminho.de);
        avancar(16);
        (void)janela()->grabWindow();
        const QPointF passo = (caminho.ate - caminho.de) / 12;
        for (int i = 1; i <= 12; ++i) {
            const qint64 antes = fundo->pixelsCompostos();
            mancha->definirCentro(caminho.de + i * passo);
            avancar(16);
            (void)janela()->grabWindow(); // a frame
            // The blob's old and new squares, a pixel wider each side, and never the whole panel.
            const qint64 compostos = fundo->pixelsCompostos() - antes;
            const qreal escala = janela()->effectiveDevicePixelRatio();
            EXPECT_GT(compostos, 0);
            EXPECT_LE(compostos, 2 * (lado + 2) * (lado + 2) * escala * escala);
        }
        const QImage tela = capturar(QStringLiteral("fundo-caminho-") + QString::number(&caminho - caminhos));
        EXPECT_EQ(diferentes(tela.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                             esperado(*fundo, tela.devicePixelRatio())),
                  0);
    }

    // Frames where nothing moved compose nothing; a move of less than a point neither.
    const qint64 parado = fundo->pixelsCompostos();
    avancar(100);
    (void)janela()->grabWindow();
    mancha->definirCentro(mancha->centro() + QPointF(0.2, 0));
    avancar(100);
    (void)janela()->grabWindow();
    EXPECT_EQ(fundo->pixelsCompostos(), parado);
}

TEST_F(FundoNaTela, CantosArredondadosFicamLimposComAManchaSobreEles)
{
    ASSERT_TRUE(mostrarFundo(400, QStringLiteral(R"(
            cor: "#ff0000"; alfa: 1; raio: 50; desfoque: 0
            centro: Qt.point(360, 360))")));
    // The disc's quarter past the arc is cut away; inside the arc it is drawn; the rest of the
    // panel is its own colour.
    const QImage imagem = capturar(QStringLiteral("fundo-mancha-no-canto"));
    const qreal escala = imagem.devicePixelRatio();
    const auto cor = [&](int x, int y) { return imagem.pixelColor(QPoint(int(x * escala), int(y * escala))); };
    const struct {
        QPoint ponto;
        QColor cor;
    } pontos[] = {
        {{397, 397}, Qt::white},  {{395, 385}, Qt::white}, {{2, 2}, Qt::white},
        {{370, 370}, Qt::red},    {{390, 350}, Qt::red},   {{200, 200}, QColor(0xee, 0xf2, 0xfb)},
        {{200, 2}, QColor(0xee, 0xf2, 0xfb)},
    };
    for (const auto &p : pontos)
        EXPECT_TRUE(parecida(cor(p.ponto.x(), p.ponto.y()), p.cor))
            << p.ponto.x() << "," << p.ponto.y() << ": " << cor(p.ponto.x(), p.ponto.y()).name().toStdString();
}

TEST_F(FundoNaTela, SemAsManchasFicaOPainelComOsPontos)
{
    FundoDaVitrine *fundo = mostrarFundo(300, manchaAzulNoMeio);
    ASSERT_TRUE(fundo);
    // The blob goes (as the layer does under reduced motion): the panel is bare where it was.
    delete achar<ManchaDoFundo>(QStringLiteral("mancha"));
    avancar(16);
    auto lista = fundo->manchas();
    EXPECT_EQ(lista.count(&lista), 0);
    const QImage tela = capturar(QStringLiteral("fundo-sem-manchas"));
    const QImage semManchas = esperado(*fundo, tela.devicePixelRatio());
    EXPECT_EQ(diferentes(tela.convertToFormat(QImage::Format_ARGB32_Premultiplied), semManchas), 0);
    // The dots show: around the middle, pixels darker than the panel's own colour.
    int pontos = 0;
    for (int y = semManchas.height() / 3; y < 2 * semManchas.height() / 3; ++y)
        for (int x = semManchas.width() / 3; x < 2 * semManchas.width() / 3; ++x)
            pontos += qRed(semManchas.pixel(x, y)) < 0xec;
    EXPECT_GT(pontos, 10);
}

} // namespace
