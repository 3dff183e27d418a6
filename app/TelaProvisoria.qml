// Stands in for a phase's screen until that screen is built: it says which phase this is and
// what will be shown here.
import QtQuick
import Corvane.App

Rectangle {
    id: provisoria

    required property string fase
    required property string explicacao

    color: Paleta.fundo

    Column {
        anchors.centerIn: parent
        width: Math.min(parent.width - 64, 420)
        spacing: 6

        Text {
            width: parent.width
            text: provisoria.fase
            font: Tipo.fonte(Tipo.Title3, Font.DemiBold)
            color: Paleta.texto
            horizontalAlignment: Text.AlignHCenter
        }
        Text {
            width: parent.width
            text: provisoria.explicacao
            font: Tipo.subheadline
            color: Paleta.textoSecundario
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
        }
    }
}
