// A labelled single-line input: the label above, the field below on the light background with a
// 1-point outline. `seguro` masks it; a masked text is never selectable with the mouse, never
// copied and never offered to the X11/Wayland primary selection (a masked field copies nothing,
// so the keyboard may still select in it: Ctrl+A, Shift+Home, to replace what was typed).
// `secreto` marks a shown field that holds a secret: no mouse selection (a drag would put it in
// the primary selection), while typing, pasting and selecting with the keyboard still work.
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Corvane.App

ColumnLayout {
    id: campo

    required property string rotulo
    property alias texto: entrada.text
    property string dica
    property bool seguro: false
    property bool secreto: false
    // Accepted for callers that manage focus; not applied here.
    property var foco

    spacing: 6
    Layout.fillWidth: true

    // Puts the keyboard in the field.
    function focar() {
        entrada.forceActiveFocus();
    }

    onSeguroChanged: if (seguro) entrada.deselect()

    Text {
        objectName: "rotuloDoCampo"
        text: campo.rotulo
        textFormat: Text.PlainText
        font: Tipo.fonte(Tipo.Callout, Font.Medium)
        color: Paleta.textoSecundario
    }

    TextField {
        id: entrada

        objectName: "entrada"
        Layout.fillWidth: true
        Layout.preferredHeight: 38
        leftPadding: 12
        rightPadding: 12
        topPadding: 0
        bottomPadding: 0
        verticalAlignment: TextInput.AlignVCenter
        placeholderText: campo.dica
        placeholderTextColor: Paleta.textoApagado
        echoMode: campo.seguro ? TextInput.Password : TextInput.Normal
        passwordCharacter: "•"
        selectByMouse: !campo.seguro && !campo.secreto
        persistentSelection: false
        font: Tipo.body
        color: Paleta.texto
        selectionColor: Qt.rgba(Paleta.azul.r, Paleta.azul.g, Paleta.azul.b, 0.3)
        selectedTextColor: Paleta.texto

        background: Rectangle {
            objectName: "fundoDoCampo"
            radius: 10
            color: Paleta.fundo
            border.width: 1
            border.color: Paleta.borda
        }
    }
}
