// One sidebar row: the section's symbol, its title and its item count; a translucent white fill
// while the pointer is over a row that is not the chosen one (the chosen row's card is drawn by
// the sidebar, so it can slide from row to row).
import QtQuick
import QtQuick.Controls.Basic
import Corvane.App
import Corvane.Cofre

AbstractButton {
    id: linha

    property string secao
    property int total: 0
    property bool escolhida: false

    implicitHeight: 34
    leftPadding: 10
    rightPadding: 10
    hoverEnabled: true

    // Tab gives it the focus, a click does not (the focus stays where the user typed).
    focusPolicy: Qt.TabFocus
    Accessible.name: RegrasDoCofre.titulo(linha.secao)
    Keys.onReturnPressed: linha.clicked()
    Keys.onEnterPressed: linha.clicked()

    background: Rectangle {
        objectName: "fundoDaLinha"
        radius: 10
        color: Qt.rgba(1, 1, 1, 0.55)
        opacity: linha.hovered && !linha.escolhida ? 1 : 0

        Behavior on opacity {
            NumberAnimation {
                duration: 150
                easing.type: Easing.OutQuad
            }
        }
    }

    // qmllint disable deferred-property-id
    // (ids inside the content are used only within it; building it at once is intended)
    contentItem: Item {
        Simbolo {
            id: icone

            objectName: "simboloDaLinha"
            anchors.left: parent.left
            anchors.verticalCenter: parent.verticalCenter
            width: 16
            height: 16
            nome: RegrasDoCofre.simbolo(linha.secao)
            cor: linha.escolhida ? Paleta.azul : Paleta.textoSecundario
        }
        Text {
            objectName: "tituloDaLinha"
            anchors.left: icone.right
            anchors.leftMargin: 12
            anchors.verticalCenter: parent.verticalCenter
            text: RegrasDoCofre.titulo(linha.secao)
            textFormat: Text.PlainText
            font.family: Tipo.familia
            font.pointSize: 13.5 * 0.75 // 13.5 px at the layout's 96 dpi
            font.weight: linha.escolhida ? Font.DemiBold : Font.Medium
            color: linha.escolhida ? Paleta.texto : Paleta.textoSecundario
        }
        TextoNumerico {
            objectName: "totalDaLinha"
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            text: linha.total
            resposta: 0.35
            amortecimento: 0.82
            font.family: Tipo.familia
            font.pixelSize: 12
            font.weight: Font.Medium
            color: Paleta.textoApagado
        }
    }
    // qmllint enable deferred-property-id

    AnelDeFoco {
        mostrado: linha.visualFocus
        raio: 10
    }
}
