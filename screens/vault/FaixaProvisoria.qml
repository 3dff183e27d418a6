// Stand-in for the banners of the vault window (an ended session, items that do not open here)
// until their own views land: one line in a light card with the button that opens the
// re-sign-in sheet. The real banners keep its interface: `tipo`, `total`, `entrarDeNovo`.
import QtQuick
import Corvane.App
import Corvane.Cofre

Rectangle {
    id: faixa

    // "entrarDeNovo" or "itensIlegiveis".
    property string tipo
    property int total: 0

    signal entrarDeNovo()

    implicitHeight: 48
    radius: 12
    color: Paleta.superficie
    border.width: 1
    border.color: Paleta.borda

    Text {
        objectName: "textoDaFaixa"
        anchors.left: parent.left
        anchors.leftMargin: 16
        anchors.right: botao.left
        anchors.rightMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        elide: Text.ElideRight
        text: RegrasDoCofre.textoDaFaixa(faixa.tipo, faixa.total)
        textFormat: Text.PlainText
        font: Tipo.fonte(Tipo.Callout, Font.Medium)
        color: Paleta.texto
    }
    BotaoNoMac {
        id: botao

        objectName: "botaoDaFaixa"
        anchors.right: parent.right
        anchors.rightMargin: 10
        anchors.verticalCenter: parent.verticalCenter
        text: "Entrar de novo"
        estilo: "destacado"
        onClicked: faixa.entrarDeNovo()
    }
}
