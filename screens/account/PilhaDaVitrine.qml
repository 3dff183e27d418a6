pragma ComponentBehavior: Bound
// The stack of the three sample cards: the front card full size, each card behind smaller and
// raised so its top shows, the deepest one faded. A change of `ordem` springs every card to its
// new place together. The cards follow the screens' clock once a second while `ativa`.
import QtQuick
import Corvane.App
import Corvane.Conta

Item {
    id: pilha

    property var ordem: [0, 1, 2]
    property bool ativa: false
    property date agora

    Accessible.ignored: true
    // Off screen the cards keep the last moment they showed; they start from the clock's.
    Component.onCompleted: agora = Relogio.agora

    // The clock is followed only while the showcase is on screen.
    Binding {
        target: pilha
        property: "agora"
        value: Relogio.agora
        when: pilha.ativa
        restoreMode: Binding.RestoreNone
    }

    Item {
        id: moldura

        objectName: "molduraDaPilha"
        width: 340
        height: childrenRect.height
        anchors.centerIn: parent
        anchors.verticalCenterOffset: 18

        Repeater {
            model: 3

            CartaoDaVitrine {
                id: cartao

                required property int index
                readonly property int profundidade: RegrasDaVitrine.profundidade(pilha.ordem, index)

                objectName: "cartaoDaVitrine" + index
                width: moldura.width
                exemplo: index
                agora: pilha.agora
                frente: profundidade === 0
                z: 10 - profundidade
                scale: 1 - 0.06 * profundidade
                transform: Translate {
                    id: deslocamento

                    y: -22 * cartao.profundidade

                    Behavior on y {
                        NumberAnimation {
                            duration: Mola.duracao(0.7, 0.8)
                            // qmllint disable type
                            // (6.4's qmllint cannot type a C++ QEasingCurve; the assignment is valid)
                            easing: Mola.curva(0.7, 0.8)
                            // qmllint enable type
                        }
                    }
                }
                opacity: profundidade === 2 ? 0.7 : 1

                Behavior on scale {
                    NumberAnimation {
                        duration: Mola.duracao(0.7, 0.8)
                        // qmllint disable type
                        // (6.4's qmllint cannot type a C++ QEasingCurve; the assignment is valid)
                        easing: Mola.curva(0.7, 0.8)
                        // qmllint enable type
                    }
                }
                Behavior on opacity {
                    NumberAnimation {
                        duration: Mola.duracao(0.7, 0.8)
                        // qmllint disable type
                        // (6.4's qmllint cannot type a C++ QEasingCurve; the assignment is valid)
                        easing: Mola.curva(0.7, 0.8)
                        // qmllint enable type
                    }
                }
            }
        }
    }
}
