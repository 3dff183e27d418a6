// The title block of an account screen: a bold title over a centred explanation that wraps,
// with 20 points below.
import QtQuick
import QtQuick.Layouts
import Corvane.App

Item {
    id: bloco

    required property string titulo
    required property string texto

    Layout.fillWidth: true
    implicitWidth: Math.max(titulo.implicitWidth, texto.implicitWidth)
    implicitHeight: coluna.implicitHeight + 20

    Column {
        id: coluna

        width: parent.width
        spacing: 6

        Text {
            id: titulo

            objectName: "tituloDaConta"
            width: parent.width
            text: bloco.titulo
            textFormat: Text.PlainText
            font: Tipo.fonte(Tipo.Title2, Font.Bold)
            color: Paleta.texto
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
        }

        Text {
            id: texto

            objectName: "textoDaConta"
            width: parent.width
            text: bloco.texto
            textFormat: Text.PlainText
            font: Tipo.callout
            color: Paleta.textoSecundario
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
        }
    }
}
