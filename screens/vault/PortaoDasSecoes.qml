// In front of the password and note sections: until the owner confirms, a centred panel asks for
// the computer's password instead of the content; once released, the content shows.
import QtQuick
import Corvane.App
import Corvane.Comum
import Corvane.Conta
import Corvane.Cofre

Item {
    id: portao

    required property EstadoDoApp estado
    property Component conteudo
    readonly property bool liberado: estado.secoesLiberadas

    signal liberar()

    Loader {
        objectName: "conteudoDoPortao"
        anchors.fill: parent
        active: portao.liberado
        sourceComponent: portao.conteudo
    }

    Column {
        objectName: "painelDoPortao"
        anchors.centerIn: parent
        width: Math.min(parent.width - 56, 420)
        spacing: 14
        visible: !portao.liberado

        Simbolo {
            objectName: "simboloDoPortao"
            anchors.horizontalCenter: parent.horizontalCenter
            width: 34
            height: 34
            nome: portao.visible ? RegrasDoCofre.simboloDoPortao() : ""
            cor: Paleta.azul
        }
        Text {
            objectName: "tituloDoPortao"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: "Confirme que é você"
            textFormat: Text.PlainText
            font: Tipo.fonte(Tipo.Title3, Font.DemiBold)
            color: Paleta.texto
        }
        Text {
            objectName: "textoDoPortao"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            text: portao.visible ? RegrasDoCofre.textoDoPortao() : ""
            textFormat: Text.PlainText
            font: Tipo.callout
            color: Paleta.textoSecundario
        }
        BotaoPrincipalNoMac {
            objectName: "botaoDoPortao"
            anchors.horizontalCenter: parent.horizontalCenter
            width: 260
            text: portao.visible ? RegrasDoCofre.botaoDoPortao() : ""
            ocupado: false
            onClicked: portao.liberar()
        }
    }
}
