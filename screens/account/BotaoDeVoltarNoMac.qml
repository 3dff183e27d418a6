// "Voltar" with a left chevron: a plain link-like button across the full width, leading-aligned.
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
}
