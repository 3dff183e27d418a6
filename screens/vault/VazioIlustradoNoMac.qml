// A section with no items yet: the illustration, a title, a short text and the graphite button
// that adds the first item (disabled unless `habilitado`). It rises into place when it appears.
import QtQuick
import Corvane.App
import Corvane.Cofre

EntradaEmCascata {
    id: vazio

    property string simbolo
    property string titulo
    property string texto
    property string acao
    property bool habilitado: true

    signal agir()

    indice: 0

    Column {
        anchors.centerIn: parent
        anchors.verticalCenterOffset: -20
        width: Math.min(360, vazio.width)
        spacing: 14

        IlustracaoDoVazioNoMac {
            objectName: "ilustracaoDoVazio"
            anchors.horizontalCenter: parent.horizontalCenter
            simbolo: vazio.simbolo
        }
        Text {
            objectName: "tituloDoVazio"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: vazio.titulo
            textFormat: Text.PlainText
            font.family: Tipo.familia
            font.pixelSize: 20
            font.weight: Font.DemiBold
            color: Paleta.texto
        }
        Text {
            objectName: "textoDoVazio"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            text: vazio.texto
            textFormat: Text.PlainText
            font.family: Tipo.familia
            font.pointSize: 13.5 * 0.75 // 13.5 px at the layout's 96 dpi
            color: Paleta.textoSecundario
            lineHeight: 1.15
        }
        Item {
            width: parent.width
            height: botao.height + 6

            BotaoGrafiteNoMac {
                id: botao

                objectName: "botaoDoVazio"
                anchors.horizontalCenter: parent.horizontalCenter
                anchors.bottom: parent.bottom
                text: vazio.acao
                simbolo: "plus"
                enabled: vazio.habilitado
                onClicked: vazio.agir()
            }
        }
    }
}
