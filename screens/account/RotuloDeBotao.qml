// A button's label, centred in the button: while `ocupado` a spinner, 8 points before an
// optional symbol and the text.
import QtQuick
import Corvane.App

Item {
    id: rotulo

    property string texto
    property string simbolo
    property font fonte
    property color cor
    property bool ocupado: false

    implicitWidth: linha.implicitWidth
    implicitHeight: linha.implicitHeight

    Row {
        id: linha

        anchors.centerIn: parent
        spacing: 8

        IndicadorDeAtividade {
            objectName: "girando"
            anchors.verticalCenter: parent.verticalCenter
            visible: rotulo.ocupado
            ativo: rotulo.ocupado
            cor: rotulo.cor
        }

        Row {
            objectName: "rotuloDoBotao"
            anchors.verticalCenter: parent.verticalCenter
            spacing: 6

            Simbolo {
                anchors.verticalCenter: parent.verticalCenter
                visible: rotulo.simbolo !== ""
                width: rotulo.fonte.pixelSize + 2
                height: rotulo.fonte.pixelSize + 2
                nome: rotulo.simbolo
                cor: rotulo.cor
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
}
