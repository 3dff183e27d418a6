// The vault password of an account identified through Apple, Google or a passkey, turning in
// place into the authenticator-code step when the account has a second factor.
import QtQuick
import QtQuick.Layouts
import Corvane.App
import Corvane.Comum
import Corvane.Conta

ColumnLayout {
    id: senhaSocial

    required property EstadoDoApp estado
    required property NavegacaoDaConta tela
    // The identification's answer (a RespostaSocialNaTela).
    required property var social
    readonly property ModeloDaSenhaSocial modelo: modelo

    // The turn into the code step: the panel's height follows it with this spring.
    signal mudouDePasso(real resposta)

    objectName: "senhaDaContaSocialNoMac"
    spacing: 0

    ModeloDaSenhaSocial {
        id: modelo

        estado: senhaSocial.estado
        tela: senhaSocial.tela
        social: senhaSocial.social
    }

    BotaoDeVoltarNoMac {
        objectName: "botaoVoltar"
        onAcao: senhaSocial.tela.irParaEntrar()
    }

    IconeDaMarca {
        Layout.alignment: Qt.AlignHCenter
        Layout.bottomMargin: 16
        tamanho: 56
        estilo: EstiloDaMarca.Azul
    }

    TituloDaConta {
        titulo: modelo.titulo
        texto: modelo.texto
    }

    // The turn into the code step fades the new field in (spring 0.5).
    Connections {
        target: modelo

        function onPedeCodigoMudou() {
            mudancaDePasso.restart();
            senhaSocial.mudouDePasso(0.5);
        }
        // A refused submission (or the turn into the code step) gives the field the keyboard.
        function onFocoPedido() {
            (modelo.pedeCodigo ? campoDoCodigo : campoDaSenha).focar();
        }
    }

    AnimacaoDeMola {
        id: mudancaDePasso

        target: campos
        property: "opacity"
        from: 0
        to: 1
        resposta: 0.5
    }

    ColumnLayout {
        id: campos

        Layout.fillWidth: true
        spacing: 14

        CampoNoMac {
            id: campoDaSenha

            objectName: "campoDaSenha"
            visible: !modelo.pedeCodigo
            rotulo: "Senha"
            dica: "Sua senha do Corvane"
            seguro: true
            texto: modelo.senha
            onTextoChanged: modelo.senha = texto
        }
        CampoNoMac {
            id: campoDoCodigo

            objectName: "campoDoCodigo"
            visible: modelo.pedeCodigo
            rotulo: "Código"
            dica: "000 000"
            texto: modelo.codigo
            onTextoChanged: modelo.codigo = texto
        }

        MensagemDeErroNoMac {
            objectName: "erroDaSenhaSocial"
            visible: modelo.erro !== ""
            texto: modelo.erro
        }

        BotaoPrincipalNoMac {
            objectName: "botaoEntrar"
            text: modelo.tituloDoBotao
            ocupado: modelo.enviando
            padrao: true
            enabled: modelo.pronto && !modelo.enviando
            onClicked: modelo.enviar()
        }
    }
}
