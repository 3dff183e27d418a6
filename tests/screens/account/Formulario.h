// Shared pieces of the form widget tests.
#pragma once

#include "support/quick/TesteQuick.h"

#include <QColor>

inline const QString importacoesDaConta =
    QStringLiteral("import QtQuick\nimport QtQuick.Layouts\nimport Corvane.App\nimport Corvane.Conta\n");

inline bool parecida(QColor a, QColor b, int tolerancia = 6)
{
    return std::abs(a.red() - b.red()) <= tolerancia && std::abs(a.green() - b.green()) <= tolerancia
        && std::abs(a.blue() - b.blue()) <= tolerancia;
}
