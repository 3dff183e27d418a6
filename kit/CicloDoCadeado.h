// The brand padlock's geometry and motion on its 120-unit design grid: the closed shackle, the
// shackle lifted and turned about its right leg in perspective, the open-and-close cycle as a
// function of time, and the dots' travelling wave.
#pragma once

#include "kit/EstiloDaMarca.h"

#include <QColor>
#include <QPainterPath>
#include <QString>

// One frame of the open-and-close cycle: the shackle's lift (units, negative is up) and turn
// (degrees), and the body's horizontal and vertical scale.
struct QuadroDoCadeado {
    double subida = 0;
    double giro = 0;
    double corpoX = 1;
    double corpoY = 1;
};

namespace cadeado {
inline constexpr double periodoDoCiclo = 2.4; // seconds
inline constexpr double passoDaOnda = 0.55;   // seconds of one swing of a dot
inline constexpr double atrasoDaOnda = 0.14;  // seconds between neighbouring dots
inline constexpr double deslocamento = 1.75;  // units every part moves down to centre the glyph
} // namespace cadeado

// The frame `segundos` after the cycle started (it repeats every 2.4 s).
[[nodiscard]] QuadroDoCadeado quadroDoCiclo(double segundos);

// Scale of dot `indice` (0–2) `segundos` after the mark appeared; 1 when not animating.
[[nodiscard]] double escalaDoPonto(int indice, double segundos, bool animando);

// The closed shackle and the shackle turned by `giro` degrees and lifted by `subida`, in units.
[[nodiscard]] QPainterPath alcaDoCadeado();
[[nodiscard]] QPainterPath alcaEmGiro(double giro, double subida);
// A path as SVG path data ("M 48 50 L …"), for QML's PathSvg and the icon file.
[[nodiscard]] QString comoSvg(const QPainterPath &caminho);

// The shackle's colour while the turning shape is drawn: on the blue tile it pales from white
// towards (214, 225, 255) as it turns edge-on; in the other looks it is the accent blue.
[[nodiscard]] QColor corDaAlca(EstiloDaMarca::Estilo estilo, double giro);
