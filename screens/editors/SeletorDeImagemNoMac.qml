// Our own image chooser, for desktops whose portals offer no file chooser: modal inside the
// program's window, it starts in the Pictures folder and lists folders and images only, one
// row each with the name, the size and the date side by side.
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Qt.labs.folderlistmodel
import Corvane.App
import Corvane.Editores

Popup {
    id: seletor

    required property ModeloDoEditorDeCodigo editor
    property url pastaAtual
    readonly property bool temEscolha: lista.currentIndex >= 0 && !pasta.isFolder(lista.currentIndex)

    function abrirPasta(endereco) {
        pastaAtual = endereco;
        lista.currentIndex = -1;
    }

    function usar(indice) {
        if (indice < 0)
            return;
        if (pasta.isFolder(indice)) {
            abrirPasta(pasta.get(indice, "fileUrl"));
            return;
        }
        const arquivo = pasta.get(indice, "fileUrl");
        close();
        seletor.editor.lerArquivoEscolhido(arquivo);
    }

    objectName: "seletorDeImagem"
    parent: Overlay.overlay
    anchors.centerIn: parent
    width: Math.min(540, parent ? parent.width - 32 : 540)
    height: Math.min(460, parent ? parent.height - 32 : 460)
    modal: true
    focus: true
    padding: 16
    closePolicy: Popup.CloseOnEscape
    onAboutToShow: {
        abrirPasta(seletor.editor.pastaDeImagens);
        lista.forceActiveFocus();
    }
    onClosed: seletor.editor.seletorProprioFechou()

    Overlay.modal: Rectangle {
        color: Qt.rgba(0, 0, 0, 0.18)
    }

    background: Rectangle {
        radius: 12
        color: Paleta.superficie
        border.width: 1
        border.color: Paleta.borda
    }

    FolderListModel {
        id: pasta

        objectName: "pastaDoSeletor"
        nameFilters: seletor.editor.padroesDeImagem
        caseSensitive: false
        showDirsFirst: true
        showDotAndDotDot: false
        showHidden: false
        sortField: FolderListModel.Name
        sortCaseSensitive: false
        folder: seletor.pastaAtual
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 10

        Text {
            Layout.fillWidth: true
            text: "Escolha a imagem do QR Code"
            textFormat: Text.PlainText
            font: Tipo.fonte(Tipo.Headline, Font.DemiBold)
            color: Paleta.tinta
            elide: Text.ElideRight
        }

        RowLayout {
            Layout.fillWidth: true
            spacing: 8

            BotaoNoMac {
                objectName: "pastaAcima"
                Layout.preferredWidth: 32
                enabled: seletor.editor.temPastaAcima(seletor.pastaAtual)
                onClicked: seletor.abrirPasta(seletor.editor.pastaAcima(seletor.pastaAtual))

                Simbolo {
                    anchors.centerIn: parent
                    width: 14
                    height: 14
                    nome: "arrow.up"
                    cor: parent.enabled ? Paleta.texto : Paleta.textoApagado
                }
            }

            Text {
                objectName: "caminhoDaPasta"
                Layout.fillWidth: true
                text: seletor.editor.caminhoDaPasta(seletor.pastaAtual)
                textFormat: Text.PlainText
                font: Tipo.callout
                color: Paleta.textoSecundario
                elide: Text.ElideMiddle
            }
        }

        Rectangle {
            Layout.fillWidth: true
            Layout.fillHeight: true
            radius: 8
            color: Paleta.fundo
            border.width: 1
            border.color: Paleta.borda
            clip: true

            ListView {
                id: lista

                // The row at a point of the window, -1 for none.
                function linhaEm(pontoNaJanela) {
                    const ponto = contentItem.mapFromItem(null, pontoNaJanela.x, pontoNaJanela.y);
                    return indexAt(ponto.x, ponto.y);
                }

                objectName: "listaDoSeletor"
                anchors.fill: parent
                anchors.margins: 4
                model: pasta
                currentIndex: -1
                boundsBehavior: Flickable.StopAtBounds
                keyNavigationEnabled: true
                ScrollBar.vertical: ScrollBar {}
                Keys.onReturnPressed: seletor.usar(currentIndex)
                Keys.onEnterPressed: seletor.usar(currentIndex)
                Keys.onPressed: evento => {
                    if (evento.key === Qt.Key_Backspace && seletor.editor.temPastaAcima(seletor.pastaAtual)) {
                        seletor.abrirPasta(seletor.editor.pastaAcima(seletor.pastaAtual));
                        evento.accepted = true;
                    }
                }

                // A tap picks the row under it, a double tap opens it.
                TapHandler {
                    objectName: "toqueNaListaDoSeletor"
                    onTapped: ponto => {
                        lista.currentIndex = lista.linhaEm(ponto.scenePosition);
                        lista.forceActiveFocus();
                    }
                    onDoubleTapped: ponto => seletor.usar(lista.linhaEm(ponto.scenePosition))
                }

                delegate: Rectangle {
                    id: linha

                    required property int index
                    required property string fileName
                    required property bool fileIsDir
                    required property var fileSize
                    required property date fileModified

                    objectName: "linha_" + fileName
                    width: ListView.view.width
                    height: 30
                    radius: 6
                    color: ListView.isCurrentItem ? Qt.rgba(Paleta.azul.r, Paleta.azul.g, Paleta.azul.b, 0.16) : "transparent"

                    RowLayout {
                        anchors.fill: parent
                        anchors.leftMargin: 8
                        anchors.rightMargin: 8
                        spacing: 8

                        Simbolo {
                            Layout.preferredWidth: 16
                            Layout.preferredHeight: 16
                            nome: linha.fileIsDir ? "folder" : "photo"
                            cor: linha.fileIsDir ? Paleta.azul : Paleta.textoSecundario
                        }

                        Text {
                            objectName: "nome"
                            Layout.fillWidth: true
                            text: linha.fileName
                            textFormat: Text.PlainText
                            font: Tipo.callout
                            color: Paleta.texto
                            elide: Text.ElideMiddle
                        }

                        Text {
                            objectName: "tamanho"
                            Layout.preferredWidth: 72
                            text: linha.fileIsDir ? "" : Qt.locale("pt_BR").formattedDataSize(linha.fileSize, 1, Locale.DataSizeTraditionalFormat)
                            textFormat: Text.PlainText
                            font: Tipo.caption
                            color: Paleta.textoSecundario
                            horizontalAlignment: Text.AlignRight
                        }

                        Text {
                            objectName: "data"
                            Layout.preferredWidth: 108
                            text: linha.fileModified.toLocaleString(Qt.locale("pt_BR"), "dd/MM/yyyy HH:mm")
                            textFormat: Text.PlainText
                            font: Tipo.caption
                            color: Paleta.textoSecundario
                            horizontalAlignment: Text.AlignRight
                        }
                    }
                }
            }

            Text {
                objectName: "pastaVazia"
                anchors.centerIn: parent
                visible: pasta.status === FolderListModel.Ready && pasta.count === 0
                text: "Nenhuma imagem nesta pasta."
                textFormat: Text.PlainText
                font: Tipo.callout
                color: Paleta.textoApagado
            }
        }

        RowLayout {
            Layout.fillWidth: true
            spacing: 8

            Text {
                objectName: "filtroDoSeletor"
                Layout.fillWidth: true
                text: seletor.editor.filtroDeImagens
                textFormat: Text.PlainText
                font: Tipo.caption
                color: Paleta.textoSecundario
                wrapMode: Text.Wrap
            }

            BotaoNoMac {
                objectName: "cancelarSeletor"
                text: "Cancelar"
                onClicked: seletor.close()
            }

            BotaoNoMac {
                objectName: "abrirImagem"
                text: "Abrir"
                estilo: "destacado"
                enabled: seletor.temEscolha
                onClicked: seletor.usar(lista.currentIndex)
            }
        }
    }
}
