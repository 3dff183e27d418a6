// The live preview of the code being typed: service icon, title and account, and the code of
// this second with its countdown ring, or "Chave inválida" when no code can be made. Redrawn by
// the screens' clock, once a second.
import QtQuick
import QtQuick.Layouts
import Corvane.App
import Corvane.Cofre
import Corvane.Editores

Rectangle {
    id: previa

    required property ModeloDoEditorDeCodigo editor
    readonly property date agora: Relogio.agora
    readonly property string codigo: editor.codigoDaPrevia(agora)

    Layout.fillWidth: true
    implicitHeight: linha.implicitHeight + 24
    radius: 12
    color: Paleta.superficie
    border.width: 1
    border.color: Paleta.borda

    RowLayout {
        id: linha

        anchors.fill: parent
        anchors.margins: 12
        spacing: 12

        IconeDoServico {
            nome: previa.editor.tituloDaPrevia
            escolhido: previa.editor.icone
            tamanho: 40
        }

        ColumnLayout {
            Layout.fillWidth: true
            spacing: 2

            Text {
                objectName: "tituloDaPrevia"
                Layout.fillWidth: true
                text: previa.editor.tituloDaPrevia
                textFormat: Text.PlainText
                font: Tipo.fonte(Tipo.Headline, Font.DemiBold)
                color: Paleta.tinta
                elide: Text.ElideRight
                maximumLineCount: 1
            }

            Text {
                objectName: "contaDaPrevia"
                Layout.fillWidth: true
                visible: previa.editor.conta !== ""
                text: previa.editor.conta
                textFormat: Text.PlainText
                font: Tipo.caption
                color: Paleta.textoApagado
                elide: Text.ElideRight
                maximumLineCount: 1
            }
        }

        Text {
            objectName: "chaveInvalida"
            visible: previa.codigo === ""
            text: "Chave inválida"
            textFormat: Text.PlainText
            font: Tipo.caption
            color: Paleta.vermelho
        }

        // The card's digits, counting up when the period turns over.
        TextoNumerico {
            objectName: "codigoDaPrevia"
            visible: previa.codigo !== ""
            text: previa.codigo
            font.family: Tipo.familiaDosDigitos
            font.pixelSize: 22
            font.weight: Font.DemiBold
            color: Paleta.azul
        }

        AnelDoTempo {
            objectName: "anelDaPrevia"
            visible: previa.codigo !== ""
            periodo: previa.editor.periodoDaPrevia
            agora: previa.agora
            tamanho: 22
        }
    }
}
