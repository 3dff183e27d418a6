// The head of a vault section: the title, the subtitle that counts the section's items, and the
// add button (Ctrl+N), which works only while the vault can reach the server and no sheet is up.
import QtQuick
import Corvane.App
import Corvane.Cofre

Item {
    id: cabecalho

    property string secao: "codigos"
    property int total: 0
    property bool podeAdicionar: true
    // Off while a sheet covers the window: Ctrl+N then does nothing.
    property bool atalhoLigado: true

    signal adicionar()

    implicitHeight: Math.max(textos.implicitHeight, botao.implicitHeight) + 2

    Column {
        id: textos

        anchors.left: parent.left
        anchors.right: botao.left
        anchors.rightMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        anchors.verticalCenterOffset: 1
        spacing: 4

        Text {
            objectName: "tituloDaSecao"
            text: RegrasDoCofre.titulo(cabecalho.secao)
            textFormat: Text.PlainText
            font.family: Tipo.familia
            font.pixelSize: 28
            font.weight: Font.Bold
            font.letterSpacing: -0.6
            color: Paleta.texto
        }
        Text {
            objectName: "subtituloDaSecao"
            width: parent.width
            elide: Text.ElideRight
            text: RegrasDoCofre.subtitulo(cabecalho.secao, cabecalho.total)
            textFormat: Text.PlainText
            font.family: Tipo.familia
            font.pointSize: 13.5 * 0.75 // 13.5 px at the layout's 96 dpi
            color: Paleta.textoSecundario
        }
    }

    BotaoGrafiteNoMac {
        id: botao

        objectName: "botaoAdicionar"
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        anchors.verticalCenterOffset: 1
        text: RegrasDoCofre.rotuloDeAdicionar(cabecalho.secao)
        simbolo: "plus"
        enabled: cabecalho.podeAdicionar
        onClicked: cabecalho.adicionar()
    }

    Shortcut {
        sequence: "Ctrl+N"
        enabled: botao.enabled && cabecalho.visible && cabecalho.atalhoLigado
        onActivated: cabecalho.adicionar()
    }
}
