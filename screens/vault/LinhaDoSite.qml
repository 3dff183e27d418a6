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
    // A link is reached by Tab and opened with Space or Return as with a click.
    activeFocusOnTab: site.link
    Accessible.role: site.link ? Accessible.Link : Accessible.StaticText
    Accessible.name: site.texto
    Accessible.onPressAction: site.abrir()
    Keys.onSpacePressed: site.abrir()
    Keys.onReturnPressed: site.abrir()
    Keys.onEnterPressed: site.abrir()

    function abrir() {
        if (site.link)
            RegrasDasSenhas.abrirSite(site.texto);
    }

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
        onClicked: site.abrir()
    }

    AnelDeFoco {
        anchors.fill: undefined
        x: -3
        y: -3
        width: rotulo.width + (seta.visible ? seta.width + 5 : 0) + 6
        height: parent.height + 6
        mostrado: site.activeFocus
        raio: 3
    }
}
