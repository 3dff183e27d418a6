// The wizard's first step: the name and, for an ordinary sign-up, the e-mail; "Continuar"; the
// legal links; and, for an ordinary sign-up, the social and passkey buttons.
import QtQuick
import QtQuick.Layouts
import Corvane.App
import Corvane.Conta

PassoDaCriacao {
    id: etapa

    required property CriacaoDeConta modelo
    // The social and passkey buttons, given by the window (none: nothing in their place).
    property Component botoesSociais: null

    primeiroCampo: campoDoNome
    // The server checks only the e-mail here: a refusal is the e-mail's.
    campoDoErro: campoDoEmail

    TituloDaConta {
        titulo: "Criar conta"
        texto: etapa.modelo.temSocial
               ? "Você está usando a conta " + etapa.modelo.emailDoSocial
                 + ". Falta só criar a senha que protege seu cofre."
               : "É grátis. Seus códigos e senhas ficam cifrados no seu aparelho antes de sair dele."
    }

    CampoNoMac {
        id: campoDoNome

        objectName: "campoDoNome"
        rotulo: "Seu nome"
        dica: "Como quer ser chamado"
        texto: etapa.modelo.nome
        onTextoChanged: etapa.modelo.nome = texto
    }

    CampoNoMac {
        id: campoDoEmail

        objectName: "campoDoEmail"
        visible: !etapa.modelo.temSocial
        rotulo: "E-mail"
        dica: "voce@exemplo.com"
        texto: etapa.modelo.email
        onTextoChanged: etapa.modelo.email = texto
    }

    BotaoPrincipalNoMac {
        id: botaoContinuar

        objectName: "botaoContinuar"
        text: "Continuar"
        ocupado: etapa.modelo.enviando
        padrao: etapa.atual
        enabled: etapa.modelo.podeContinuar
        onClicked: etapa.modelo.continuar()
    }

    Row {
        objectName: "linhaLegal"
        Layout.alignment: Qt.AlignHCenter
        visible: etapa.modelo.temLinksLegais
        spacing: 4

        Text {
            text: "Ao continuar, você concorda com os"
            textFormat: Text.PlainText
            font: Tipo.caption
            color: Paleta.textoApagado
        }
        LinkNoMac {
            text: "Termos"
            font: Tipo.caption
            endereco: etapa.modelo.enderecoDosTermos
        }
        Text {
            text: "e a"
            textFormat: Text.PlainText
            font: Tipo.caption
            color: Paleta.textoApagado
        }
        LinkNoMac {
            text: "Privacidade"
            font: Tipo.caption
            endereco: etapa.modelo.enderecoDaPrivacidade
        }
    }

    Loader {
        objectName: "botoesSociais"
        Layout.fillWidth: true
        Layout.topMargin: 6
        active: !etapa.modelo.temSocial && etapa.botoesSociais !== null
        visible: active
        sourceComponent: etapa.botoesSociais
    }
}
