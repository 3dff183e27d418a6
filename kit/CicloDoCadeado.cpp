#include "kit/CicloDoCadeado.h"

#include "kit/Mola.h"
#include "kit/Paleta.h"

#include <QEasingCurve>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <span>

namespace {

enum class Curva { Linear, Cubica };

// One keyframe: how the track moves to `alvo` during `fracao` of the cycle.
struct Chave {
    Curva curva;
    double alvo;
    double fracao;
};

constexpr std::array subida{Chave{Curva::Linear, 0, 0.08},   Chave{Curva::Cubica, -12, 0.14},
                            Chave{Curva::Linear, -12, 0.58}, Chave{Curva::Cubica, 0, 0.08},
                            Chave{Curva::Cubica, 1.2, 0.04}, Chave{Curva::Cubica, 0, 0.05},
                            Chave{Curva::Linear, 0, 0.03}};
constexpr std::array giro{Chave{Curva::Linear, 0, 0.22}, Chave{Curva::Cubica, 180, 0.26},
                          Chave{Curva::Linear, 180, 0.12}, Chave{Curva::Cubica, 0, 0.20},
                          Chave{Curva::Linear, 0, 0.20}};
constexpr std::array corpoX{Chave{Curva::Linear, 1, 0.88}, Chave{Curva::Cubica, 1.04, 0.03},
                            Chave{Curva::Cubica, 0.99, 0.04}, Chave{Curva::Cubica, 1, 0.05}};
constexpr std::array corpoY{Chave{Curva::Linear, 1, 0.88}, Chave{Curva::Cubica, 0.92, 0.03},
                            Chave{Curva::Cubica, 1.03, 0.04}, Chave{Curva::Cubica, 1, 0.05}};

// Velocity through keyframe `k` (the end of segment k): zero at a turning point, a hold or the
// track's ends, else the slope between its neighbours (Catmull-Rom), limited to three times the
// gentler neighbouring slope so no segment overshoots the target it moves to.
double tangente(std::span<const Chave> chaves, double inicial, std::size_t k)
{
    if (k + 1 >= chaves.size())
        return 0;
    const double antes = k == 0 ? inicial : chaves[k - 1].alvo;
    const double aqui = chaves[k].alvo;
    const double depois = chaves[k + 1].alvo;
    if ((aqui - antes) * (depois - aqui) <= 0)
        return 0;
    const double catmullRom = (depois - antes) / (chaves[k].fracao + chaves[k + 1].fracao);
    const double limite = 3 * std::min(std::abs(aqui - antes) / chaves[k].fracao,
                                       std::abs(depois - aqui) / chaves[k + 1].fracao);
    return std::clamp(catmullRom, -limite, limite);
}

double valorNaTrilha(std::span<const Chave> chaves, double inicial, double fracao)
{
    double inicio = 0;
    double valor = inicial;
    for (std::size_t k = 0; k < chaves.size(); ++k) {
        const Chave &chave = chaves[k];
        if (fracao <= inicio + chave.fracao) {
            const double s = (fracao - inicio) / chave.fracao;
            if (chave.curva == Curva::Linear)
                return valor + (chave.alvo - valor) * s;
            const double h = chave.fracao;
            const double m0 = k == 0 ? 0 : tangente(chaves, inicial, k - 1);
            const double m1 = tangente(chaves, inicial, k);
            const double s2 = s * s;
            const double s3 = s2 * s;
            return (2 * s3 - 3 * s2 + 1) * valor + (s3 - 2 * s2 + s) * h * m0 + (-2 * s3 + 3 * s2) * chave.alvo
                + (s3 - s2) * h * m1;
        }
        inicio += chave.fracao;
        valor = chave.alvo;
    }
    return valor;
}

// The turned shackle's point for a distance `d` from the right leg and a height `y`.
QPointF projetar(double d, double y, double seno, double cosseno, double subida)
{
    const double k = 150 / (150 + d * seno);
    return {72 - d * cosseno * k, 40 + (y + subida - 40) * k};
}

} // namespace

