// The live dot of the showcase's header: a blue dot whose halo grows from 0.6 to 1.4 while
// fading out, every 1.4 seconds, whatever the reduce-motion setting, while `ativa`.
import QtQuick
import Corvane.App

Item {
    id: ponto

    property bool ativa: false
    // 0 → 1 through each pulse (the halo's scale and fade).
    readonly property real pulso: passos.valor

    implicitWidth: 14
    implicitHeight: 14

    // In 20 steps a second, with the showcase's slow layers: the halo is small and soft.
    AnimacaoEmPassos {
        id: passos

        objectName: "passosDoPonto"
        duracao: 1400
        passo: 50
        rodando: ponto.ativa
        // qmllint disable type
        // (6.4's qmllint cannot type a C++ QEasingCurve; the assignment is valid)
        curva: Mola.easeOut
        // qmllint enable type
    }

    Rectangle {
        objectName: "haloDoPonto"
        anchors.centerIn: parent
        width: 14
        height: 14
        radius: 7
        color: Qt.rgba(Paleta.azul.r, Paleta.azul.g, Paleta.azul.b, 0.35)
        scale: 0.6 + 0.8 * ponto.pulso
        opacity: 1 - ponto.pulso
    }
    Rectangle {
        anchors.centerIn: parent
        width: 8
        height: 8
        radius: 4
        color: Paleta.azul
    }
}
