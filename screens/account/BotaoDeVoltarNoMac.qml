// "Voltar" with a left chevron: a plain link-like button framed to the full width, leading-aligned;
// only the chevron and the text take the click (the rest of the row is empty space).
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Corvane.App

AbstractButton {
    id: botao

    signal acao()

    Layout.fillWidth: true
    implicitWidth: contentItem.implicitWidth
    implicitHeight: contentItem.implicitHeight + bottomPadding
    padding: 0
    bottomPadding: 10
    text: "Voltar"
    font: Tipo.callout
    hoverEnabled: true
    onClicked: acao()
    containmentMask: botao.contentItem

    // Tab gives it the focus, a click does not (the focus stays where the user typed).
    focusPolicy: Qt.TabFocus
    Accessible.name: botao.text
    Keys.onReturnPressed: botao.clicked()
    Keys.onEnterPressed: botao.clicked()

    contentItem: Row {
        spacing: 4
        // Only as wide as the chevron and the text, whatever the button's width.
        width: implicitWidth

        Simbolo {
            anchors.verticalCenter: parent.verticalCenter
            width: 12
            height: 12
            nome: "chevron.left"
            cor: Paleta.textoSecundario
        }

        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: botao.text
            font: botao.font
            color: Paleta.textoSecundario
        }
    }

    background: null

    AnelDeFoco {
        mostrado: botao.visualFocus
        raio: 4
    }
}
