// The brand padlock as drawn: its three looks and sizes, the open-and-close cycle and the wave
// under a stepped clock, the shackle picture against the vector path, one frame per step, and
// reduced motion.
#include "kit/CicloDoCadeado.h"
#include "kit/MovimentoReduzido.h"
#include "support/quick/TesteQuick.h"

#include <QPainterPath>
#include <QQuickItem>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

namespace {

bool parecida(QColor a, QColor b, int tolerancia = 8)
{
    return std::abs(a.red() - b.red()) <= tolerancia && std::abs(a.green() - b.green()) <= tolerancia
        && std::abs(a.blue() - b.blue()) <= tolerancia;
}

const QColor azul(59, 116, 255);
const QColor branco(255, 255, 255);

class IconeDaMarca : public TesteQuick {
protected:
    // The colour drawn at grid point (ux, uy) of a mark, in design units.
    QColor corNaGrade(const QImage &imagem, QQuickItem *marca, double ux, double uy)
    {
        const double tamanho = marca->property("tamanho").toDouble();
        const bool soCadeado = marca->property("soCadeado").toBool();
        const double u = soCadeado ? tamanho / 67.5 : tamanho / 120;
        const double x0 = soCadeado ? -35 * u : 0;
        const double y0 = soCadeado ? -26.25 * u : 0;
        return imagem.pixelColor(ponto(marca, x0 + ux * u, y0 + uy * u));
    }
};

TEST_F(IconeDaMarca, TresVisualEmQuatroTamanhos)
{
    QQuickItem *raiz = mostrar(importacoes + QStringLiteral(R"(
Column {
    padding: 24
    spacing: 24
    Repeater {
        model: [EstiloDaMarca.Azul, EstiloDaMarca.Claro, EstiloDaMarca.Cadeado]
        Row {
            id: linha
            required property int modelData
            spacing: 24
            Repeater {
                model: [28, 60, 88, 112]
                IconeDaMarca {
                    required property int modelData
                    objectName: "marca-" + linha.modelData + "-" + modelData
                    anchors.verticalCenter: parent.verticalCenter
                    tamanho: modelData
                    estilo: linha.modelData
                }
            }
        }
    }
})"),
                               QSize(480, 480), QStringLiteral("#ffffff"));
    ASSERT_TRUE(raiz);
    const QImage imagem = capturar(QStringLiteral("cadeado-visuais-28-60-88-112"));
    const QColor borda(230, 234, 241);
    struct {
        int estilo;
        QColor azulejo, corpo, ponto, alca;
    } visuais[] = {{0, azul, branco, azul, branco}, {1, branco, azul, branco, azul}, {2, branco, azul, branco, azul}};
    for (const auto &visual : visuais) {
        for (int tamanho : {60, 88, 112}) {
            SCOPED_TRACE(QStringLiteral("look %1 size %2").arg(visual.estilo).arg(tamanho).toStdString());
            auto *marca = achar<QQuickItem>(QStringLiteral("marca-%1-%2").arg(visual.estilo).arg(tamanho));
            ASSERT_TRUE(marca);
            EXPECT_TRUE(parecida(corNaGrade(imagem, marca, 60, 80), visual.corpo));  // body below the dots
            EXPECT_TRUE(parecida(corNaGrade(imagem, marca, 48, 71.75), visual.ponto)); // first dot's centre
            EXPECT_TRUE(parecida(corNaGrade(imagem, marca, 60, 29.75), visual.alca));  // shackle's top bar
            EXPECT_TRUE(parecida(corNaGrade(imagem, marca, 60, 45), visual.azulejo));  // inside the shackle
            if (visual.estilo == 1) {
                EXPECT_TRUE(parecida(imagem.pixelColor(ponto(marca, 0.2, tamanho / 2.0)), borda, 12));
            }
        }
    }
}

TEST_F(IconeDaMarca, MedidasDaGrade)
{
    auto *cadeado = qobject_cast<QQuickItem *>(
        criar(importacoes + QStringLiteral("IconeDaMarca { tamanho: 67.5; estilo: EstiloDaMarca.Cadeado }")));
    ASSERT_TRUE(cadeado);
    EXPECT_DOUBLE_EQ(cadeado->implicitWidth(), 50);
    EXPECT_DOUBLE_EQ(cadeado->implicitHeight(), 67.5);
    EXPECT_DOUBLE_EQ(achar<QQuickItem>(QStringLiteral("desenho"))->scale(), 1); // one unit is one point
    EXPECT_FALSE(achar<QQuickItem>(QStringLiteral("azulejo"))->isVisible());

    auto *azulejo = qobject_cast<QQuickItem *>(
        criar(importacoes + QStringLiteral("IconeDaMarca { tamanho: 1024; estilo: EstiloDaMarca.Claro }")));
    ASSERT_TRUE(azulejo);
    EXPECT_DOUBLE_EQ(azulejo->implicitWidth(), 1024);
    EXPECT_DOUBLE_EQ(achar(QStringLiteral("azulejo"))->property("radius").toDouble(), 230);
    QObject *contorno = achar(QStringLiteral("azulejo"))->property("border").value<QObject *>();
    ASSERT_TRUE(contorno);
    EXPECT_EQ(contorno->property("width").toDouble(), 1);
    EXPECT_EQ(contorno->property("color").value<QColor>(), QColor(230, 234, 241));
}

class CicloNaTela : public IconeDaMarca {
protected:
    QQuickItem *mostrarTres(bool animando = true)
    {
        return mostrar(importacoes + QStringLiteral(R"(
Row {
    padding: 24
    spacing: 24
    IconeDaMarca { objectName: "azul"; tamanho: 88; estilo: EstiloDaMarca.Azul; animando: %1; abrindoEFechando: true }
    IconeDaMarca { objectName: "claro"; tamanho: 88; estilo: EstiloDaMarca.Claro; animando: %1; abrindoEFechando: true }
    IconeDaMarca { objectName: "cadeado"; tamanho: 88; estilo: EstiloDaMarca.Cadeado; animando: %1; abrindoEFechando: true }
})").arg(animando ? "true" : "false"),
                       QSize(380, 140), QStringLiteral("#f3f6fd"));
    }
    QObject *movimento(const char *marca) { return achar(QString::fromLatin1(marca))->findChild<QObject *>("movimento"); }
};

TEST_F(CicloNaTela, QuadrosDoCicloComORelogioDoTeste)
{
    ASSERT_TRUE(mostrarTres());
    const struct {
        const char *nome;
        int ms;
    } momentos[] = {{"repouso", 0},     {"subindo", 360},   {"erguido", 528},      {"girando", 840},
                    {"aberto", 1152},   {"descendo", 2016}, {"achatado", 2184},    {"ricochete", 2280}};
    int agora = 0;
    for (const auto &momento : momentos) {
        avancar(momento.ms - agora);
        agora = momento.ms;
        SCOPED_TRACE(momento.nome);
        const QuadroDoCadeado esperado = quadroDoCiclo(momento.ms / 1000.0);
        for (const char *marca : {"azul", "claro", "cadeado"}) {
            QObject *m = movimento(marca);
            EXPECT_NEAR(m->property("subida").toDouble(), esperado.subida, 0.05) << marca;
            EXPECT_NEAR(m->property("giro").toDouble(), esperado.giro, 0.5) << marca;
            EXPECT_NEAR(m->property("corpoX").toDouble(), esperado.corpoX, 0.002) << marca;
            EXPECT_NEAR(m->property("corpoY").toDouble(), esperado.corpoY, 0.002) << marca;
        }
        const QImage imagem = capturar(QStringLiteral("cadeado-ciclo-%1ms-%2").arg(momento.ms, 4, 10, QLatin1Char('0')).arg(momento.nome));
        if (momento.ms == 840) {
            // Edge-on, the white shackle of the blue tile turns pale blue; it stands on the axis.
            EXPECT_EQ(movimento("azul")->property("corDaAlca").value<QColor>(), QColor(214, 225, 255));
            EXPECT_TRUE(parecida(corNaGrade(imagem, achar<QQuickItem>("azul"), 72, 30), QColor(214, 225, 255)));
            EXPECT_TRUE(parecida(corNaGrade(imagem, achar<QQuickItem>("azul"), 50, 40), azul));
        }
        if (momento.ms == 1152) { // open: the left leg stands mirrored to the right of the axis
            EXPECT_TRUE(parecida(corNaGrade(imagem, achar<QQuickItem>("claro"), 96, 32), azul));
        }
    }
}

TEST_F(CicloNaTela, MovimentoReduzidoParaSoOCiclo)
{
    MovimentoReduzido::instancia().definir(true);
    ASSERT_TRUE(mostrarTres());
    QObject *m = movimento("azul");
    const QString fechada = m->property("caminhoDaAlca").toString();
    QList<double> escalas;
    int antes = 0;
    for (int ms : {0, 300, 700, 1150, 2184}) {
        avancar(ms - antes);
        antes = ms;
        EXPECT_EQ(m->property("subida").toDouble(), 0);
        EXPECT_EQ(m->property("giro").toDouble(), 0);
        EXPECT_EQ(m->property("corpoX").toDouble(), 1);
        EXPECT_EQ(m->property("corpoY").toDouble(), 1);
        EXPECT_EQ(m->property("caminhoDaAlca").toString(), fechada);
        escalas << m->property("escala1").toDouble();
    }
    // The dots keep pulsing.
    EXPECT_NE(escalas[0], escalas[1]);
    EXPECT_NE(escalas[1], escalas[2]);
    capturar(QStringLiteral("cadeado-movimento-reduzido"));

    // Motion allowed again: the cycle starts from its rest frame.
    MovimentoReduzido::instancia().definir(false);
    avancar(528);
    EXPECT_NEAR(m->property("subida").toDouble(), -12, 0.05);
}

// Stopping the cycle mid-turn (reduce motion switched on, or the owner turning it off) stops its
// animation cleanly, without a binding loop, and leaves the padlock closed.
TEST_F(CicloNaTela, CicloInterrompidoNoMeioParaSemLaco)
{
    ASSERT_TRUE(mostrarTres());
    avancar(840);
    QObject *azul = movimento("azul");
    ASSERT_GT(azul->property("giro").toDouble(), 10);
    MovimentoReduzido::instancia().definir(true);
    avancar(100);
    EXPECT_EQ(azul->property("giro").toDouble(), 0);
    MovimentoReduzido::instancia().definir(false);
    avancar(840);
    achar(QStringLiteral("claro"))->setProperty("abrindoEFechando", false);
    avancar(100);
    EXPECT_EQ(movimento("claro")->property("giro").toDouble(), 0);
    EXPECT_FALSE(movimento("claro")->property("cicloAtivo").toBool());
    // TearDown fails the test on any QML warning, a binding loop included.
}

TEST_F(CicloNaTela, ParadoQuandoNadaAnima)
{
    QQuickItem *raiz = mostrar(importacoes + QStringLiteral("IconeDaMarca { tamanho: 60; estilo: EstiloDaMarca.Claro }"),
                               QSize(60, 60));
    ASSERT_TRUE(raiz);
    QObject *m = raiz->findChild<QObject *>("movimento");
    const QString caminho = m->property("caminhoDaAlca").toString();
    for (int passo = 0; passo < 4; ++passo) {
        avancar(610);
        EXPECT_EQ(m->property("caminhoDaAlca").toString(), caminho);
        for (const char *escala : {"escala0", "escala1", "escala2"})
            EXPECT_EQ(m->property(escala).toDouble(), 1);
        EXPECT_EQ(m->property("giro").toDouble(), 0);
    }
}

// The shackle picture against the vector path it replaced (a Shape stroking the same SVG path),
// both in a layer like the mark's, at moments of the cycle that cover every shape it takes:
// closed, lifted, turning through edge-on, open, dropping and bouncing.
class AlcaComoOCaminho : public IconeDaMarca {
protected:
    // The part of the capture under `item` (its 120-unit grid).
    QImage recorte(const QImage &imagem, QQuickItem *item)
    {
        const QPoint canto = ponto(item, 0, 0);
        const QPoint fim = ponto(item, 120, 120);
        return imagem.copy(QRect(canto, fim - QPoint(1, 1)));
    }

