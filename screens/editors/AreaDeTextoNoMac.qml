// A labelled multi-line text ("Texto", "Notas"): the label above, the editor on the light
// background (radius 10, no border), 8 points of padding, a fixed height.
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Corvane.App
import Corvane.Editores

ColumnLayout {
    id: area

    required property string rotulo
    property alias texto: editor.text
    property real altura: 80

    Layout.fillWidth: true
    spacing: 6

    Text {
        text: area.rotulo
        textFormat: Text.PlainText
        font: Tipo.fonte(Tipo.Callout, Font.Medium)
        color: Paleta.textoSecundario
    }

    ScrollView {
        Layout.fillWidth: true
        Layout.preferredHeight: area.altura

        background: Rectangle {
            radius: 10
            color: Paleta.fundo
        }

        TextArea {
            id: editor

            objectName: "editorDeTexto"
            padding: 8
            wrapMode: TextEdit.Wrap
            font: Tipo.body
            color: Paleta.texto
            // A note or a password's notes may hold a secret (a Wi-Fi password, recovery
            // codes): a mouse selection would hand it to the primary selection. The mouse places
            // the cursor; the keyboard selects, copies and pastes.
            selectByMouse: false
            background: null
        }
    }
}
