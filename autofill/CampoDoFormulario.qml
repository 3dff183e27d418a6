// A labelled field of the new-password form: the caption above a plain field on a white rounded
// box with a line-coloured border.
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Corvane.App
import Corvane.Preenchimento

ColumnLayout {
    id: campo

    property string rotulo
    property string dica
    property alias texto: entrada.text
    property alias entrada: entrada

    spacing: 6

    Text {
        text: campo.rotulo
        font: Tipo.fonte(Tipo.Caption, Font.DemiBold)
        color: Paleta.textoSecundario
    }

    Rectangle {
        Layout.fillWidth: true
        implicitHeight: 38
        radius: 10
        color: Paleta.superficie
        border.color: entrada.activeFocus ? Paleta.azul : Paleta.borda
        border.width: 1

        TextField {
            id: entrada

            anchors.fill: parent
            anchors.leftMargin: 12
            anchors.rightMargin: 12
            placeholderText: campo.dica
            placeholderTextColor: Paleta.textoApagado
            color: Paleta.texto
            font: Tipo.body
            background: null
            leftPadding: 0
            rightPadding: 0
        }
    }
}
