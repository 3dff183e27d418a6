#include "kit/Mola.h"

#include <QPointF>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

struct CasoDeMola {
    double resposta;
    double amortecimento;
};

void PrintTo(const CasoDeMola &m, std::ostream *saida)
{
    *saida << m.resposta << "s/" << m.amortecimento;
}

// The motion of a unit mass on a spring of stiffness (2π/response)² and damping
// 4π·fraction/response, released at rest one unit away from its target.
double analitica(CasoDeMola m, double t)
{
    const double w0 = 2 * std::numbers::pi / m.resposta;
    const double z = m.amortecimento;
    if (z == 1)
        return 1 - (1 + w0 * t) * std::exp(-w0 * t);
    const double wd = w0 * std::sqrt(1 - z * z);
    return 1 - std::exp(-z * w0 * t) * (std::cos(wd * t) + z * w0 / wd * std::sin(wd * t));
}

class MolaContraAFormula : public ::testing::TestWithParam<CasoDeMola> {};

TEST_P(MolaContraAFormula, CurvaSegueOMovimentoEAssentaNaDuracao)
{
    const CasoDeMola m = GetParam();
    const double total = Mola::segundos(m.resposta, m.amortecimento);
    EXPECT_EQ(Mola::duracao(m.resposta, m.amortecimento), std::lround(total * 1000));
    const QEasingCurve curva = Mola::curva(m.resposta, m.amortecimento);
    double maior = 0;
    for (int i = 0; i <= 200; ++i) {
        const double p = i / 200.0;
        EXPECT_NEAR(curva.valueForProgress(p), analitica(m, p * total), 0.005) << "progress " << p;
        EXPECT_NEAR(Mola::posicao(m.resposta, m.amortecimento, p * total), analitica(m, p * total), 1e-9);
        maior = std::max(maior, curva.valueForProgress(p));
    }
    EXPECT_DOUBLE_EQ(curva.valueForProgress(1), 1);
    // Settled: from the duration on the motion stays within the tolerance, and not long before.
    for (double t = total; t < total * 3; t += total / 50)
        EXPECT_LT(std::abs(1 - analitica(m, t)), Mola::tolerancia * 1.0001) << t;
    const double w0 = 2 * std::numbers::pi / m.resposta;
    const double z = m.amortecimento;
    if (z < 1)
        EXPECT_NEAR(total, std::log(1 / (Mola::tolerancia * std::sqrt(1 - z * z))) / (z * w0), 1e-6);
    else
        EXPECT_NEAR((1 + w0 * total) * std::exp(-w0 * total), Mola::tolerancia, 1e-9);
    // Overshoot only below critical damping, by the classic e^(-πζ/√(1-ζ²)).
    if (m.amortecimento < 1)
        EXPECT_NEAR(maior - 1, std::exp(-std::numbers::pi * m.amortecimento / std::sqrt(1 - m.amortecimento * m.amortecimento)), 0.006);
    else
        EXPECT_LE(maior, 1.0 + 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Molas, MolaContraAFormula,
                         ::testing::Values(CasoDeMola{0.4, 0.82}, CasoDeMola{0.6, 1.0}, CasoDeMola{0.5, 0.7},
                                           CasoDeMola{0.35, 0.5}, CasoDeMola{0.3, 0.9}, CasoDeMola{1.2, 1.0}));

TEST(Mola, VelocidadeEADerivadaDaPosicao)
{
    for (const CasoDeMola m : {CasoDeMola{0.4, 0.82}, CasoDeMola{0.6, 1.0}, CasoDeMola{0.5, 1.4}}) {
        for (double t = 0.01; t < 1; t += 0.07) {
            const double h = 1e-6;
            const double numerica = (Mola::posicao(m.resposta, m.amortecimento, t + h)
                                     - Mola::posicao(m.resposta, m.amortecimento, t - h)) / (2 * h);
            EXPECT_NEAR(Mola::velocidade(m.resposta, m.amortecimento, t), numerica, 1e-3);
        }
    }
}

TEST(Mola, CurvaCopiadaDepoisDeUsadaContinuaIgual)
{
    const QEasingCurve original = Mola::curva(0.4, 0.82);
    const double antes = original.valueForProgress(0.3);
    const QEasingCurve copia = original; // NOLINT: the copy after use is the point
    EXPECT_EQ(copia.valueForProgress(0.3), antes);
    EXPECT_EQ(copia.toCubicSpline().size(), 3 * Mola::segmentos);
}

TEST(Mola, CurvasSuavesSaoOsBeziersPadrao)
{
    struct {
        QEasingCurve curva;
        double x1, y1, x2, y2;
    } casos[] = {{Mola::easeOut(), 0, 0, 0.58, 1}, {Mola::easeInOut(), 0.42, 0, 0.58, 1}};
    for (const auto &caso : casos) {
        for (double s = 0; s <= 1; s += 0.05) {
            const double x = 3 * (1 - s) * (1 - s) * s * caso.x1 + 3 * (1 - s) * s * s * caso.x2 + s * s * s;
            const double y = 3 * (1 - s) * (1 - s) * s * caso.y1 + 3 * (1 - s) * s * s * caso.y2 + s * s * s;
            EXPECT_NEAR(caso.curva.valueForProgress(x), y, 1e-3);
        }
    }
}

} // namespace
