// The configuration request's screen: the animated padlock, "Tudo pronto" and "Concluir"
// (Return), which completes the request.
import QtQuick
import QtQuick.Layouts
import Corvane.App
import Corvane.Preenchimento

Item {
    id: configurado

    required property ModeloDoPreenchimento modelo

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: 24
        spacing: 18

        Item { Layout.fillHeight: true }

        IconeDaMarca {
            Layout.alignment: Qt.AlignHCenter
            tamanho: 72
            estilo: EstiloDaMarca.Azul
            animando: configurado.visible
            abrindoEFechando: configurado.visible
        }

        Text {
            objectName: "tituloConfigurado"
            Layout.alignment: Qt.AlignHCenter
            text: "Tudo pronto"
            font: Tipo.fonte(Tipo.Title2, Font.Bold)
            color: Paleta.texto
        }

        Text {
            Layout.alignment: Qt.AlignHCenter
            Layout.preferredWidth: Math.min(320, configurado.width - 48)
            text: "Ao entrar em um site ou app, clique no campo de senha e escolha o Corvane."
            font: Tipo.callout
            color: Paleta.textoSecundario
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
        }

        Item { Layout.fillHeight: true }

        BotaoNoMac {
            objectName: "botaoConcluir"
            Layout.fillWidth: true
            Layout.preferredHeight: 34
            estilo: "destacado"
            text: "Concluir"
            font: Tipo.fonte(Tipo.Callout, Font.DemiBold)
            onClicked: configurado.modelo.concluirConfiguracao()
        }
    }

    Shortcut {
        sequences: ["Return", "Enter"]
        enabled: configurado.visible
        onActivated: configurado.modelo.concluirConfiguracao()
    }
}
