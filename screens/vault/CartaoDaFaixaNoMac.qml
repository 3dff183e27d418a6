// The card both banners share: the symbol in blue, the title over the body, and one prominent
// button on the right, on white with a thin blue outline.
import QtQuick
import QtQuick.Layouts
import Corvane.App

Rectangle {
    id: cartao

    required property string simbolo
    required property string titulo
    required property string corpo
    required property string rotuloDoBotao

    signal acionado()

    implicitHeight: linha.implicitHeight + 28
    radius: 14
    color: Paleta.superficie
    border.width: 1
    border.color: Qt.rgba(Paleta.azul.r, Paleta.azul.g, Paleta.azul.b, 0.35)

    RowLayout {
        id: linha

        x: 14
        y: 14
        width: parent.width - 28
        spacing: 12

        Simbolo {
            objectName: "simboloDaFaixa"
            Layout.alignment: Qt.AlignVCenter
            Layout.preferredWidth: 22
            Layout.preferredHeight: 22
            nome: cartao.simbolo
            cor: Paleta.azul
        }
        ColumnLayout {
            Layout.fillWidth: true
            Layout.alignment: Qt.AlignVCenter
            spacing: 2

            Text {
                objectName: "tituloDaFaixa"
                Layout.fillWidth: true
                text: cartao.titulo
                textFormat: Text.PlainText
                wrapMode: Text.Wrap
                font: Tipo.fonte(Tipo.Callout, Font.DemiBold)
                color: Paleta.texto
            }
            Text {
                objectName: "corpoDaFaixa"
                Layout.fillWidth: true
                text: cartao.corpo
                textFormat: Text.PlainText
                wrapMode: Text.Wrap
                font: Tipo.caption
                color: Paleta.textoSecundario
            }
        }
        Item {
            Layout.minimumWidth: 8
            Layout.preferredWidth: 8
        }
        BotaoNoMac {
            objectName: "botaoDaFaixa"
            Layout.alignment: Qt.AlignVCenter
            text: cartao.rotuloDoBotao
            estilo: "destacado"
            onClicked: cartao.acionado()
        }
    }
}
