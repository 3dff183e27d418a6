// The one-line (wrapping) error of an account screen, in red, aligned to the leading edge.
import QtQuick
import QtQuick.Layouts
import Corvane.App

Text {
    required property string texto

    Layout.fillWidth: true
    text: texto
    textFormat: Text.PlainText
    font: Tipo.callout
    color: Paleta.vermelho
    horizontalAlignment: Text.AlignLeft
    wrapMode: Text.Wrap
}
