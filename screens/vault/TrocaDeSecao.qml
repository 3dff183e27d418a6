// One section's view of the vault window inside its transition: it rises 10 points as it fades
// in when shown, and fades out before it goes when another section replaces it.
import QtQuick
import Corvane.App

Item {
    id: troca

    required property Component componente
    readonly property bool saindo: saida.running
    // Once asked to go it takes no input.
    property bool pedidaASaida: false

    // Once faded out, just before it goes.
    signal saiu()

    // Fades out, then destroys itself.
    function sair() {
        entrada.stop();
        troca.pedidaASaida = true;
        if (MovimentoReduzido.ativo)
            acabar();
        else
            saida.start();
    }
    function acabar() {
        saiu();
        // Out of the scene at once; the object itself goes on the next turn of the event loop.
        troca.visible = false;
        troca.parent = null;
        troca.destroy();
    }

    Component.onCompleted: if (!MovimentoReduzido.ativo) entrada.start()
    Presenca.saindo: troca.pedidaASaida

    Loader {
        id: carregador

        anchors.fill: parent
        sourceComponent: troca.componente

        transform: Translate {
            id: deslocamento
        }
    }

    ParallelAnimation {
        id: entrada

        NumberAnimation {
            target: troca
            property: "opacity"
            from: 0
            to: 1
            duration: Mola.duracao(0.3, 1)
        }
        NumberAnimation {
            target: deslocamento
            property: "y"
            from: 10
            to: 0
            duration: Mola.duracao(0.3, 1)
            // qmllint disable type
            // (6.4's qmllint cannot type a C++ QEasingCurve; the assignment is valid)
            easing: Mola.curva(0.3, 1)
            // qmllint enable type
        }
    }
    NumberAnimation {
        id: saida

        target: troca
        property: "opacity"
        to: 0
        duration: Mola.duracao(0.3, 1)
        easing.type: Easing.OutQuad
        onFinished: troca.acabar()
    }
}
