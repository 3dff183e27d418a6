// A labelled switch across the form's width, label at the leading edge ("Favorito").
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Corvane.App
import Corvane.Editores

Switch {
    id: alternador

    focusPolicy: Qt.TabFocus
    Layout.fillWidth: true
    leftPadding: 0
    font: Tipo.body

    indicator: Rectangle {
        x: alternador.width - width
        y: (alternador.height - height) / 2
        implicitWidth: 34
        implicitHeight: 20
        radius: 10
        color: alternador.checked ? Paleta.azul : Paleta.borda

        Rectangle {
            x: alternador.checked ? parent.width - width - 2 : 2
            y: 2
            width: 16
            height: 16
            radius: 8
            color: "white"
        }
    }

    contentItem: Text {
        rightPadding: alternador.indicator.width + 8
        text: alternador.text
        textFormat: Text.PlainText
        font: alternador.font
        color: Paleta.tinta
        verticalAlignment: Text.AlignVCenter
    }

    // Around the switch itself, not its label.
    AnelDeFoco {
        parent: alternador.indicator
        mostrado: alternador.visualFocus
        raio: 10
    }
}
