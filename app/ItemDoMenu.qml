// An entry of a window's menu: the command's text, and its shortcut at the trailing edge as
// desktop menus show them.
import QtQuick
import QtQuick.Controls.Basic
import Corvane.App

MenuItem {
    id: item

    readonly property string atalho: (item.action as AcaoDoMenu)?.atalhoMostrado ?? ""

    // The text and the shortcut side by side; no ids in the deferred content item itself.
    component Conteudo: Item {
        id: conteudo

        property string texto
        property string atalho
        property font fonte
        property color cor
        property color corDoAtalho

        implicitWidth: rotulo.implicitWidth + (conteudo.atalho !== "" ? 36 + rotuloDoAtalho.implicitWidth : 0)
        implicitHeight: Math.max(rotulo.implicitHeight, rotuloDoAtalho.implicitHeight)

        Text {
            id: rotulo

            anchors.left: parent.left
            anchors.verticalCenter: parent.verticalCenter
            text: conteudo.texto
            textFormat: Text.PlainText
            font: conteudo.fonte
            color: conteudo.cor
        }
        Text {
            id: rotuloDoAtalho

            objectName: "atalhoDoItem"
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            visible: conteudo.atalho !== ""
            text: conteudo.atalho
            textFormat: Text.PlainText
            font: conteudo.fonte
            color: conteudo.corDoAtalho
        }
    }

    objectName: item.action ? "itemDoMenu-" + item.action.objectName : ""

    contentItem: Conteudo {
        texto: item.text
        atalho: item.atalho
        fonte: item.font
        cor: item.highlighted ? Paleta.superficie : (item.enabled ? Paleta.texto : Paleta.textoApagado)
        corDoAtalho: item.highlighted ? Paleta.superficie : Paleta.textoApagado
    }
}
