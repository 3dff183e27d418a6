// A plain (borderless) button that is only its text, in the callout font and the given colour.
import QtQuick
import QtQuick.Controls.Basic
import Corvane.App

AbstractButton {
    id: botao

    property color cor: Paleta.azul

    implicitWidth: contentItem.implicitWidth
    implicitHeight: contentItem.implicitHeight
    padding: 0
    font: Tipo.callout
    hoverEnabled: true

    contentItem: Text {
        text: botao.text
        textFormat: Text.PlainText
        font: botao.font
        color: botao.cor
        opacity: botao.down ? 0.7 : 1
    }

    background: null
}
