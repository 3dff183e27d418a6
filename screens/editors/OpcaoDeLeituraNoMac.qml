// One tile of the row of ways to read a QR code: a symbol over a short caption on a white
// rounded card whose border turns blue under the pointer; a spinner while its reading runs.
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Corvane.App
import Corvane.Editores

AbstractButton {
    id: opcao

    required property string simbolo
    required property string titulo
    property bool ocupado: false
    readonly property bool sobre: hovered

    // The three tiles share the row's width equally.
    Layout.fillWidth: true
    Layout.preferredWidth: 1
    enabled: !ocupado
    hoverEnabled: true
    topPadding: 10
    bottomPadding: 10

    contentItem: ColumnLayout {
        spacing: 6

        Item {
            Layout.alignment: Qt.AlignHCenter
            Layout.preferredWidth: 22
            Layout.preferredHeight: 22

            IndicadorDeAtividade {
                objectName: "indicador"
                anchors.centerIn: parent
                width: 16
                height: 16
                visible: opcao.ocupado
                ativo: opcao.ocupado
            }

            Simbolo {
                objectName: "simbolo"
                anchors.centerIn: parent
                width: 20
                height: 20
                visible: !opcao.ocupado
                nome: opcao.simbolo
                cor: Paleta.azul
            }
        }

        Text {
            Layout.alignment: Qt.AlignHCenter
            text: opcao.titulo
            textFormat: Text.PlainText
            font: Tipo.fonte(Tipo.Caption, Font.Medium)
            color: Paleta.tinta
        }
    }

    background: Rectangle {
        objectName: "fundoDaOpcao"
        radius: 10
        color: Paleta.superficie
        border.width: 1
        border.color: opcao.sobre ? Qt.rgba(Paleta.azul.r, Paleta.azul.g, Paleta.azul.b, 0.45) : Paleta.borda
    }
}
