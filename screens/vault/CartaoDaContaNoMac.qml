// The account card at the foot of the sidebar: the avatar's letter, the first name and the
// e-mail. It opens a menu: sync now, lock, settings, and sign out after a confirmation.
import QtQuick
import QtQuick.Controls.Basic
import Corvane.App
import Corvane.Comum
import Corvane.Cofre

AbstractButton {
    id: cartao

    required property EstadoDoApp estado
    required property AcoesDoCofre acoes
    property bool confirmandoSaida: false

    signal ajustesPedidos()

    implicitHeight: 48
    padding: 8
    focusPolicy: Qt.TabFocus
    onClicked: menu.popup(0, -menu.implicitHeight - 6)

    ContaNaTela {
        id: conta

        estado: cartao.estado
    }

    background: Rectangle {
        radius: 12
        color: Paleta.superficie
        border.width: 1
        border.color: Paleta.borda
    }

    // qmllint disable deferred-property-id
    // (ids inside the content are used only within it; building it at once is intended)
    contentItem: Item {
        Rectangle {
            id: avatar

            anchors.left: parent.left
            anchors.verticalCenter: parent.verticalCenter
            width: 30
            height: 30
            radius: 15
            color: Paleta.tinta

            Text {
                objectName: "inicialDaConta"
                anchors.centerIn: parent
                text: conta.inicial
                textFormat: Text.PlainText
                font.family: Tipo.familia
                font.pixelSize: 12
                font.weight: Font.Bold
                color: "white"
            }
        }
        Column {
            anchors.left: avatar.right
            anchors.leftMargin: 10
            anchors.right: setas.left
            anchors.rightMargin: 6
            anchors.verticalCenter: parent.verticalCenter
            spacing: 1

            Text {
                objectName: "nomeDaConta"
                width: parent.width
                elide: Text.ElideRight
                text: conta.nome
                textFormat: Text.PlainText
                font.family: Tipo.familia
                font.pixelSize: 13
                font.weight: Font.Medium
                color: Paleta.texto
            }
            Text {
                objectName: "emailDaConta"
                width: parent.width
                elide: Text.ElideRight
                maximumLineCount: 1
                text: conta.email
                textFormat: Text.PlainText
                font.family: Tipo.familia
                font.pointSize: 11.5 * 0.75 // 11.5 px at the layout's 96 dpi
                color: Paleta.textoApagado
            }
        }
        Simbolo {
            id: setas

            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            width: 10
            height: 10
            nome: "chevron.up.chevron.down"
            cor: Paleta.textoApagado
        }
    }
    // qmllint enable deferred-property-id

    Menu {
        id: menu

        objectName: "menuDaConta"
        topPadding: 4
        bottomPadding: 4

        background: Rectangle {
            implicitWidth: 200
            radius: 10
            color: Paleta.superficie
            border.width: 1
            border.color: Paleta.borda
        }

        MenuItem {
            objectName: "sincronizarAgora"
            text: "Sincronizar agora"
            onTriggered: cartao.acoes.sincronizar()
        }
        MenuItem {
            objectName: "bloquearOCorvane"
            text: "Bloquear o Corvane"
            enabled: cartao.acoes.podeBloquear
            onTriggered: cartao.acoes.bloquear()
        }
        MenuSeparator {}
        MenuItem {
            objectName: "abrirAjustes"
            text: "Ajustes…"
            onTriggered: cartao.ajustesPedidos()
        }
        MenuSeparator {}
        MenuItem {
            objectName: "sairDaConta"
            text: "Sair desta conta…"
            onTriggered: cartao.confirmandoSaida = true
        }
    }

    ConfirmacaoDeSaida {
        objectName: "confirmacaoDeSaida"
        aberta: cartao.confirmandoSaida
        onSair: cartao.acoes.sair()
        onFechada: cartao.confirmandoSaida = false
    }

    AnelDeFoco {
        mostrado: cartao.visualFocus
        raio: 12
    }
}
