// The account-creation wizard of the signed-out window: name and e-mail, the e-mail's code, the
// vault password and the recovery code, one step at a time under a back button, with the
// step's error below. Also finishes an account begun with Apple, Google or a passkey in the
// browser (`social`), without the e-mail code.
import QtQuick
import QtQuick.Layouts
import Corvane.Comum
import Corvane.Conta

ColumnLayout {
    id: criar

    required property EstadoDoApp estado
    // The server's answer of a browser sign-in (RespostaSocial) or undefined; read on appearance.
    property var social
    // The window's account screen. The wizard leaves it only through `mostrarEntrar` and
    // `contaIdentificada`, the one place where it changes screens.
    property var tela
    // The social and passkey buttons under the data step (see EtapaDosDadosNoMac).
    property Component botoesSociais: null

    // The window shows the sign-in form again.
    signal entrarPedido()
    // The social buttons identified an account: the window moves on by the social sign-in rule.
    signal identificada(var resposta)
    // A change of step: the panel's height follows it with this spring.
    signal mudouDePasso(real resposta)

    function mostrarEntrar() {
        criar.entrarPedido();
    }
    function contaIdentificada(resposta) {
        criar.identificada(resposta);
    }

    spacing: 0
    Component.onCompleted: modelo.aparecer()

    CriacaoDeConta {
        id: modelo

        objectName: "modeloDaCriacao"
        estado: criar.estado
        social: criar.social
        onVoltarParaEntrar: criar.mostrarEntrar()
        onFocoPedido: etapas.atual.focarCampoDoErro()
        onEtapaMudou: criar.mudouDePasso(0.35)
    }

    BotaoDeVoltarNoMac {
        objectName: "botaoVoltar"
        visible: modelo.temVoltar
        onAcao: modelo.voltar()
    }

    Item {
        id: etapas

        readonly property PassoDaCriacao atual: {
            switch (modelo.nomeDaEtapa) {
            case "email":
                return email;
            case "senha":
                return senha;
            case "codigo":
                return codigo;
            default:
                return dados;
            }
        }

        Layout.fillWidth: true
        implicitHeight: atual.implicitHeight

        EtapaDosDadosNoMac {
            id: dados

            objectName: "etapaDados"
            width: parent.width
            atual: modelo.nomeDaEtapa === "dados"
            modelo: modelo
            botoesSociais: criar.botoesSociais
        }
        EtapaDoEmailNoMac {
            id: email

            objectName: "etapaEmail"
            width: parent.width
            atual: modelo.nomeDaEtapa === "email"
            modelo: modelo
        }
        EtapaDaSenhaNoMac {
            id: senha

            objectName: "etapaSenha"
            width: parent.width
            atual: modelo.nomeDaEtapa === "senha"
            modelo: modelo
        }
        EtapaDoCodigoNoMac {
            id: codigo

            objectName: "etapaCodigo"
            width: parent.width
            atual: modelo.nomeDaEtapa === "codigo"
            modelo: modelo
        }
    }

    MensagemDeErroNoMac {
        objectName: "erroDaCriacao"
        Layout.topMargin: 12
        visible: modelo.erro !== ""
        texto: modelo.erro
    }
}
