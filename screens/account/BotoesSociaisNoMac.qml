// "ou continue com" and the Apple, Google and passkey buttons, which give way to the waiting
// card while the browser's sign-in page is open; the flows' message below.
import QtQuick
import QtQuick.Layouts
import Corvane.App
import Corvane.Comum
import Corvane.Conta

ColumnLayout {
    id: botoes

    required property EstadoDoApp estado
    // Where an identified account goes; the host screen's navigation.
    property NavegacaoDaConta tela: null
    readonly property ModeloDosBotoesSociais modelo: modelo
    readonly property bool aguardando: modelo.aguardando !== ""

    // An Apple or Google identity the server answered for (a RespostaSocialNaTela).
    signal aoIdentificar(var resposta)

    Layout.fillWidth: true
    spacing: 10
    Component.onCompleted: modelo.aoMostrar()

    ModeloDosBotoesSociais {
        id: modelo

        estado: botoes.estado
        tela: botoes.tela
        onIdentificado: resposta => botoes.aoIdentificar(resposta)
    }

    RowLayout {
        Layout.fillWidth: true
        spacing: 10

        Rectangle { Layout.fillWidth: true; implicitHeight: 1; color: Paleta.borda }
        Text {
            text: "ou continue com"
            font: Tipo.caption
            color: Paleta.textoApagado
        }
        Rectangle { Layout.fillWidth: true; implicitHeight: 1; color: Paleta.borda }
    }

    Item {
        id: troca

        Layout.fillWidth: true
        implicitHeight: botoes.aguardando ? cartao.implicitHeight : lista.implicitHeight

        Behavior on implicitHeight { AnimacaoDeMola { resposta: 0.3 } }

        AguardandoNoSafari {
            id: cartao

            objectName: "aguardandoNoSafari"
            width: parent.width
            provedor: modelo.aguardando
            navegador: modelo.navegador
            explicacao: modelo.explicacaoDoAguardo
            opacity: botoes.aguardando ? 1 : 0
            scale: botoes.aguardando ? 1 : 0.97
            visible: opacity > 0
            Presenca.saindo: !botoes.aguardando
            onAoReabrir: modelo.reabrir()
            onAoCancelar: modelo.cancelar()

            Behavior on opacity { AnimacaoDeMola { resposta: 0.3 } }
            Behavior on scale { AnimacaoDeMola { resposta: 0.3 } }
        }

        ColumnLayout {
            id: lista

            width: parent.width
            spacing: 10
            opacity: botoes.aguardando ? 0 : 1
            scale: botoes.aguardando ? 0.97 : 1
            visible: opacity > 0
            Presenca.saindo: botoes.aguardando

            Behavior on opacity { AnimacaoDeMola { resposta: 0.3 } }
            Behavior on scale { AnimacaoDeMola { resposta: 0.3 } }

            BotaoDaAppleNoMac {
                objectName: "botaoApple"
                text: "Continuar com a Apple"
                simbolo: "apple.logo"
                onClicked: modelo.entrarComApple()
            }
            BotaoSecundarioNoMac {
                id: botaoGoogle

                objectName: "botaoGoogle"
                text: "Continuar com o Google"
                onClicked: modelo.entrarComGoogle()

                contentItem: RotuloDoGoogle {
                    texto: botaoGoogle.text
                    fonte: botaoGoogle.font
                    cor: Paleta.texto
                }
            }
            BotaoSecundarioNoMac {
                objectName: "botaoPasskey"
                text: "Entrar com passkey"
                simbolo: "person.badge.key.fill"
                onClicked: modelo.entrarComPasskey()
            }
        }
    }

    MensagemDeErroNoMac {
        objectName: "erroDosBotoesSociais"
        visible: modelo.erro !== ""
        texto: modelo.erro
    }
}
