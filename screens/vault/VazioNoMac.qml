// A plain centred empty state: a light symbol, a title and a short text.
import QtQuick
import Corvane.App
import Corvane.Cofre

Item {
    id: vazio

    property string simbolo
    property string titulo
    property string texto

    Column {
        anchors.centerIn: parent
        width: Math.min(340, vazio.width)
        spacing: 10

        Simbolo {
            objectName: "simboloDoVazio"
            anchors.horizontalCenter: parent.horizontalCenter
            width: 30
            height: 30
            nome: vazio.simbolo
            cor: Paleta.textoApagado
        }
        Text {
            objectName: "tituloDoVazio"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: vazio.titulo
            textFormat: Text.PlainText
            font: Tipo.fonte(Tipo.Title3, Font.DemiBold)
            color: Paleta.texto
        }
        Text {
            objectName: "textoDoVazio"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            text: vazio.texto
            textFormat: Text.PlainText
            font: Tipo.callout
            color: Paleta.textoSecundario
        }
    }
}
