// The AutoFill section of the settings window: whether AutoFill is on, with its symbol, the
// button to the switch, and how to use it.
import QtQuick
import QtQuick.Layouts
import Corvane.App

Item {
    id: secao

    required property SituacaoDoPreenchimento situacao

    implicitWidth: 480
    implicitHeight: coluna.implicitHeight

    Column {
    id: coluna

    width: secao.width
    spacing: 6

    Text {
        objectName: "tituloDaSecao"
        leftPadding: 10
        text: secao.situacao.tituloDaSecao
        font: Tipo.fonte(Tipo.Subheadline, Font.DemiBold)
        color: Paleta.textoSecundario
    }
    Rectangle {
        width: secao.width
        height: corpo.implicitHeight + 24
        radius: 10
        color: Paleta.superficie
        border.width: 1
        border.color: Paleta.borda

        Column {
            id: corpo

            x: 12
            y: 12
            width: parent.width - 24
            spacing: 10

            RowLayout {
                width: parent.width

                Simbolo {
                    objectName: "simboloDaSecao"
                    nome: secao.situacao.simboloDaSecao
                    cor: secao.situacao.simboloDaSecaoEmAzul ? Paleta.azul : Paleta.textoApagado
                    Layout.preferredWidth: 15
                    Layout.preferredHeight: 15
                }
                Text {
                    objectName: "textoDaSecao"
                    text: secao.situacao.textoDaSecao
                    font: Tipo.body
                    color: Paleta.texto
                }
                Item {
                    Layout.fillWidth: true
                }
                BotaoNoMac {
                    objectName: "botaoDaSecao"
                    text: secao.situacao.botaoDaSecao
                    onClicked: secao.situacao.abrirAjustes()
                }
            }
            Text {
                objectName: "legendaDaSecao"
                width: parent.width
                text: secao.situacao.legendaDaSecao
                font: Tipo.caption
                color: Paleta.textoApagado
                wrapMode: Text.WordWrap
            }
        }
    }
}
}
