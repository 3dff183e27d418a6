// One labelled field of a password: the label over the value, a reveal button for a hidden value
// and the copy button. A secret is drawn as text the mouse cannot select, so it never reaches the
// primary selection; it leaves only through the concealed copy. A field with nothing to copy has
// its copy button disabled.
import QtQuick
import Corvane.App
import Corvane.Comum
import Corvane.Cofre

Item {
    id: linha

    property string rotulo
    property string valor
    // What a copy puts on the clipboard: the value itself unless a row says otherwise (the code
    // row copies its bare digits).
    property string copia: linha.valor
    property bool oculto: false
    // A plain value the mouse may select (the user name); secrets never are.
    property bool selecionavel: false
    property string aviso
    property CentralDeAvisos avisos
    property bool mostrar: false
    readonly property string mostrado: linha.oculto && !linha.mostrar ? RegrasDasSenhas.mascara(linha.valor) : linha.valor

    implicitHeight: Math.max(textos.implicitHeight, 28) + 20

    Column {
        id: textos

        anchors.left: parent.left
        anchors.right: botoes.left
        anchors.rightMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        spacing: 3

        Text {
            objectName: "rotuloDoCampo"
            width: parent.width
            text: linha.rotulo
            textFormat: Text.PlainText
            elide: Text.ElideRight
            font: Tipo.fonte(Tipo.Caption, Font.Medium)
            color: Paleta.textoApagado
        }
        Text {
            objectName: "valorDoCampo"
            width: parent.width
            visible: !linha.selecionavel
            text: linha.mostrado
            textFormat: Text.PlainText
            wrapMode: Text.WrapAnywhere
            font.family: linha.oculto ? "DejaVu Sans Mono" : Tipo.familia
            font.pixelSize: Tipo.body.pixelSize
            color: Paleta.texto
        }
        TextEdit {
            objectName: "valorSelecionavel"
            width: parent.width
            visible: linha.selecionavel
            text: linha.valor
            textFormat: TextEdit.PlainText
            wrapMode: TextEdit.WrapAnywhere
            readOnly: true
            selectByMouse: true
            font: Tipo.body
            color: Paleta.texto
            selectionColor: Paleta.azulClaro
            selectedTextColor: Paleta.texto
        }
    }

    Row {
        id: botoes

        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        spacing: 12

        BotaoDoCampo {
            objectName: "botaoMostrar"
            visible: linha.oculto
            simbolo: linha.mostrar ? "eye.slash" : "eye"
            dica: linha.mostrar ? "Esconder" : "Mostrar"
            onClicked: linha.mostrar = !linha.mostrar
        }
        BotaoDoCampo {
            objectName: "botaoCopiar"
            enabled: linha.copia !== ""
            simbolo: "doc.on.doc"
            dica: "Copiar"
            onClicked: RegrasDasSenhas.copiar(linha.copia, linha.aviso, linha.avisos)
        }
    }
}
