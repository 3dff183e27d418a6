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

    // Tab gives it the focus, a click does not (the focus stays where the user typed).
    focusPolicy: Qt.TabFocus
    Accessible.name: botao.text
    Keys.onReturnPressed: botao.clicked()
    Keys.onEnterPressed: botao.clicked()

    contentItem: Text {
        text: botao.text
        textFormat: Text.PlainText
        font: botao.font
        color: botao.cor
        opacity: botao.down ? 0.7 : 1
    }

    background: null

    AnelDeFoco {
        mostrado: botao.visualFocus
        raio: 4
    }
}
