// The brand padlock as drawn: its three looks and sizes, the open-and-close cycle and the wave
// under a stepped clock, and reduced motion.
#include "kit/CicloDoCadeado.h"
#include "kit/MovimentoReduzido.h"
#include "support/quick/TesteQuick.h"

#include <QQuickItem>

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

} // namespace
