// A button that reads as a link: its text alone in `cor` (the accent blue unless set), dimmed
// while pressed, with a pointing hand. Tab reaches it and Space or Return press it.
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

    HoverHandler {
        cursorShape: Qt.PointingHandCursor
    }

    AnelDeFoco {
        mostrado: botao.visualFocus
        raio: 4
    }
}
