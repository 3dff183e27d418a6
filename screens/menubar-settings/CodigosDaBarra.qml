// The open vault's part of the tray panel: the search field and the codes that match it, drawn
// again every second on the screens' clock.
import QtQuick
import QtQuick.Controls.Basic
import Corvane.App
import Corvane.Comum
import Corvane.Cofre
import Corvane.Barra

Column {
    id: codigos

    required property Cofre cofre
    required property CentralDeAvisos avisos
    property string busca

    signal buscaEditada(string texto)

    spacing: 0

    Item {
        width: codigos.width
        height: 30 + 20

        Rectangle {
            x: 10
            y: 10
            width: parent.width - 20
            height: 30
            radius: 8
            color: Paleta.fundo

            Row {
                x: 10
                width: parent.width - 20
                height: parent.height
                spacing: 6

                Simbolo {
                    anchors.verticalCenter: parent.verticalCenter
                    width: 13
                    height: 13
                    nome: "magnifyingglass"
                    cor: Paleta.textoApagado
                }
                TextField {
                    id: campo

                    objectName: "buscaDaBarra"
                    anchors.verticalCenter: parent.verticalCenter
                    width: parent.width - 13 - 6
                    padding: 0
                    text: codigos.busca
                    placeholderText: "Buscar código"
                    placeholderTextColor: Paleta.textoApagado
                    font: Tipo.body
                    color: Paleta.texto
                    background: null
                    onTextEdited: codigos.buscaEditada(campo.text)
                }
            }
        }
    }

    ListaDaBarra {
        id: lista

        cofre: codigos.cofre
        busca: codigos.busca
        agora: Relogio.agora
    }

    Text {
        objectName: "nenhumCodigo"
        visible: lista.semCodigos
        width: codigos.width
        padding: 20
        horizontalAlignment: Text.AlignHCenter
        text: "Nenhum código ainda."
        textFormat: Text.PlainText
        font: Tipo.callout
        color: Paleta.textoSecundario
    }

    ListView {
        id: rolagem

        objectName: "listaDaBarra"
        visible: !lista.semCodigos
        width: codigos.width
        // The rows and the 6 points below the last one, up to 380 points.
        height: Math.min(contentHeight + bottomMargin, 380)
        leftMargin: 6
        rightMargin: 6
        bottomMargin: 6
        spacing: 2
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        model: lista
        ScrollBar.vertical: ScrollBar {}

        // qmllint disable unqualified
        // (6.4's qmllint takes the document's ids for unqualified names inside a delegate; they
        // resolve in the document's context as intended)
        delegate: LinhaDeCodigoDaBarra {
            required property int index
            required property string idDoItem

            objectName: "linha-" + idDoItem
            width: rolagem.width - 12
            agora: lista.agora
            onClicked: lista.copiar(index, codigos.avisos)
        }
        // qmllint enable unqualified
    }
}
