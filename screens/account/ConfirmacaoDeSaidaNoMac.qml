// "Sair desta conta?": a modal card over the window with what signing out does, "Cancelar"
// (also Escape or a click outside) and the destructive "Sair".
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import QtQuick.Templates as T
import Corvane.App
import Corvane.Conta

Popup {
    id: dialogo

    required property Desbloqueio modelo

    parent: T.Overlay.overlay
    anchors.centerIn: parent
    width: 300
    modal: true
    focus: true
    padding: 20
    closePolicy: Popup.CloseOnEscape | Popup.CloseOnPressOutside

    onClosed: dialogo.modelo.confirmandoSaida = false

    Connections {
        target: dialogo.modelo
        function onConfirmandoSaidaChanged() {
            if (dialogo.modelo.confirmandoSaida)
                dialogo.open();
            else
                dialogo.close();
        }
    }

    T.Overlay.modal: Rectangle {
        color: Qt.rgba(Paleta.tinta.r, Paleta.tinta.g, Paleta.tinta.b, 0.2)
    }

    background: Rectangle {
        radius: 14
        color: Paleta.superficie
        border.width: 1
        border.color: Paleta.borda
    }

    contentItem: ColumnLayout {
        spacing: 8

        Text {
            objectName: "tituloDaConfirmacao"
            Layout.fillWidth: true
            text: "Sair desta conta?"
            textFormat: Text.PlainText
            font: Tipo.headline
            color: Paleta.texto
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
        }

        Text {
            objectName: "mensagemDaConfirmacao"
            Layout.fillWidth: true
            text: dialogo.modelo.mensagemDaSaida
            textFormat: Text.PlainText
            font: Tipo.callout
            color: Paleta.textoSecundario
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
        }

        RowLayout {
            Layout.fillWidth: true
            Layout.topMargin: 10
            spacing: 10

            BotaoSecundarioNoMac {
                objectName: "botaoCancelarSaida"
                text: "Cancelar"
                onClicked: dialogo.close()
            }

            BotaoDestrutivoNoMac {
                objectName: "botaoConfirmarSaida"
                text: "Sair"
                onClicked: dialogo.modelo.sair()
            }
        }
    }
}
