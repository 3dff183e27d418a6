// The extension's header: the brand padlock, the title and the first requested site, and
// "Cancelar" (Escape) except on the configuration screen.
import QtQuick
import QtQuick.Layouts
import Corvane.App
import Corvane.Preenchimento

Rectangle {
    id: cabecalho

    required property ModeloDoPreenchimento modelo
    property bool criando: false

    implicitHeight: linha.implicitHeight + 28
    color: Paleta.superficie

    RowLayout {
        id: linha

        anchors.fill: parent
        anchors.leftMargin: 18
        anchors.rightMargin: 18
        anchors.topMargin: 14
        anchors.bottomMargin: 14
        spacing: 12

        IconeDaMarca {
            tamanho: 30
            estilo: EstiloDaMarca.Azul
        }

        ColumnLayout {
            spacing: 1

            Text {
                objectName: "tituloDoCabecalho"
                text: cabecalho.criando ? cabecalho.modelo.tituloAoCriar : cabecalho.modelo.tituloDoCabecalho
                textFormat: Text.PlainText
                font: Tipo.headline
                color: Paleta.texto
            }

            Text {
                objectName: "subtituloDoCabecalho"
                visible: cabecalho.modelo.dominios.length > 0
                text: cabecalho.modelo.primeiroDominio
                textFormat: Text.PlainText
                font: Tipo.caption
                color: Paleta.textoApagado
            }
        }

        Item {
            Layout.fillWidth: true
        }

        BotaoNoMac {
            objectName: "botaoCancelar"
            visible: !cabecalho.modelo.modoDeConfiguracao
            text: "Cancelar"
            onClicked: cabecalho.modelo.cancelar()
        }
    }

    Shortcut {
        sequence: "Esc"
        enabled: !cabecalho.modelo.modoDeConfiguracao
        onActivated: cabecalho.modelo.cancelar()
    }
}
