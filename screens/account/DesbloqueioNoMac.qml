// The lock screen: the padlock, "Corvane bloqueado", the account's e-mail, the unlock button
// (the window's default action) and "Sair desta conta" with its confirmation. It tries one unlock
// by itself shortly after it appears, once per lock; while an attempt is in flight the button is
// busy and presses do nothing.
import QtQuick
import QtQuick.Layouts
import Corvane.App
import Corvane.Comum
import Corvane.Conta

CartaoCentral {
    id: tela

    required property EstadoDoApp estado

    Component.onCompleted: modelo.aparecer()

    Desbloqueio {
        id: modelo

        objectName: "modeloDoDesbloqueio"
        estado: tela.estado
        onFocoPedido: botaoDesbloquear.forceActiveFocus()
    }

    IconeDaMarca {
        Layout.alignment: Qt.AlignHCenter
        Layout.bottomMargin: 20
        tamanho: 72
        estilo: EstiloDaMarca.Azul
        animando: true
        abrindoEFechando: false
    }

    Text {
        objectName: "tituloDoBloqueio"
        Layout.alignment: Qt.AlignHCenter
        text: "Corvane bloqueado"
        textFormat: Text.PlainText
        font: Tipo.fonte(Tipo.Title2, Font.Bold)
        color: Paleta.texto
    }

    Text {
        objectName: "emailDoBloqueio"
        Layout.alignment: Qt.AlignHCenter
        Layout.topMargin: 4
        Layout.bottomMargin: 24
        text: modelo.email
        textFormat: Text.PlainText
        font: Tipo.callout
        color: Paleta.textoSecundario
    }

    BotaoPrincipalNoMac {
        id: botaoDesbloquear

        objectName: "botaoDesbloquear"
        text: modelo.textoDoBotao
        simbolo: modelo.simboloDoBotao
        ocupado: modelo.tentando
        enabled: !modelo.tentando
        padrao: !modelo.confirmandoSaida
        onClicked: modelo.desbloquear()
    }

    BotaoDeTextoNoMac {
        objectName: "botaoSair"
        Layout.alignment: Qt.AlignHCenter
        Layout.topMargin: 14
        text: "Sair desta conta"
        cor: Paleta.textoSecundario
        onClicked: modelo.confirmandoSaida = true
    }

    // While the sign-out confirmation is up, the window's menu commands wait (its own modality
    // does not reach the menu bar's shortcuts).
    Binding {
        target: tela.Window.window as JanelaDoCorvane
        property: "folhaAberta"
        value: true
        when: modelo.confirmandoSaida
    }

    ConfirmacaoDeSaidaNoMac {
        objectName: "confirmacaoDeSaida"
        modelo: modelo
    }
}
