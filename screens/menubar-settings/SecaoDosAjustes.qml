// A group of the settings form: its title over a white rounded card that stacks the rows given
// as children, with a line between them.
import QtQuick
import Corvane.App

Column {
    id: secao

    property string titulo
    default property alias linhas: corpo.data

    spacing: 6

    Text {
        leftPadding: 10
        text: secao.titulo
        textFormat: Text.PlainText
        font: Tipo.fonte(Tipo.Subheadline, Font.DemiBold)
        color: Paleta.textoSecundario
    }
    Rectangle {
        width: secao.width
        height: corpo.implicitHeight + 8
        radius: 10
        color: Paleta.superficie
        border.width: 1
        border.color: Paleta.borda

        Column {
            id: corpo

            x: 12
            y: 4
            width: parent.width - 24
        }
    }
}
