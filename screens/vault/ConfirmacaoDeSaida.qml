// The sign-out confirmation: "Sair desta conta?", what signing out does to this computer's
// data, "Cancelar" and the destructive "Sair". Modal over the whole window.
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Templates as T
import Corvane.App
import Corvane.Cofre

Popup {
    id: confirmacao

    property bool aberta: false

    signal sair()
    signal fechada()

    parent: T.Overlay.overlay
    anchors.centerIn: parent
    width: 320
    modal: true
    focus: true
    padding: 20
    closePolicy: Popup.CloseOnEscape | Popup.CloseOnPressOutside
    onClosed: confirmacao.fechada()
    onAbertaChanged: {
        if (confirmacao.aberta)
            confirmacao.open();
        else
            confirmacao.close();
    }

    T.Overlay.modal: Rectangle {
        color: Qt.rgba(Paleta.tinta.r, Paleta.tinta.g, Paleta.tinta.b, 0.25)
    }

    background: Rectangle {
        radius: 14
        color: Paleta.superficie
        border.width: 1
        border.color: Paleta.borda
    }

    contentItem: Column {
        spacing: 10

        Text {
            objectName: "tituloDaConfirmacao"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: "Sair desta conta?"
            textFormat: Text.PlainText
            font: Tipo.fonte(Tipo.Headline, Font.DemiBold)
            color: Paleta.texto
        }
        Text {
            objectName: "mensagemDaConfirmacao"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            text: RegrasDoCofre.mensagemDeSaida
            textFormat: Text.PlainText
            font: Tipo.callout
            color: Paleta.textoSecundario
        }
        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 10
            topPadding: 6

            BotaoNoMac {
                objectName: "cancelarSaida"
                width: 120
                text: "Cancelar"
                onClicked: confirmacao.close()
            }
            BotaoNoMac {
                objectName: "confirmarSaida"
                width: 120
                text: "Sair"
                corDoTexto: Paleta.vermelho
                onClicked: {
                    confirmacao.sair();
                    confirmacao.close();
                }
            }
        }
    }
}
