// The re-sign-in sheet: signs the same account in again without closing the vault, with the
// account password (then the authenticator code when the server asks for it) or a passkey
// confirmed in the browser. A 420-point white card over the dimmed window; Escape is "Agora
// não", Return is "Entrar". The routines are ModeloDeEntrarDeNovo's.
import QtQuick
import QtQuick.Layouts
import Corvane.App
import Corvane.Comum
import Corvane.Conta
import Corvane.Cofre

FocusScope {
    id: folha

    property var edicao
    property Cofre cofre
    property EstadoDoApp estado

    signal fechar()

    // Gives the focus to the field of the step shown.
    function focar() {
        const campo = modelo.pedeCodigo ? campoDoCodigo : campoDaSenha;
        for (let i = 0; i < campo.children.length; ++i) {
            const filho = campo.children[i];
            if (filho.objectName === "entrada")
                filho.forceActiveFocus();
        }
    }

    Component.onCompleted: focoAdiado.start()

    ModeloDeEntrarDeNovo {
        id: modelo

        objectName: "modeloDeEntrarDeNovo"
        estado: folha.estado
        onFechar: folha.fechar()
        onFocoPedido: focoAdiado.start()
    }
    // The focus moves once the step's field is shown (and after the sheet took the focus).
    Timer {
        id: focoAdiado

        interval: 0
        onTriggered: folha.focar()
    }

    Rectangle {
        objectName: "cartaoDeEntrarDeNovo"
        anchors.centerIn: parent
        width: 420
        height: coluna.implicitHeight + 48
        radius: 12
        color: Paleta.superficie
        border.width: 1
        border.color: Paleta.borda

        ColumnLayout {
            id: coluna

            x: 24
            y: 24
            width: parent.width - 48
            spacing: 16

            RowLayout {
                spacing: 12

                IconeDaMarca {
                    tamanho: 40
                }
                ColumnLayout {
                    Layout.fillWidth: true
                    spacing: 2

                    Text {
                        objectName: "tituloDaFolha"
                        text: modelo.titulo
                        textFormat: Text.PlainText
                        font: Tipo.fonte(Tipo.Title3, Font.DemiBold)
                        color: Paleta.texto
                    }
                    Text {
                        objectName: "emailDaFolha"
                        Layout.fillWidth: true
                        text: modelo.email
                        textFormat: Text.PlainText
                        elide: Text.ElideRight
                        font: Tipo.callout
                        color: Paleta.textoSecundario
                    }
                }
            }

            Text {
                objectName: "explicacaoDaFolha"
                Layout.fillWidth: true
                text: modelo.explicacao
                textFormat: Text.PlainText
                wrapMode: Text.Wrap
                font: Tipo.callout
                color: Paleta.textoSecundario
            }

            CampoNoMac {
                id: campoDaSenha

                objectName: "campoDaSenha"
                visible: !modelo.somentePasskey && !modelo.pedeCodigo
                rotulo: "Senha do Corvane"
                dica: "Sua senha"
                seguro: true
                texto: modelo.senha
                onTextoChanged: modelo.senha = texto
            }
            RowLayout {
                objectName: "divisorOu"
                visible: !modelo.somentePasskey && !modelo.pedeCodigo
                spacing: 10

                Rectangle {
                    Layout.fillWidth: true
                    Layout.preferredHeight: 1
                    color: Paleta.borda
                }
                Text {
                    text: "ou"
                    textFormat: Text.PlainText
                    font: Tipo.caption
                    color: Paleta.textoApagado
                }
                Rectangle {
                    Layout.fillWidth: true
                    Layout.preferredHeight: 1
                    color: Paleta.borda
                }
            }
            BlocoDaPasskeyNoMac {
                objectName: "blocoDaPasskey"
                Layout.fillWidth: true
                visible: !modelo.pedeCodigo
                esperando: modelo.noSafari
                onUsar: modelo.usarPasskey()
                onAbrirDeNovo: modelo.abrirDeNovo()
            }

            CampoNoMac {
                id: campoDoCodigo

                objectName: "campoDoCodigo"
                visible: modelo.pedeCodigo
                rotulo: "Código"
                dica: "000000"
                texto: modelo.codigo
                onTextoChanged: modelo.codigo = texto
            }

            MensagemDeErroNoMac {
                objectName: "erroDaFolha"
                visible: modelo.erro !== ""
                texto: modelo.erro
            }

            RowLayout {
                Layout.fillWidth: true

                BotaoNoMac {
                    objectName: "botaoAgoraNao"
                    text: "Agora não"
                    onClicked: modelo.fecharSemEntrar()
                }
                Item {
                    Layout.fillWidth: true
                }
                BotaoNoMac {
                    objectName: "botaoEntrar"
                    visible: !modelo.somentePasskey
                    enabled: modelo.podeEnviar
                    text: modelo.enviando ? "Entrando…" : "Entrar"
                    estilo: "destacado"
                    onClicked: modelo.enviar()
                }
            }
        }
    }

    Shortcut {
        sequence: "Escape"
        onActivated: modelo.fecharSemEntrar()
    }
    Shortcut {
        sequences: ["Return", "Enter"]
        enabled: modelo.podeEnviar
        onActivated: modelo.enviar()
    }
}
