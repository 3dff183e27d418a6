// The full-width black button of the Apple sign-in: white semibold label, 40 points high,
// its fill at 80 % while pressed. The whole rectangle takes clicks.
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Corvane.App

Button {
    id: botao

    // A symbol before the label (for example "apple.logo"); empty for none.
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
        cor: "white"
    }

    background: Rectangle {
        objectName: "fundoDoBotao"
        radius: 12
        color: Qt.rgba(0, 0, 0, botao.down ? 0.8 : 1)
    }

    AnelDeFoco {
        mostrado: botao.visualFocus
        raio: 12
    }
}
