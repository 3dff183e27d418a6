// One option: the service icon, the title and user name, and the live code (in a code request,
// when it can be computed) or an arrow. A click hands the option over, and so do Space and Return
// on the row Tab gave the focus to.
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Corvane.App
import Corvane.Preenchimento

AbstractButton {
    id: linha

    required property ModeloDoPreenchimento modelo
    required property string idDoItem
    required property string titulo
    required property string usuario
    required property var dominios
    // The live code, empty when the row shows the arrow.
    required property string codigo
    property string dica

    objectName: "linha:" + idDoItem
    hoverEnabled: true
    leftPadding: 10
    rightPadding: 10
    topPadding: 8
    bottomPadding: 8
    onClicked: modelo.escolherPorId(idDoItem)

    // Tab gives it the focus, a click does not (the search field keeps the keyboard).
    focusPolicy: Qt.TabFocus
    Accessible.name: linha.usuario !== "" ? linha.titulo + ", " + linha.usuario : linha.titulo
    Keys.onReturnPressed: linha.clicked()
    Keys.onEnterPressed: linha.clicked()

    ToolTip.visible: hovered
    ToolTip.delay: 800
    ToolTip.text: dica

    background: Rectangle {
        radius: 10
        color: linha.hovered ? Paleta.superficie : "transparent"
    }

    contentItem: RowLayout {
        spacing: 12

        IconeDoServico {
            tamanho: 34
            nome: linha.titulo
            dicas: linha.dominios
        }

        ColumnLayout {
            Layout.fillWidth: true
            spacing: 2

            Text {
                objectName: "tituloDaLinha"
                Layout.fillWidth: true
                text: linha.titulo
                textFormat: Text.PlainText
                font: Tipo.fonte(Tipo.Body, Font.DemiBold)
                color: Paleta.texto
                elide: Text.ElideRight
                maximumLineCount: 1
            }

            Text {
                objectName: "usuarioDaLinha"
                Layout.fillWidth: true
                visible: linha.usuario !== ""
                text: linha.usuario
                textFormat: Text.PlainText
                font: Tipo.caption
                color: Paleta.textoSecundario
                elide: Text.ElideRight
                maximumLineCount: 1
            }
        }

        // The vault card's digits, counting up as the period turns over: the code keeps its
        // width from one period to the next.
        TextoNumerico {
            objectName: "codigoDaLinha"
            Layout.leftMargin: 8
            visible: linha.codigo !== ""
            text: linha.codigo
            font.family: Tipo.familiaDosDigitos
            font.pixelSize: 18
            font.weight: Font.DemiBold
            color: Paleta.azul
        }

        Simbolo {
            objectName: "setaDaLinha"
            Layout.leftMargin: 8
            visible: linha.codigo === ""
            implicitWidth: 16
            implicitHeight: 16
            nome: "arrow.up.forward.square"
            cor: linha.hovered ? Paleta.azul : Paleta.textoApagado
        }
    }

    AnelDeFoco {
        mostrado: linha.visualFocus
        raio: 10
    }
}
