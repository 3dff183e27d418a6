// One of a password's sites: a link with its arrow that opens the address in the browser, or, for
// a text that is no web address, the text alone.
import QtQuick
import Corvane.App
import Corvane.Cofre

Item {
    id: site

    property string texto
    property bool link: false

    implicitHeight: rotulo.implicitHeight

    Row {
        spacing: 5

        Text {
            id: rotulo

            objectName: "textoDoSite"
            width: Math.min(implicitWidth, site.width - (seta.visible ? 20 : 0))
            text: site.texto
            textFormat: Text.PlainText
            elide: Text.ElideRight
            font: Tipo.body
            color: site.link ? Paleta.azul : Paleta.texto
        }
        Simbolo {
            id: seta

            anchors.verticalCenter: rotulo.verticalCenter
            width: 13
            height: 13
            visible: site.link
            nome: "arrow.up.right.square"
            cor: Paleta.azul
        }
    }
    MouseArea {
        objectName: "areaDoSite"
        width: rotulo.width + (seta.visible ? seta.width + 5 : 0)
        height: parent.height
        enabled: site.link
        cursorShape: Qt.PointingHandCursor
        onClicked: RegrasDasSenhas.abrirSite(site.texto)
    }
}
