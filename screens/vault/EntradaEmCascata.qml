// Holds content that fades in, rises 14 points and grows from 98 % when it first comes on
// screen, after min(indice, 12) × 45 ms, on a spring (0.5 s, 0.82). With reduced motion the
// content is in place at once.
import QtQuick
import Corvane.App
import Corvane.Cofre

Item {
    id: entrada

    property int indice: 0
    property bool visivel: false
    readonly property bool mostrado: visivel || MovimentoReduzido.ativo
    default property alias conteudo: caixa.data

    Component.onCompleted: if (!MovimentoReduzido.ativo) aparecer.start()

    SequentialAnimation {
        id: aparecer

        PauseAnimation {
            duration: Math.max(0, Math.min(entrada.indice, 12)) * 45
        }
        PropertyAction {
            target: entrada
            property: "visivel"
            value: true
        }
    }

    Item {
        id: caixa

        objectName: "caixaDaEntrada"
        // A card still transparent at the start of its entrance takes no click.
        Presenca.saindo: false
        width: entrada.width
        height: entrada.height
        opacity: entrada.mostrado ? 1 : 0
        scale: entrada.mostrado ? 1 : 0.98
        transform: Translate {
            y: entrada.mostrado ? 0 : 14

            Behavior on y {
                enabled: !MovimentoReduzido.ativo

                NumberAnimation {
                    duration: Mola.duracao(0.5, 0.82)
                    // qmllint disable type
                    // (6.4's qmllint cannot type a C++ QEasingCurve; the assignment is valid)
                    easing: Mola.curva(0.5, 0.82)
                    // qmllint enable type
                }
            }
        }

        Behavior on opacity {
            enabled: !MovimentoReduzido.ativo

            NumberAnimation {
                duration: Mola.duracao(0.5, 0.82)
            }
        }
        Behavior on scale {
            enabled: !MovimentoReduzido.ativo

            NumberAnimation {
                duration: Mola.duracao(0.5, 0.82)
                // qmllint disable type
                easing: Mola.curva(0.5, 0.82)
                // qmllint enable type
            }
        }
    }
}
