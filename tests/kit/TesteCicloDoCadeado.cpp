// The padlock's motion and shape as functions of time, at fixed moments of the cycle.
#include "kit/CicloDoCadeado.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double T = cadeado::periodoDoCiclo;

TEST(CicloDoCadeado, QuadrosEmMomentosFixos)
{
    struct {
        const char *momento;
        double fracao;
        QuadroDoCadeado esperado;
    } casos[] = {
        {"repouso", 0.00, {0, 0, 1, 1}},
        {"ainda parado", 0.08, {0, 0, 1, 1}},
        {"meio da subida", 0.15, {-6, 0, 1, 1}},
        {"erguido", 0.22, {-12, 0, 1, 1}},
        {"um quarto de volta", 0.35, {-12, 90, 1, 1}},
        {"meia volta, aberto", 0.48, {-12, 180, 1, 1}},
        {"esperando aberto", 0.55, {-12, 180, 1, 1}},
        {"voltando", 0.70, {-12, 90, 1, 1}},
        {"fechado no alto", 0.80, {-12, 0, 1, 1}},
        {"descendo, sem parar no encosto", 0.84, {-6.9, 0, 1, 1}},
        {"encostou", 0.88, {0, 0, 1, 1}},
        {"achatado", 0.91, {1.18125, 0, 1.04, 0.92}},
        {"afundou", 0.92, {1.2, 0, 1.04 - 0.05 * (3 * 0.0625 - 2 * 0.015625), 0.92 + 0.11 * (3 * 0.0625 - 2 * 0.015625)}},
        {"ricochete", 0.95, {1.2 - 1.2 * (3 * 0.36 - 2 * 0.216), 0, 0.99, 1.03}},
        {"assentou", 0.97, {0, 0, 0.99 + 0.01 * (3 * 0.16 - 2 * 0.064), 1.03 - 0.03 * (3 * 0.16 - 2 * 0.064)}},
        {"fim do ciclo", 1.00, {0, 0, 1, 1}},
        {"segundo ciclo erguido", 1.22, {-12, 0, 1, 1}},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.momento);
        const QuadroDoCadeado q = quadroDoCiclo(caso.fracao * T);
        EXPECT_NEAR(q.subida, caso.esperado.subida, 1e-9);
        EXPECT_NEAR(q.giro, caso.esperado.giro, 1e-9);
        EXPECT_NEAR(q.corpoX, caso.esperado.corpoX, 1e-9);
        EXPECT_NEAR(q.corpoY, caso.esperado.corpoY, 1e-9);
    }
}

TEST(CicloDoCadeado, MovimentoContinuoSemSaltosNemExcessos)
{
    QuadroDoCadeado anterior = quadroDoCiclo(0);
    for (int i = 1; i <= 2400; ++i) {
        const QuadroDoCadeado q = quadroDoCiclo(i / 1000.0);
        EXPECT_LT(std::abs(q.subida - anterior.subida), 0.3) << i;
        EXPECT_LT(std::abs(q.giro - anterior.giro), 2.0) << i;
        EXPECT_GE(q.giro, 0);
        EXPECT_LE(q.giro, 180);
        EXPECT_GE(q.subida, -12);
        EXPECT_LE(q.subida, 1.2);
        anterior = q;
    }
}

TEST(CicloDoCadeado, OndaDosPontos)
{
    struct {
        int ponto;
        double segundos;
        bool animando;
        double escala;
    } casos[] = {
        {0, 0, false, 1},         {1, 0.5, false, 1},         {2, 3.0, false, 1},
        {0, 0, true, 0.55},       {1, 0, true, 1.15},         {2, 0, true, 0.55},
        {0, 0.275, true, 0.85},   {0, 0.55, true, 1.15},      {0, 1.10, true, 0.55},
        {1, 0.14, true, 1.15},    {1, 0.69, true, 0.55},      {1, 1.24, true, 1.15},
        {2, 0.28, true, 0.55},    {2, 0.83, true, 1.15},      {2, 0.28 + 1100, true, 0.55},
    };
    for (const auto &caso : casos)
        EXPECT_NEAR(escalaDoPonto(caso.ponto, caso.segundos, caso.animando), caso.escala, 1e-6)
            << caso.ponto << " at " << caso.segundos;
}

QList<QPointF> pontos(const QPainterPath &caminho)
{
    QList<QPointF> lista;
    for (int i = 0; i < caminho.elementCount(); ++i)
        lista << QPointF(caminho.elementAt(i));
    return lista;
}

TEST(CicloDoCadeado, AlcaFechadaEGirada)
{
    // Closed: both legs down to 50, the top bar at 28 with rounded corners.
    const QList<QPointF> fechada = pontos(alcaDoCadeado());
    EXPECT_EQ(fechada.first(), QPointF(48, 50));
    EXPECT_EQ(fechada.last(), QPointF(72, 50));
    EXPECT_EQ(comoSvg(alcaDoCadeado()).left(29), QStringLiteral("M 48.000 50.000 L 48.000 35.0"));

    // Not turned: the same outline with the right leg reaching 64 into the body.
    const QList<QPointF> parada = pontos(alcaEmGiro(0, 0));
    EXPECT_EQ(parada.first(), QPointF(48, 50));
    EXPECT_EQ(parada.last(), QPointF(72, 64));

    // A quarter turn: everything on the axis, shortened towards y = 40 by the perspective.
    for (const QPointF &p : pontos(alcaEmGiro(90, 0)))
        EXPECT_NEAR(p.x(), 72, 1e-9);
    EXPECT_NEAR(pontos(alcaEmGiro(90, 0)).first().y(), 40 + 10 * 150.0 / 174, 1e-9);

    // Half a turn: mirrored to the right of the axis at full size, lifted by subida.
    const QList<QPointF> aberta = pontos(alcaEmGiro(180, -12));
    EXPECT_NEAR(aberta.first().x(), 96, 1e-9);
    EXPECT_NEAR(aberta.first().y(), 38, 1e-9);
    EXPECT_NEAR(aberta.last().x(), 72, 1e-9);
    EXPECT_NEAR(aberta.last().y(), 52, 1e-9);
}

TEST(CicloDoCadeado, CorDaAlcaGirando)
{
    EXPECT_EQ(corDaAlca(EstiloDaMarca::Azul, 0), QColor(255, 255, 255));
    EXPECT_EQ(corDaAlca(EstiloDaMarca::Azul, 90), QColor(214, 225, 255));
    EXPECT_EQ(corDaAlca(EstiloDaMarca::Azul, 180).rgb(), QColor(255, 255, 255).rgb());
    EXPECT_EQ(corDaAlca(EstiloDaMarca::Claro, 90), QColor(59, 116, 255));
    EXPECT_EQ(corDaAlca(EstiloDaMarca::Cadeado, 45), QColor(59, 116, 255));
}

} // namespace
