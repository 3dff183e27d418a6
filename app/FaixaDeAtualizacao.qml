// The banner that announces a newer published version: the symbol, the sentence and "Baixar",
// on the light blue edge to edge. With nothing newer known it is empty and takes no room.
import QtQuick
import QtQuick.Layouts
import Corvane.App
import Corvane.Barra

Rectangle {
    id: faixa

    required property VerificadorDeAtualizacao atualizacao
    readonly property bool mostrada: atualizacao.disponivel !== undefined

    function baixar() {
        faixa.atualizacao.abrirDownload();
    }

    visible: mostrada
    implicitHeight: mostrada ? linha.implicitHeight + 20 : 0
    color: Paleta.azulClaro

    RowLayout {
        id: linha

        anchors.left: parent.left
        anchors.right: parent.right
        anchors.leftMargin: 16
        anchors.rightMargin: 16
        anchors.verticalCenter: parent.verticalCenter
        spacing: 10

        Simbolo {
            objectName: "simboloDaFaixa"
            nome: "arrow.down.circle.fill"
            cor: Paleta.azul
            Layout.preferredWidth: 15
            Layout.preferredHeight: 15
        }
        Text {
            objectName: "textoDaFaixa"
            text: faixa.atualizacao.textoDaFaixa
            font: Tipo.fonte(Tipo.Callout, Font.Medium)
            color: Paleta.texto
            elide: Text.ElideRight
            Layout.fillWidth: true
        }
        BotaoNoMac {
            objectName: "baixar"
            text: "Baixar"
            onClicked: faixa.baixar()
        }
    }
}
