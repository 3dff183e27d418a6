// Springs and eased curves for every animation of the screens. A spring is given as the
// screens describe it, by its response (seconds) and damping fraction, with no blending; it
// yields how long it takes to settle and an easing curve that follows the analytic motion of a
// unit mass (critically damped at fraction 1, overshooting below). QML:
// `NumberAnimation { duration: Mola.duracao(0.4, 0.82); easing: Mola.curva(0.4, 0.82) }`.
#pragma once

#include <QEasingCurve>
#include <QObject>
#include <QtQml/qqmlregistration.h>

class Mola : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QEasingCurve easeOut READ easeOut CONSTANT)
    Q_PROPERTY(QEasingCurve easeInOut READ easeInOut CONSTANT)

public:
    using QObject::QObject;

    // Motion ends once the distance to the target stays under this fraction of the travel.
    static constexpr double tolerancia = 0.001;
    // Segments of the fitted curve; QEasingCurve's spline misbehaves above about ten.
    static constexpr int segmentos = 8;

    // Position (0 at rest → 1 at the target) and velocity (per second) after `t` seconds.
    [[nodiscard]] static double posicao(double resposta, double amortecimento, double t);
    [[nodiscard]] static double velocidade(double resposta, double amortecimento, double t);
    // Seconds until the motion stays within `tolerancia` of the target.
    [[nodiscard]] static double segundos(double resposta, double amortecimento);

    [[nodiscard]] Q_INVOKABLE static int duracao(double resposta, double amortecimento);
    [[nodiscard]] Q_INVOKABLE static QEasingCurve curva(double resposta, double amortecimento);

    // The cubic Béziers of the eased curves (0,0,0.58,1 and 0.42,0,0.58,1).
    [[nodiscard]] static QEasingCurve easeOut();
    [[nodiscard]] static QEasingCurve easeInOut();
};
