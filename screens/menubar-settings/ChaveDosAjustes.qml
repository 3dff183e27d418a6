// The settings' switch: blue when on, faded while disabled. It never flips itself: `clicked`
// asks, and `checked` follows the stored value.
import QtQuick
import QtQuick.Controls.Basic
import Corvane.App

Switch {
    id: chave

    focusPolicy: Qt.TabFocus
    checkable: false
    padding: 0
    implicitWidth: 34
    implicitHeight: 20
    opacity: chave.enabled ? 1 : 0.45

    indicator: Rectangle {
        implicitWidth: 34
        implicitHeight: 20
        radius: 10
        color: chave.checked ? Paleta.azul : Paleta.borda

        Rectangle {
            x: chave.checked ? parent.width - width - 2 : 2
            y: 2
            width: 16
            height: 16
            radius: 8
            color: "white"
        }
    }
    contentItem: null

    // Around the switch itself, not its label.
    AnelDeFoco {
        parent: chave.indicator
        mostrado: chave.visualFocus
        raio: 10
    }
}
