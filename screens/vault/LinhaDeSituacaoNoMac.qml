// One row of the status line: a symbol in its colour, then the text in slate, wrapping instead
// of truncating. The caption font is the caller's.
import QtQuick
import QtQuick.Layouts
import Corvane.App

RowLayout {
    id: linha

    required property string simbolo
    required property color cor
    required property string texto

    spacing: 6

    Simbolo {
        objectName: "simboloDaLinha"
        Layout.alignment: Qt.AlignTop
        Layout.preferredWidth: 14
        Layout.preferredHeight: 14
        nome: linha.simbolo
        cor: linha.cor
    }
    Text {
        objectName: "textoDaLinha"
        Layout.fillWidth: true
        Layout.alignment: Qt.AlignTop
        text: linha.texto
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        font: Tipo.caption
        color: Paleta.textoSecundario
    }
}
