// The AutoFill invitation card of the vault window: shown while AutoFill is known to be off and
// the card was never dismissed. "Ligar agora" takes the user to the switch; "Depois" dismisses it
// for good, and it slides up and fades out.
import QtQuick
import Corvane.App
import Corvane.Cofre

Item {
    id: cartao

    required property SituacaoDoPreenchimento situacao
    readonly property bool mostrado: situacao.cartaoVisivel
    // The spring of "Depois" (response 0.5 s, critically damped) moves it out.
    readonly property int duracao: Mola.duracao(0.5, 1)

    implicitWidth: 560
    implicitHeight: mostrado ? placa.height : 0
    clip: true
    visible: mostrado || placa.opacity > 0

    Behavior on implicitHeight {
        NumberAnimation {
            duration: cartao.duracao
            // qmllint disable type
            // (6.4's qmllint cannot type a C++ QEasingCurve; the assignment is valid)
            easing: Mola.curva(0.5, 1)
            // qmllint enable type
        }
    }

    Rectangle {
        id: placa

        objectName: "placaDoCartao"
        width: cartao.width
        height: conteudo.implicitHeight + 32
        y: cartao.mostrado ? 0 : -height
        opacity: cartao.mostrado ? 1 : 0
        radius: 16
        color: Paleta.superficie
        border.width: 1
        border.color: Paleta.borda

        Behavior on y {
            NumberAnimation {
                duration: cartao.duracao
                // qmllint disable type
                easing: Mola.curva(0.5, 1)
                // qmllint enable type
            }
        }
        Behavior on opacity {
            NumberAnimation {
                duration: cartao.duracao
            }
        }

        Row {
            id: conteudo

            x: 16
            y: 16
            width: parent.width - 32
            spacing: 14

            Rectangle {
                objectName: "iconeDoCartao"
                width: 44
                height: 44
                radius: 12
                color: Paleta.azulClaro

                Simbolo {
                    nome: "key.viewfinder"
                    cor: Paleta.azul
                    width: 20
                    height: 20
                    anchors.centerIn: parent
                }
            }
            Column {
                width: conteudo.width - 44 - conteudo.spacing
                spacing: 4

                Text {
                    objectName: "tituloDoCartao"
                    width: parent.width
                    text: cartao.situacao.tituloDoCartao
                    font: Tipo.headline
                    color: Paleta.texto
                    wrapMode: Text.WordWrap
                }
                Text {
                    objectName: "textoDoCartao"
                    width: parent.width
                    text: cartao.situacao.textoDoCartao
                    font: Tipo.callout
                    color: Paleta.textoSecundario
                    wrapMode: Text.WordWrap
                }
                Row {
                    // With the column's 4, the buttons sit 6 points below the text.
                    topPadding: 2
                    spacing: 10

                    BotaoNoMac {
                        objectName: "ligarAgora"
                        estilo: "destacado"
                        text: cartao.situacao.botaoLigarDoCartao
                        onClicked: cartao.situacao.abrirAjustes()
                    }
                    BotaoNoMac {
                        objectName: "depois"
                        estilo: "semBorda"
                        anchors.verticalCenter: parent.verticalCenter
                        text: cartao.situacao.botaoDepoisDoCartao
                        onClicked: cartao.situacao.fecharCartao()
                    }
                }
            }
        }
    }
}
