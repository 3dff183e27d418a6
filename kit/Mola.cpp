#include "kit/Mola.h"

#include <QPointF>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double minimoDeResposta = 0.01;

struct Parametros {
    double w0;   // natural angular frequency
    double zeta; // damping fraction
};

Parametros parametros(double resposta, double amortecimento)
{
    return {2 * std::numbers::pi / std::max(resposta, minimoDeResposta), std::max(amortecimento, 0.0)};
}

// An upper bound of the distance to the target that only shrinks with time.
double envelope(Parametros p, double t)
{
    if (p.zeta < 1) {
        const double a = p.zeta * p.w0;
        return std::exp(-a * t) / std::sqrt(1 - p.zeta * p.zeta);
    }
    return 1 - Mola::posicao(2 * std::numbers::pi / p.w0, p.zeta, t);
}

QEasingCurve bezier(QPointF c1, QPointF c2)
{
    QEasingCurve curva(QEasingCurve::BezierSpline);
    curva.addCubicBezierSegment(c1, c2, QPointF(1, 1));
    return curva;
}

} // namespace

double Mola::posicao(double resposta, double amortecimento, double t)
{
    const auto [w0, zeta] = parametros(resposta, amortecimento);
    if (zeta < 1) {
        const double a = zeta * w0;
        const double w = w0 * std::sqrt(1 - zeta * zeta);
        return 1 - std::exp(-a * t) * (std::cos(w * t) + a / w * std::sin(w * t));
    }
    if (zeta == 1)
        return 1 - (1 + w0 * t) * std::exp(-w0 * t);
    const double raiz = std::sqrt(zeta * zeta - 1);
    const double r1 = -w0 * (zeta - raiz);
    const double r2 = -w0 * (zeta + raiz);
    return 1 - (r2 * std::exp(r1 * t) - r1 * std::exp(r2 * t)) / (r2 - r1);
}

double Mola::velocidade(double resposta, double amortecimento, double t)
{
    const auto [w0, zeta] = parametros(resposta, amortecimento);
    if (zeta < 1) {
        const double a = zeta * w0;
        const double w = w0 * std::sqrt(1 - zeta * zeta);
        return std::exp(-a * t) * std::sin(w * t) * w0 * w0 / w;
    }
    if (zeta == 1)
        return w0 * w0 * t * std::exp(-w0 * t);
    const double raiz = std::sqrt(zeta * zeta - 1);
    const double r1 = -w0 * (zeta - raiz);
    const double r2 = -w0 * (zeta + raiz);
    return r1 * r2 * (std::exp(r2 * t) - std::exp(r1 * t)) / (r2 - r1);
}

double Mola::segundos(double resposta, double amortecimento)
{
    const Parametros p = parametros(resposta, amortecimento);
    if (p.zeta == 0)
        return 60; // undamped: it never settles; cap it
    double baixo = 0;
    double alto = 1;
    while (envelope(p, alto) > tolerancia && alto < 60)
        alto *= 2;
    for (int i = 0; i < 60; ++i) {
        const double meio = (baixo + alto) / 2;
        (envelope(p, meio) > tolerancia ? baixo : alto) = meio;
    }
    return alto;
}

int Mola::duracao(double resposta, double amortecimento)
{
    return static_cast<int>(std::lround(segundos(resposta, amortecimento) * 1000));
}

QEasingCurve Mola::curva(double resposta, double amortecimento)
{
    // Cubic Hermite pieces through the exact position and velocity at knots that crowd the
    // start, where the motion bends most; each piece is written as a Bézier whose control
    // points sit at a third of its span, so progress maps linearly onto it.
    const double total = segundos(resposta, amortecimento);
    auto no = [](int k) { return std::pow(double(k) / segmentos, 1.5); };
    auto valor = [&](int k) { return k == segmentos ? 1.0 : posicao(resposta, amortecimento, no(k) * total); };
    auto derivada = [&](int k) {
        return k == segmentos ? 0.0 : velocidade(resposta, amortecimento, no(k) * total) * total;
    };
    QEasingCurve curva(QEasingCurve::BezierSpline);
    for (int k = 0; k < segmentos; ++k) {
        const double p0 = no(k);
        const double p1 = no(k + 1);
        const double h = p1 - p0;
        curva.addCubicBezierSegment(QPointF(p0 + h / 3, valor(k) + derivada(k) * h / 3),
                                    QPointF(p1 - h / 3, valor(k + 1) - derivada(k + 1) * h / 3),
                                    QPointF(p1, valor(k + 1)));
    }
    return curva;
}

QEasingCurve Mola::easeOut()
{
    return bezier({0, 0}, {0.58, 1});
}

QEasingCurve Mola::easeInOut()
{
    return bezier({0.42, 0}, {0.58, 1});
}
