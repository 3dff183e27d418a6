// The passkey part of the re-sign-in sheet: the "Usar passkey" button, or, while the browser
// confirmation is pending, a waiting row with "Abrir de novo".
import QtQuick
import QtQuick.Layouts
import Corvane.App
import Corvane.Conta
import Corvane.Cofre

Item {
    id: bloco

    property bool esperando: false

    signal usar()
    signal abrirDeNovo()

    implicitHeight: bloco.esperando ? espera.implicitHeight : botao.implicitHeight

    BotaoSecundarioNoMac {
        id: botao

        objectName: "botaoUsarPasskey"
        width: parent.width
        visible: !bloco.esperando
        simbolo: "person.badge.key.fill"
        text: "Usar passkey"
        onClicked: bloco.usar()
    }

    Rectangle {
        id: espera

        objectName: "esperaDaPasskey"
        width: parent.width
        visible: bloco.esperando
        implicitHeight: linha.implicitHeight + 24
        radius: 12
        color: Qt.rgba(243 / 255, 246 / 255, 253 / 255, 1)

        RowLayout {
            id: linha

            x: 12
            y: 12
            width: parent.width - 24
            spacing: 10

            IndicadorDeAtividade {
                Layout.preferredWidth: 14
                Layout.preferredHeight: 14
                ativo: bloco.esperando
            }
            // Takes the room left by the link, wrapping when the text is longer.
            Text {
                objectName: "textoDaEspera"
                Layout.fillWidth: true
                text: RegrasDaSincronia.noComputador("Confirme com o Touch ID no Safari")
                textFormat: Text.PlainText
                wrapMode: Text.Wrap
                font: Tipo.callout
                color: Paleta.textoSecundario
            }
            BotaoEmTexto {
                objectName: "botaoAbrirDeNovo"
                text: "Abrir de novo"
                onClicked: bloco.abrirDeNovo()
            }
        }
    }
}
