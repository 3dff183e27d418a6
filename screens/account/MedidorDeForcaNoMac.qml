// The strength of the password being typed: five 4-point bars, the first level + 1 of them lit
// in the level's colour, and the level's name after them. The bars and the name share the row
// evenly, as six flexible parts.
import QtQuick
import QtQuick.Layouts
import Corvane.App
import Corvane.Conta

RowLayout {
    id: medidor

    required property int nivel
    readonly property real parte: Math.max(0, (width - 5 * spacing) / 6)

    spacing: 4

    Row {
        id: barras

        Layout.preferredWidth: 5 * medidor.parte + 4 * spacing
        Layout.preferredHeight: 4
        Layout.alignment: Qt.AlignVCenter
        spacing: 4

        Repeater {
            model: ForcaDaSenha.coresDasBarras(medidor.nivel)

            Rectangle {
                required property int index
                required property color modelData

                objectName: "barra" + index
                // Five bars with four 4-point gaps fill the row of bars.
                width: (parent.width - 16) / 5
                height: 4
                radius: 2
                color: modelData
            }
        }
    }

    Text {
        objectName: "rotuloDaForca"
        Layout.fillWidth: true
        Layout.minimumWidth: implicitWidth
        text: ForcaDaSenha.rotulo(medidor.nivel)
        textFormat: Text.PlainText
        font: Tipo.fonte(Tipo.Caption, Font.Medium)
        color: Paleta.textoSecundario
        horizontalAlignment: Text.AlignLeft
    }
}
