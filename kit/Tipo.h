// The type scale: the text styles the screens use (title 2 … caption), each with its size,
// default weight and tracking, in Inter when installed and the system sans otherwise.
// QML: `font: Tipo.callout`, or with another weight `font: Tipo.fonte(Tipo.Callout, Font.DemiBold)`.
#pragma once

#include <QFont>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

class Tipo : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QFont title2 READ title2 CONSTANT)
    Q_PROPERTY(QFont title3 READ title3 CONSTANT)
    Q_PROPERTY(QFont headline READ headline CONSTANT)
    Q_PROPERTY(QFont body READ body CONSTANT)
    Q_PROPERTY(QFont callout READ callout CONSTANT)
    Q_PROPERTY(QFont subheadline READ subheadline CONSTANT)
    Q_PROPERTY(QFont caption READ caption CONSTANT)
    Q_PROPERTY(QString familia READ familia CONSTANT)
    // The face of live codes: every digit as wide as the others, so a code keeps its width.
    Q_PROPERTY(QString familiaDosDigitos READ familiaDosDigitos CONSTANT)

public:
    enum Estilo { Title2, Title3, Headline, Body, Callout, Subheadline, Caption };
    Q_ENUM(Estilo)

    using QObject::QObject;

    // The style at `peso` (a QFont weight, 100–900); a negative weight keeps the style's own.
    [[nodiscard]] Q_INVOKABLE static QFont fonte(Tipo::Estilo estilo, int peso = -1);
    // Size in pixels (one point of the layout is one pixel) and the style's own weight.
    [[nodiscard]] static int tamanho(Estilo estilo);
    [[nodiscard]] static QFont::Weight pesoPadrao(Estilo estilo);
    // Inter's optical tracking for a size, in pixels: slightly open at small sizes, tighter above.
    [[nodiscard]] static double espacamento(double tamanhoEmPixels);
    // "Inter" when the face is installed, else the system's general font family.
    [[nodiscard]] static QString familia();
    // "DejaVu Sans Mono" when installed, else the system's fixed-pitch family.
    [[nodiscard]] static QString familiaDosDigitos();

    [[nodiscard]] static QFont title2() { return fonte(Title2); }
    [[nodiscard]] static QFont title3() { return fonte(Title3); }
    [[nodiscard]] static QFont headline() { return fonte(Headline); }
    [[nodiscard]] static QFont body() { return fonte(Body); }
    [[nodiscard]] static QFont callout() { return fonte(Callout); }
    [[nodiscard]] static QFont subheadline() { return fonte(Subheadline); }
    [[nodiscard]] static QFont caption() { return fonte(Caption); }
};
