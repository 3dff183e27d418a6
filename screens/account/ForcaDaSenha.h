// The strength meter of a new vault password: five bars, how many are lit for a level, their
// colour and the level's name. The level itself is the password check's (dicasDaSenha).
#pragma once

#include <QColor>
#include <QObject>
#include <QString>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

class ForcaDaSenha : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    static constexpr int barras = 5;
    // The least level a new vault password may have.
    static constexpr int nivelMinimo = 3;

    using QObject::QObject;

    // 0 to 4 (the check's level; anything above 4 counts as 4).
    [[nodiscard]] Q_INVOKABLE static int nivel(const QString &senha);
    // "Muito fraca", "Fraca", "Razoável", "Forte", "Muito forte".
    [[nodiscard]] Q_INVOKABLE static QString rotulo(int nivel);
    // Red for the two weakest levels, amber for the middle one, green above.
    [[nodiscard]] Q_INVOKABLE static QColor cor(int nivel);
    // Bar `indice` (0 to 4) is lit when the level reaches it: level L lights L + 1 bars.
    [[nodiscard]] Q_INVOKABLE static bool acesa(int nivel, int indice) { return nivel >= indice; }
    // The grey of the bars not lit.
    [[nodiscard]] Q_INVOKABLE static QColor apagada();
    // The five bars' colours for a level, first to last.
    [[nodiscard]] Q_INVOKABLE static QVariantList coresDasBarras(int nivel);
};
