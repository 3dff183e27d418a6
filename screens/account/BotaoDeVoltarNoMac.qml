// "Voltar" with a left chevron: a plain link-like button at the leading edge of its row. It takes
// clicks on the chevron and the text and a few points around them, not across the row.
// Its focus ring surrounds the chevron and the text.
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Corvane.App

AbstractButton {
    id: botao

    signal acao()

    Layout.alignment: Qt.AlignLeft
    // The row keeps its 10 points under the link; 4 of them belong to the link's hit area.
    Layout.bottomMargin: 6
    implicitWidth: contentItem.implicitWidth + rightPadding
    implicitHeight: contentItem.implicitHeight + bottomPadding
    padding: 0
    rightPadding: 4
    bottomPadding: 4
    text: "Voltar"
    font: Tipo.callout
    hoverEnabled: true
    onClicked: acao()

    // Tab gives it the focus, a click does not (the focus stays where the user typed).
    focusPolicy: Qt.TabFocus
    Accessible.name: botao.text
    Keys.onReturnPressed: botao.clicked()
    Keys.onEnterPressed: botao.clicked()

    contentItem: Row {
        spacing: 4

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
        anchors.fill: undefined
        x: -3
        y: -3
        width: botao.implicitContentWidth + 6
        height: botao.height - botao.bottomPadding + 6
        mostrado: botao.visualFocus
        raio: 4
    }
}
