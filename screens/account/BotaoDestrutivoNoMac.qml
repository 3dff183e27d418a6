// The full-width red button of a destructive choice in a confirmation: white semibold label,
// 40 points high, its fill at 85 % while pressed.
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Corvane.App

Button {
    id: botao

    Layout.fillWidth: true
    implicitWidth: contentItem.implicitWidth + 32
    implicitHeight: 40
    padding: 0
    font: Tipo.fonte(Tipo.Callout, Font.DemiBold)

    // Tab gives it the focus, a click does not (the focus stays where the user typed).
    focusPolicy: Qt.TabFocus
    Accessible.name: botao.text
    Keys.onReturnPressed: botao.clicked()
    Keys.onEnterPressed: botao.clicked()

    contentItem: RotuloDeBotao {
        texto: botao.text
        fonte: botao.font
        cor: "white"
    }

    background: Rectangle {
        radius: 12
        color: Qt.rgba(Paleta.vermelho.r, Paleta.vermelho.g, Paleta.vermelho.b, botao.down ? 0.85 : 1)
    }

    AnelDeFoco {
        mostrado: botao.visualFocus
        raio: 12
    }
}
