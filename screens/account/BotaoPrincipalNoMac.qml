// The primary button of every form: full width, 40 points high, white semibold label on the
// accent blue (85 % while pressed); while `ocupado` a white spinner sits 8 points before the
// label. It does not disable itself while busy: the caller decides. With `padrao` it is the
// window's default action: Return or Enter press it, only while it is enabled.
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Corvane.App

Button {
    id: botao

    property bool ocupado: false
    property string simbolo
    property bool padrao: false

    Layout.fillWidth: true
    implicitWidth: contentItem.implicitWidth + 32
    implicitHeight: 40
    padding: 0
    font: Tipo.fonte(Tipo.Body, Font.DemiBold)

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
        ocupado: botao.ocupado
    }

    background: Rectangle {
        objectName: "fundoDoBotao"
        radius: 12
        color: Qt.rgba(Paleta.azul.r, Paleta.azul.g, Paleta.azul.b, botao.down ? 0.85 : 1)
    }

    Shortcut {
        sequences: ["Return", "Enter"]
        enabled: botao.padrao && botao.enabled && botao.visible
        onActivated: botao.clicked()
    }

    AnelDeFoco {
        mostrado: botao.visualFocus
        raio: 12
    }
}
