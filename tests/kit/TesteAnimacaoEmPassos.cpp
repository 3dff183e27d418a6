// Slow decoration in steps on the shared beat: the eased value per step, steps of whole beats
// only, every animation changing on the same beats, a pause that resumes where it was, and the
// padlock's two clocks in steps.
#include "kit/AnimacaoEmPassos.h"
#include "support/quick/TesteQuick.h"

#include <QQuickItem>
#include <QSignalSpy>

namespace {

TEST(AnimacaoEmPassos, ValorDepoisDeNPassos)
{
    const QEasingCurve linear(QEasingCurve::Linear);
    const QEasingCurve saida(QEasingCurve::OutQuad);
    const struct {
        qint64 passos;
        int passo;
        int duracao;
        const QEasingCurve &curva;
        double valor;
    } casos[] = {
        {0, 50, 1000, linear, 0},     {1, 50, 1000, linear, 0.05},  {10, 50, 1000, linear, 0.5},
        {20, 50, 1000, linear, 0},    {23, 50, 1000, linear, 0.15}, {7, 200, 1400, linear, 0},
        {7, 50, 1400, saida, 0.4375}, {3, 50, 0, linear, 0},         {3, 0, 1000, linear, 0},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(testing::Message() << caso.passos << " x " << caso.passo << " in " << caso.duracao);
        EXPECT_NEAR(AnimacaoEmPassos::valorDepoisDe(caso.passos, caso.passo, caso.duracao, caso.curva), caso.valor, 1e-9);
    }
}

class EmPassos : public TesteQuick {};

TEST_F(EmPassos, MudaSoNasBatidasTodasJuntasEContinuaDepoisDaPausa)
{
    ASSERT_TRUE(mostrar(importacoes + QStringLiteral("Item {}"), QSize(100, 100)));
    AnimacaoEmPassos a, b;
    a.definirDuracao(1000);
    b.definirDuracao(1000);
    b.definirPasso(120); // whole beats only: 100
    EXPECT_EQ(b.passo(), 100);
    a.definirRodando(true);
    avancar(30);
    b.definirRodando(true); // joins the beat already running
    QSignalSpy mudancasDeA(&a, &AnimacaoEmPassos::valorMudou);
    QSignalSpy mudancasDeB(&b, &AnimacaoEmPassos::valorMudou);
    avancar(16);
    EXPECT_EQ(mudancasDeA.count(), 0) << "nothing between beats";
    avancar(10); // 56 ms: the first beat
    EXPECT_EQ(mudancasDeA.count(), 1);
    EXPECT_DOUBLE_EQ(a.valor(), 0.05);
    EXPECT_EQ(mudancasDeB.count(), 0) << "b's step is two beats";
    avancar(50);
    EXPECT_EQ(mudancasDeA.count(), 2);
    EXPECT_EQ(mudancasDeB.count(), 1);
    EXPECT_DOUBLE_EQ(b.valor(), 0.1);
    EXPECT_DOUBLE_EQ(b.tempo(), 0.1);

    // Paused for a while, it goes on from the same step.
    a.definirRodando(false);
    const double antes = a.valor();
    avancar(500);
    EXPECT_DOUBLE_EQ(a.valor(), antes);
    a.definirRodando(true);
    avancar(60);
    EXPECT_DOUBLE_EQ(a.valor(), antes + 0.05);
    a.reiniciar();
    EXPECT_DOUBLE_EQ(a.valor(), 0);
    EXPECT_DOUBLE_EQ(a.tempo(), 0);
}

TEST_F(EmPassos, CadeadoComPassoAndaEmPassosDe50ms)
{
    QQuickItem *raiz = mostrar(importacoes + QStringLiteral(R"(
IconeDaMarca { tamanho: 34; animando: true; abrindoEFechando: true; passo: 50 }
)"), QSize(100, 100));
    ASSERT_TRUE(raiz);
    avancar(5);
    const double onda = raiz->property("tempoDaOnda").toDouble();
    avancar(30);
    EXPECT_DOUBLE_EQ(raiz->property("tempoDaOnda").toDouble(), onda) << "no change between beats";
    avancar(1000);
    const double depois = raiz->property("tempoDaOnda").toDouble();
    EXPECT_GT(depois, onda + 0.9);
    EXPECT_NEAR(std::fmod(depois * 1000, 50), 0, 1e-6) << "whole steps of 50 ms";
    EXPECT_GE(raiz->property("tempoDoCiclo").toDouble(), 0);
    EXPECT_LT(raiz->property("tempoDoCiclo").toDouble(), 2.4);
}

} // namespace
