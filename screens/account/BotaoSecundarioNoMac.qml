// The full-width white outlined button of every other secondary action: dark semibold label,
// 40 points high, the fill turning to the window background while pressed.
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Corvane.App

Button {
    id: botao

    property string simbolo

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
        simbolo: botao.simbolo
        fonte: botao.font
        cor: Paleta.texto
    }

    background: Rectangle {
        objectName: "fundoDoBotao"
        radius: 12
        color: botao.down ? Paleta.fundo : Paleta.superficie
        border.width: 1
        border.color: Paleta.borda
    }

    AnelDeFoco {
        mostrado: botao.visualFocus
        raio: 12
    }
}
