// A white card, 420 points wide, centred on the window's light background: its content in one
// centred column within 36 points of padding, a 1-point outline and a soft shadow below.
import QtQuick
import QtQuick.Layouts
import Corvane.App

Item {
    id: cartao

    default property alias conteudo: coluna.data

    implicitWidth: 420
    implicitHeight: coluna.implicitHeight + 72

    Rectangle {
        anchors.fill: parent
        color: Paleta.fundo
    }

    // Decoration: the card's soft shadow, blurred beyond its edges.
    SombraSuave {
        id: sombra

        anchors.fill: placa
        anchors.margins: -sombra.margem
        margem: 60
        raio: 22
        desfoque: 30
        deslocamentoY: 12
        cor: Qt.rgba(Paleta.tinta.r, Paleta.tinta.g, Paleta.tinta.b, 0.06)
    }

    Rectangle {
        id: placa

        objectName: "placaDoCartao"
        anchors.centerIn: parent
        width: 420
        height: coluna.implicitHeight + 72
        radius: 22
        color: Paleta.superficie
        border.width: 1
        border.color: Paleta.borda

        ColumnLayout {
            id: coluna

            objectName: "colunaDoCartao"
            x: 36
            y: 36
            width: 420 - 72
            spacing: 8
        }
    }
}
