// The wizard's e-mail confirmation: the six-digit code mailed to the account's address,
// "Confirmar e-mail", and another code on request.
import QtQuick
import QtQuick.Layouts
import Corvane.App
import Corvane.Conta

PassoDaCriacao {
    id: etapa

    required property CriacaoDeConta modelo

    primeiroCampo: campoDoCodigo

    TituloDaConta {
        titulo: "Confirme seu e-mail"
        texto: "Enviamos um código de seis números para " + etapa.modelo.emailNormalizado
               + ". Se não chegar, olhe também o spam."
    }

    CampoNoMac {
        id: campoDoCodigo

        objectName: "campoDoCodigoDoEmail"
        rotulo: "Código do e-mail"
        dica: "000000"
        texto: etapa.modelo.codigoDoEmail
        onTextoChanged: etapa.modelo.codigoDoEmail = texto
    }

    BotaoPrincipalNoMac {
        objectName: "botaoConfirmarEmail"
        text: "Confirmar e-mail"
        ocupado: etapa.modelo.enviando
        padrao: etapa.atual
        enabled: etapa.modelo.podeConfirmarEmail
        onClicked: etapa.modelo.confirmarEmail()
    }

    BotaoDeTextoNoMac {
        objectName: "botaoOutroCodigo"
        Layout.alignment: Qt.AlignHCenter
        text: "Enviar outro código"
        cor: Paleta.azul
        onClicked: etapa.modelo.enviarOutroCodigo()
    }
}
