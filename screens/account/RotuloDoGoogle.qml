// The Google button's label: the mark in its own colours, 17 points, then the text.
import QtQuick

Item {
    id: rotulo

    property string texto
    property font fonte
    property color cor

    implicitWidth: linha.implicitWidth
    implicitHeight: linha.implicitHeight

    Row {
        id: linha

        anchors.centerIn: parent
        spacing: 8

        LogoDoGoogle {
            anchors.verticalCenter: parent.verticalCenter
            width: 17
            height: 17
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: rotulo.texto
            textFormat: Text.PlainText
            font: rotulo.fonte
            color: rotulo.cor
        }
    }
}