    // How much of each pixel the blue stroke covers on white (from the red channel), its sum
    // and the box of the pixels at least a third covered.
    struct Tinta {
        explicit Tinta(const QImage &recorte) : imagem(recorte)
        {
            for (int y = 0; y < imagem.height(); ++y) {
                for (int x = 0; x < imagem.width(); ++x) {
                    total += em(x, y);
                    if (em(x, y) >= 1.0 / 3)
                        caixa |= QRect(x, y, 1, 1);
                }
            }
        }
        [[nodiscard]] double em(int x, int y) const
        {
            return std::clamp((255.0 - imagem.pixelColor(x, y).red()) / (255.0 - 59.0), 0.0, 1.0);
        }
        QImage imagem;
        double total = 0;
        QRect caixa;
    };
};

TEST_F(AlcaComoOCaminho, MesmoDesenhoEmCadaMomentoDoCiclo)
{
    QQuickItem *raiz = mostrar(importacoes + QStringLiteral(R"(
import QtQuick.Shapes
Row {
    id: raiz
    property string caminho
    property bool girando: false
    property real giro: 0
    property real subida: 0
    property color cor: Paleta.azul
    readonly property real lado: 88
    padding: 16
    spacing: 16
    component Grade: Item {
        width: 120
        height: 120
        scale: raiz.lado / 120
        transformOrigin: Item.TopLeft
        layer.enabled: true
        layer.samples: 4
        layer.smooth: true
        layer.textureSize: Qt.size(raiz.lado * 2, raiz.lado * 2)
    }
    Item {
        width: raiz.lado
        height: raiz.lado
        Grade {
            objectName: "antes"
            Shape {
                y: 1.75
                width: 120
                height: 120
                ShapePath {
                    strokeColor: raiz.cor
                    strokeWidth: 7
                    fillColor: "transparent"
                    capStyle: ShapePath.RoundCap
                    joinStyle: ShapePath.RoundJoin
                    miterLimit: 10
                    PathSvg { path: raiz.caminho }
                }
            }
        }
    }
    Item {
        width: raiz.lado
        height: raiz.lado
        Grade {
            objectName: "agora"
            AlcaDoCadeado {
                width: raiz.lado * 2
                height: raiz.lado * 2
                scale: 120 / width
                transformOrigin: Item.TopLeft
                cor: raiz.cor
                girando: raiz.girando
                giro: raiz.giro
                subida: raiz.subida
            }
        }
    }
})"),
                               QSize(240, 120), QStringLiteral("#ffffff"));
    ASSERT_TRUE(raiz);
    // Edge-on the turned shackle folds back on itself at the top: the picture rounds that end
    // as the software renderer always drew it, where OpenGL's stroker squared it off (up to two
    // pixels lower).
    const struct {
        const char *nome;
        bool girando;
        int ms;
        int topo; // how many pixels higher the top may stand
    } momentos[] = {{"fechada", false, 0, 0},   {"repouso", true, 0, 0},      {"subindo", true, 360, 0},
                    {"girando", true, 700, 0},  {"de perfil", true, 840, 2},  {"aberta", true, 1152, 0},
                    {"voltando", true, 1600, 0}, {"descendo", true, 2016, 0}, {"ricochete", true, 2280, 0}};
    for (const auto &momento : momentos) {
        SCOPED_TRACE(momento.nome);
        const QuadroDoCadeado q = quadroDoCiclo(momento.ms / 1000.0);
        const QPainterPath caminho = momento.girando ? alcaEmGiro(q.giro, q.subida) : alcaDoCadeado();
        raiz->setProperty("caminho", comoSvg(caminho));
        raiz->setProperty("girando", momento.girando);
        raiz->setProperty("giro", q.giro);
        raiz->setProperty("subida", q.subida);
        avancar(16);
        const QImage imagem = capturar(QStringLiteral("alca-como-o-caminho-%1-%2")
                                           .arg(momento.ms, 4, 10, QLatin1Char('0'))
                                           .arg(QString::fromLatin1(momento.nome).replace(' ', '-')));
        const Tinta antes(recorte(imagem, achar<QQuickItem>(QStringLiteral("antes"))));
        const Tinta agora(recorte(imagem, achar<QQuickItem>(QStringLiteral("agora"))));
        EXPECT_GT(antes.total, 100) << "the reference drew a shackle";
        EXPECT_NEAR(agora.total, antes.total, antes.total * (momento.topo > 0 ? 0.15 : 0.03));
        EXPECT_NEAR(agora.caixa.left(), antes.caixa.left(), 1);
        EXPECT_NEAR(agora.caixa.right(), antes.caixa.right(), 1);
        EXPECT_NEAR(agora.caixa.bottom(), antes.caixa.bottom(), 1);
        EXPECT_LE(agora.caixa.top(), antes.caixa.top() + 1);
        EXPECT_GE(agora.caixa.top(), antes.caixa.top() - 1 - momento.topo);
        // Away from the top, no pixel is more than the two antialiasings' rounding apart.
        double maior = 0;
        for (int y = antes.caixa.top() + 4; y < antes.imagem.height(); ++y)
            for (int x = 0; x < antes.imagem.width(); ++x)
                maior = std::max(maior, std::abs(antes.em(x, y) - agora.em(x, y)));
        EXPECT_LE(maior, 0.45);
    }
}

// With the mark in steps, a step of the cycle costs the window one frame; holds of the cycle
// paint no new shackle.
TEST_F(CicloNaTela, UmQuadroPorPassoEAlcaParadaNasPausas)
{
    QQuickItem *raiz = mostrar(importacoes + QStringLiteral(R"(
IconeDaMarca { tamanho: 34; estilo: EstiloDaMarca.Azul; animando: true; abrindoEFechando: true; passo: 50 }
)"),
                               QSize(60, 60));
    ASSERT_TRUE(raiz);
    QQuickItem *alca = achar<QQuickItem>(QStringLiteral("alca"));
    ASSERT_TRUE(alca);
    QSignalSpy quadros(janela(), &QQuickWindow::frameSwapped);
    // Lets the window draw whatever a step asked for (the stepped clock does not move meanwhile).
    const auto desenhar = [&] {
        for (int i = 0; i < 4; ++i)
            QTest::qWait(20);
    };
    // Up to the turn, then step by step through it: the shackle changes on every step.
    avancar(600 - 5);
    desenhar();
    for (int passo = 0; passo < 8; ++passo) {
        SCOPED_TRACE(passo);
        quadros.clear();
        const int pinturas = alca->property("pinturas").toInt();
        avancar(50);
        desenhar();
        EXPECT_EQ(quadros.count(), 1);
        EXPECT_EQ(alca->property("pinturas").toInt(), pinturas + 1);
    }
    // Open and waiting (1.15 s to 1.44 s of the cycle; the shared beat may run up to a step
    // ahead of this test's clock): the dots still step, the shackle holds.
    avancar(1250 - 1000);
    desenhar();
    const int pinturas = alca->property("pinturas").toInt();
    quadros.clear();
    for (int passo = 0; passo < 3; ++passo) {
        avancar(50);
        desenhar();
    }
    EXPECT_EQ(quadros.count(), 3);
    EXPECT_EQ(alca->property("pinturas").toInt(), pinturas);
}

} // namespace
