// A borderless symbol button of a field row, with its help text on hover.
import QtQuick
import QtQuick.Controls.Basic
import Corvane.App

AbstractButton {
    id: botao

    property string simbolo
    property string dica

    implicitWidth: 26
    implicitHeight: 26
    hoverEnabled: true
    Accessible.name: botao.dica
    ToolTip.visible: botao.hovered
    ToolTip.delay: 1000
    ToolTip.text: botao.dica

    // Tab gives it the focus, a click does not (the focus stays where the user typed).
    focusPolicy: Qt.TabFocus
    Keys.onReturnPressed: botao.clicked()
    Keys.onEnterPressed: botao.clicked()

    background: Rectangle {
        radius: 6
        color: botao.pressed ? Paleta.trilho : (botao.hovered && botao.enabled ? Paleta.fundo : "transparent")
    }
    contentItem: Item {
        Simbolo {
            anchors.centerIn: parent
            width: 15
            height: 15
            nome: botao.simbolo
            cor: botao.enabled ? Paleta.textoSecundario : Paleta.trilho
        }
    }

    AnelDeFoco {
        mostrado: botao.visualFocus
        raio: 6
    }
}
