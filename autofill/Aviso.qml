// The extension's centred notice: a symbol, a title and a short text, shown where nothing can be
// listed.
import QtQuick
import QtQuick.Layouts
import Corvane.App
import Corvane.Preenchimento

Item {
    id: aviso

    property string simbolo
    property string titulo
    property string texto

    ColumnLayout {
        anchors.centerIn: parent
        width: Math.min(300, aviso.width - 48)
        spacing: 10

        Simbolo {
            objectName: "simboloDoAviso"
            Layout.alignment: Qt.AlignHCenter
            implicitWidth: 30
            implicitHeight: 30
            nome: aviso.simbolo
            cor: Paleta.textoApagado
        }

        Text {
            objectName: "tituloDoAviso"
            Layout.alignment: Qt.AlignHCenter
            text: aviso.titulo
            textFormat: Text.PlainText
            font: Tipo.headline
            color: Paleta.texto
        }

        Text {
            objectName: "textoDoAviso"
            Layout.fillWidth: true
            text: aviso.texto
            textFormat: Text.PlainText
            font: Tipo.callout
            color: Paleta.textoSecundario
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
        }
    }
}
