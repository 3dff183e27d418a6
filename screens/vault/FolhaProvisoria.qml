// Stand-in for a sheet of the vault window that a later part of the window provides: a white
// card over a dimmed window naming what it will be, closed with "Fechar" or Escape. The real
// sheets keep its interface: `edicao`, `cofre`, `estado` and the signal `fechar`.
import QtQuick
import Corvane.App
import Corvane.Comum
import Corvane.Cofre

Item {
    id: folha

    property var edicao
    property Cofre cofre
    property EstadoDoApp estado
    property string titulo

    signal fechar()

    Rectangle {
        objectName: "cartaoDaFolha"
        anchors.centerIn: parent
        width: 420
        height: 160
        radius: 16
        color: Paleta.superficie
        border.width: 1
        border.color: Paleta.borda

        Text {
            anchors.top: parent.top
            anchors.topMargin: 28
            anchors.horizontalCenter: parent.horizontalCenter
            text: folha.titulo
            textFormat: Text.PlainText
            font: Tipo.fonte(Tipo.Title3, Font.DemiBold)
            color: Paleta.texto
        }
        BotaoNoMac {
            objectName: "fecharFolha"
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 24
            anchors.horizontalCenter: parent.horizontalCenter
            text: "Fechar"
            onClicked: folha.fechar()
        }
    }

    Shortcut {
        sequence: "Escape"
        onActivated: folha.fechar()
    }
}
