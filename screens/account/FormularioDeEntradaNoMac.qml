// The sign-in form: e-mail and password, turning in place into the authenticator-code step when
// the account has a second factor; the Apple, Google and passkey buttons below; and the way to
// account creation under everything.
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Corvane.App
import Corvane.Comum
import Corvane.Conta

ColumnLayout {
    id: formulario

    required property EstadoDoApp estado
    required property NavegacaoDaConta tela
    readonly property ModeloDaEntrada modelo: modelo

    // The turn into the code step: the panel's height follows it with this spring.
    signal mudouDePasso(real resposta)

    objectName: "formularioDeEntradaNoMac"
    spacing: 0
    Component.onCompleted: modelo.aoMostrar()

    ModeloDaEntrada {
        id: modelo

        estado: formulario.estado
        tela: formulario.tela
    }

    IconeDaMarca {
        objectName: "cadeadoDoFormulario"
        Layout.alignment: Qt.AlignHCenter
        Layout.bottomMargin: 16
        tamanho: 60
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
            formulario.mudouDePasso(0.5);
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
            objectName: "campoDoEmail"
            visible: !modelo.pedeCodigo
            rotulo: "E-mail"
            dica: "voce@exemplo.com"
            texto: modelo.email
            onTextoChanged: modelo.email = texto
        }
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
            objectName: "erroDaEntrada"
            visible: modelo.erro !== ""
            texto: modelo.erro
        }

        BotaoPrincipalNoMac {
            id: botaoEntrar

            objectName: "botaoEntrar"
            Layout.topMargin: 4
            text: modelo.tituloDoBotao
            ocupado: modelo.enviando
            padrao: true
            enabled: modelo.pronto && !modelo.enviando
            opacity: modelo.pronto ? 1 : 0.5
            onClicked: modelo.enviar()
        }

        BotoesSociaisNoMac {
            objectName: "botoesSociais"
            Layout.topMargin: 6
            visible: !modelo.pedeCodigo
            estado: formulario.estado
            tela: formulario.tela
        }
    }

    Row {
        Layout.alignment: Qt.AlignHCenter
        Layout.topMargin: 20
        spacing: 4

        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: "Ainda não tem conta?"
            font: Tipo.callout
            color: Paleta.textoSecundario
        }
        AbstractButton {
            id: criarConta

            focusPolicy: Qt.TabFocus
            implicitWidth: contentItem.implicitWidth
            implicitHeight: contentItem.implicitHeight
            objectName: "botaoCriarConta"
            anchors.verticalCenter: parent.verticalCenter
            text: "Criar conta grátis"
            font: Tipo.callout
            onClicked: formulario.tela.irParaCriar()
            contentItem: Text {
                text: criarConta.text
                font: criarConta.font
                color: Paleta.azul
            }
            background: null

            AnelDeFoco {
                mostrado: criarConta.visualFocus
                raio: 4
            }
        }
    }
}