QuadroDoCadeado quadroDoCiclo(double segundos)
{
    double fracao = std::fmod(segundos, cadeado::periodoDoCiclo) / cadeado::periodoDoCiclo;
    if (fracao < 0)
        fracao += 1;
    return {valorNaTrilha(subida, 0, fracao), valorNaTrilha(giro, 0, fracao), valorNaTrilha(corpoX, 1, fracao),
            valorNaTrilha(corpoY, 1, fracao)};
}

double escalaDoPonto(int indice, double segundos, bool animando)
{
    if (!animando)
        return 1;
    // The wave starts with the middle dot large and the outer ones small and swings back and
    // forth; each dot joins 0.14 s after its left neighbour.
    const double grande = 1.15;
    const double pequena = 0.55;
    const double inicial = indice == 1 ? grande : pequena;
    const double final = indice == 1 ? pequena : grande;
    const double t = segundos - indice * cadeado::atrasoDaOnda;
    if (t <= 0)
        return inicial;
    const double passos = t / cadeado::passoDaOnda;
    const double passo = std::floor(passos);
    static const QEasingCurve suave = Mola::easeInOut();
    const double e = suave.valueForProgress(passos - passo);
    const bool indo = std::fmod(passo, 2) == 0;
    return indo ? inicial + (final - inicial) * e : final + (inicial - final) * e;
}

QPainterPath alcaDoCadeado()
{
    QPainterPath caminho({48, 50});
    caminho.lineTo(48, 35);
    caminho.quadTo(48, 28, 55, 28);
    caminho.lineTo(65, 28);
    caminho.quadTo(72, 28, 72, 35);
    caminho.lineTo(72, 50);
    return caminho;
}

QPainterPath alcaEmGiro(double giro, double subida)
{
    const double theta = giro * std::numbers::pi / 180;
    const double seno = std::sin(theta);
    const double cosseno = std::cos(theta);
    auto p = [&](double d, double y) { return projetar(d, y, seno, cosseno, subida); };
    QPainterPath caminho(p(24, 50));
    caminho.lineTo(p(24, 35));
    caminho.quadTo(p(24, 28), p(17, 28));
    caminho.lineTo(p(7, 28));
    caminho.quadTo(p(0, 28), p(0, 35));
    caminho.lineTo(p(0, 64));
    return caminho;
}

QString comoSvg(const QPainterPath &caminho)
{
    QString svg;
    auto numero = [](double v) { return QString::number(std::abs(v) < 1e-9 ? 0.0 : v, 'f', 3); };
    for (int i = 0; i < caminho.elementCount(); ++i) {
        const QPainterPath::Element e = caminho.elementAt(i);
        if (!svg.isEmpty())
            svg += QLatin1Char(' ');
        if (e.isMoveTo()) {
            svg += QStringLiteral("M %1 %2").arg(numero(e.x), numero(e.y));
        } else if (e.isLineTo()) {
            svg += QStringLiteral("L %1 %2").arg(numero(e.x), numero(e.y));
        } else if (e.type == QPainterPath::CurveToElement) {
            // QPainterPath stores quadratics as cubics; write the cubic as it is.
            const QPainterPath::Element c2 = caminho.elementAt(i + 1);
            const QPainterPath::Element fim = caminho.elementAt(i + 2);
            svg += QStringLiteral("C %1 %2 %3 %4 %5 %6")
                       .arg(numero(e.x), numero(e.y), numero(c2.x), numero(c2.y), numero(fim.x), numero(fim.y));
            i += 2;
        }
    }
    return svg;
}

QColor corDaAlca(EstiloDaMarca::Estilo estilo, double giro)
{
    if (estilo != EstiloDaMarca::Azul)
        return Paleta::azul();
    const double lado = std::abs(std::sin(giro * std::numbers::pi / 180));
    return QColor::fromRgbF(static_cast<float>((255 - 41 * lado) / 255), static_cast<float>((255 - 30 * lado) / 255), 1.0f);
}
