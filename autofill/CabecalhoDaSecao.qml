// A section header of the option list, in small tracked capitals (the text comes upper-cased).
import QtQuick
import Corvane.App
import Corvane.Preenchimento

Text {
    leftPadding: 8
    rightPadding: 8
    topPadding: 10
    bottomPadding: 2
    textFormat: Text.PlainText
    font.family: Tipo.familia
    font.pixelSize: 10
    font.weight: Font.DemiBold
    font.letterSpacing: 0.6
    color: Paleta.textoApagado
}
