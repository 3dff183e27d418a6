// The question asked before an item is deleted: "Apagar <title>?", with "Apagar" as the default
// answer (Return) and "Cancelar" (Escape, or closing it any other way) changing nothing. Modal,
// inside the program's own window.
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane.App
import Corvane.Editores

Popup {
    id: confirmacao

    property string titulo

    signal confirmado

    function perguntar(tituloDoItem) {
        titulo = tituloDoItem;
        open();
    }

    function responder(apagar) {
        close();
        if (apagar)
            confirmado();
    }

    objectName: "confirmacaoDeApagar"
    parent: Overlay.overlay
    anchors.centerIn: parent
    width: 300
    modal: true
    focus: true
    padding: 20
    closePolicy: Popup.CloseOnEscape

    Overlay.modal: Rectangle {
        color: Qt.rgba(0, 0, 0, 0.18)
    }

    background: Rectangle {
        radius: 12
        color: Paleta.superficie
        border.width: 1
        border.color: Paleta.borda
    }

    contentItem: FocusScope {
        implicitHeight: childrenRect.height
        focus: true

        Keys.onReturnPressed: confirmacao.responder(true)
        Keys.onEnterPressed: confirmacao.responder(true)

        ColumnLayout {
            anchors.left: parent.left
            anchors.right: parent.right
            spacing: 8

            Text {
                objectName: "mensagemDeApagar"
                Layout.fillWidth: true
                text: "Apagar " + confirmacao.titulo + "?"
                textFormat: Text.PlainText
                font: Tipo.fonte(Tipo.Headline, Font.DemiBold)
                color: Paleta.tinta
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
            }

            Text {
                Layout.fillWidth: true
                text: "O item sai de todos os seus aparelhos."
                textFormat: Text.PlainText
                font: Tipo.callout
                color: Paleta.textoSecundario
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
            }

            BotaoNoMac {
                objectName: "respostaApagar"
                Layout.fillWidth: true
                Layout.topMargin: 8
                text: "Apagar"
                estilo: "destacado"
                onClicked: confirmacao.responder(true)
            }

            BotaoNoMac {
                objectName: "respostaCancelar"
                Layout.fillWidth: true
                text: "Cancelar"
                onClicked: confirmacao.responder(false)
            }
        }
    }
}
