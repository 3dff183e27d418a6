// A number animation that moves like a spring of the given response (seconds) and damping
// fraction, with no blending.
import QtQuick
import Corvane.App

NumberAnimation {
    property real resposta: 0.35
    property real amortecimento: 1

    duration: Mola.duracao(resposta, amortecimento)
    // qmllint disable type
    // (6.4's qmllint cannot type a C++ QEasingCurve; the assignment is valid)
    easing: Mola.curva(resposta, amortecimento)
    // qmllint enable type
}
