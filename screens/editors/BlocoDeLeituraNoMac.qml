// The reading block at the top of a new code's form: read the screen, paste, pick an image
// file (the desktop's chooser, or ours), drop an image, or paste a link; and, after a refused
// screen capture, the permission notice with the desktop's settings where it has them.
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import QtQuick.Window
import Corvane.App
import Corvane.Editores

Rectangle {
    id: bloco

    required property ModeloDoEditorDeCodigo editor

    objectName: "blocoDeLeitura"
    Layout.fillWidth: true
    implicitHeight: coluna.implicitHeight + 24
    radius: 12
    color: Paleta.fundo

    DropArea {
        objectName: "areaDeSoltura"
        anchors.fill: parent
        keys: ["text/uri-list", "image/png", "image/jpeg", "image/bmp", "image/gif", "image/webp"]
        onDropped: drop => {
            // A browser gives a web image as its address and, often, its bytes: both go to the
            // editor, which picks what it can read.
            let imagem = new ArrayBuffer(0);
            for (const formato of drop.formats) {
                if (formato.startsWith("image/")) {
                    imagem = drop.getDataAsArrayBuffer(formato);
                    break;
                }
            }
            if (bloco.editor.receberSoltura(drop.urls, imagem))
                drop.accept(Qt.CopyAction);
        }
    }

    ColumnLayout {
        id: coluna

        anchors.fill: parent
        anchors.margins: 12
        spacing: 10

        Text {
            text: "Mostre o QR Code do site e escolha como trazer"
            textFormat: Text.PlainText
            font: Tipo.fonte(Tipo.Caption, Font.Medium)
            color: Paleta.textoApagado
        }

        RowLayout {
            Layout.fillWidth: true
            spacing: 8

            OpcaoDeLeituraNoMac {
                objectName: "lerDaTela"
                simbolo: "qrcode.viewfinder"
                titulo: "Ler da tela"
                ocupado: bloco.editor.lendoATela
                onClicked: bloco.editor.lerATela()
            }

            OpcaoDeLeituraNoMac {
                objectName: "colar"
                simbolo: "doc.on.clipboard"
                titulo: "Colar"
                onClicked: bloco.editor.colar()
            }

            OpcaoDeLeituraNoMac {
                objectName: "deUmaImagem"
                simbolo: "photo"
                titulo: "De uma imagem"
                onClicked: bloco.editor.escolherImagem(bloco.Window.window)
            }
        }

        RowLayout {
            Layout.fillWidth: true
            spacing: 8

            TextField {
                id: campoDoLink

                objectName: "campoDoLink"
                Layout.fillWidth: true
                Layout.preferredHeight: 30
                leftPadding: 10
                rightPadding: 10
                topPadding: 0
                bottomPadding: 0
                verticalAlignment: TextInput.AlignVCenter
                placeholderText: "ou cole o link otpauth://"
                placeholderTextColor: Paleta.textoApagado
                font: Tipo.callout
                color: Paleta.texto
                // The link carries the code's secret: no mouse selection, so a drag never puts
                // it in the primary selection; the keyboard still selects.
                selectByMouse: false
                text: bloco.editor.link
                onTextEdited: bloco.editor.link = text
                // Return here uses the link; it must not also save the sheet.
                Keys.onReturnPressed: bloco.editor.usarLink()
                Keys.onEnterPressed: bloco.editor.usarLink()

                background: Rectangle {
                    radius: 7
                    color: Paleta.superficie
                    border.width: 1
                    border.color: campoDoLink.activeFocus ? Paleta.azul : Paleta.borda
                }
            }

            BotaoNoMac {
                objectName: "botaoUsar"
                text: "Usar"
                enabled: bloco.editor.podeUsarLink
                onClicked: bloco.editor.usarLink()
            }
        }

        RowLayout {
            objectName: "avisoDePermissao"
            visible: bloco.editor.permissaoDaTelaNegada
            Layout.fillWidth: true
            spacing: 6

            Text {
                Layout.fillWidth: true
                objectName: "textoDoAvisoDePermissao"
                text: bloco.editor.avisoDePermissao
                textFormat: Text.PlainText
                font: Tipo.caption
                color: Paleta.textoSecundario
                wrapMode: Text.Wrap
            }

            BotaoNoMac {
                objectName: "abrirAjustes"
                visible: bloco.editor.temAjustes
                text: bloco.editor.botaoDosAjustes
                estilo: "semBorda"
                corDoTexto: Paleta.azul
                font: Tipo.fonte(Tipo.Caption, Font.DemiBold)
                onClicked: bloco.editor.abrirAjustes()
            }
        }
    }

    // Ours, when the desktop offers no file chooser of its own.
    SeletorDeImagemNoMac {
        id: seletorDeImagem

        editor: bloco.editor
    }

    Connections {
        function onPedeSeletorProprio() {
            seletorDeImagem.open();
        }

        target: bloco.editor
    }
}
