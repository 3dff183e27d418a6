// A toolbar button of the vault window: a symbol in a 30-point square that lights up under the
// pointer, with its help text as a tooltip.
import QtQuick
import QtQuick.Controls.Basic
import Corvane.App
import Corvane.Cofre

AbstractButton {
    id: botao

    property string simbolo
    property string ajuda

    implicitWidth: 30
    implicitHeight: 30
    hoverEnabled: true
    opacity: enabled ? 1 : 0.4
    Accessible.name: botao.text
    ToolTip.visible: botao.hovered
    ToolTip.delay: 800
    ToolTip.text: botao.ajuda

    // Tab gives it the focus, a click does not (the focus stays where the user typed).
    focusPolicy: Qt.TabFocus
    Keys.onReturnPressed: botao.clicked()
    Keys.onEnterPressed: botao.clicked()

    background: Rectangle {
        radius: 7
        color: botao.down ? Qt.rgba(0, 0, 0, 0.08) : (botao.hovered && botao.enabled ? Qt.rgba(0, 0, 0, 0.045) : "transparent")
    }
    contentItem: Item {
        Simbolo {
            anchors.centerIn: parent
            width: 16
            height: 16
            nome: botao.simbolo
            cor: Paleta.textoSecundario
        }
    }

    AnelDeFoco {
        mostrado: botao.visualFocus
        raio: 7
    }
}
