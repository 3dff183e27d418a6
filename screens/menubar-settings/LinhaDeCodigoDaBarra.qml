// One code of the tray panel: the service's icon, its title and account, the code in groups and
// the countdown ring. A click copies the bare digits; a row without a code is inert.
import QtQuick
import QtQuick.Controls.Basic
import Corvane.App
import Corvane.Cofre

AbstractButton {
    id: linha

    required property string titulo
    required property string conta
    required property string icone
    required property int periodo
    required property string codigoExibido
    required property date agora
    readonly property bool sobre: linha.hovered

    hoverEnabled: true
    leftPadding: 8
    rightPadding: 8
    topPadding: 7
    bottomPadding: 7
    ToolTip.text: "Clique para copiar"
    ToolTip.visible: linha.hovered
    ToolTip.delay: 800

    background: Rectangle {
        objectName: "fundoDaLinha"
        radius: 8
        color: linha.sobre ? Paleta.fundo : "transparent"
    }

    // qmllint disable deferred-property-id
    // (ids inside the content are used only within it; building it at once is intended)
    contentItem: Row {
        spacing: 10

        IconeDoServico {
            anchors.verticalCenter: parent.verticalCenter
            nome: linha.titulo
            escolhido: linha.icone
            tamanho: 28
        }
        Column {
            anchors.verticalCenter: parent.verticalCenter
            // What the icon, the spacer, the code and the ring leave, less the row's four gaps.
            width: Math.max(0, linha.availableWidth - 28 - 6 - codigo.width - anel.width - 4 * 10)
            spacing: 1

            Text {
                objectName: "tituloDaLinha"
                width: parent.width
                text: linha.titulo
                textFormat: Text.PlainText
                font: Tipo.fonte(Tipo.Callout, Font.Medium)
                color: Paleta.texto
                elide: Text.ElideRight
                maximumLineCount: 1
            }
            Text {
                objectName: "contaDaLinha"
                width: parent.width
                text: linha.conta
                textFormat: Text.PlainText
                font: Tipo.caption
                color: Paleta.textoApagado
                elide: Text.ElideRight
                maximumLineCount: 1
            }
        }
        Item {
            width: 6
            height: 1
        }
        Text {
            id: codigo

            objectName: "codigoDaLinha"
            anchors.verticalCenter: parent.verticalCenter
            text: linha.codigoExibido
            textFormat: Text.PlainText
            // The vault card's digits: the code, and so the title beside it, keep their width.
            font.family: Tipo.familiaDosDigitos
            font.pixelSize: 17
            font.weight: Font.DemiBold
            color: Paleta.azul
        }
        AnelDoTempo {
            id: anel

            objectName: "anelDaLinha"
            anchors.verticalCenter: parent.verticalCenter
            periodo: Math.max(1, linha.periodo)
            agora: linha.agora
            tamanho: 20
        }
    }
}
