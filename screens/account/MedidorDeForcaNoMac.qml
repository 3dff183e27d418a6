// The strength of the password being typed: five 4-point bars, the first level + 1 of them lit
// in the level's colour, and the level's name after them.
import QtQuick
import QtQuick.Layouts
import Corvane.App
import Corvane.Conta

RowLayout {
    id: medidor

    required property int nivel

    spacing: 4

    Repeater {
        model: ForcaDaSenha.coresDasBarras(medidor.nivel)

        Rectangle {
            required property int index
            required property color modelData

            objectName: "barra" + index
            Layout.fillWidth: true
            Layout.preferredHeight: 4
            Layout.alignment: Qt.AlignVCenter
            radius: 2
            color: modelData
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
