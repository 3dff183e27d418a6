// One account screen inside the switch, with its arrival and departure.
import QtQuick
import Corvane.App

Item {
    id: quadro

    property Item tela: null
    // Arrives with the transition (every screen but the first).
    property bool chegando: false
    // Leaving: it takes no input while it fades out.
    property bool saindo: false
    readonly property real alturaDaTela: tela !== null ? tela.implicitHeight : 0

    function sair() {
        chegada.stop();
        quadro.saindo = true;
        saida.start();
    }

    objectName: "quadroDaTela"
    height: alturaDaTela
    opacity: chegando ? 0 : 1
    Presenca.saindo: quadro.saindo
    transform: Translate {
        id: deslocamento

        x: quadro.chegando ? 28 : 0
    }
    Component.onCompleted: if (quadro.chegando) chegada.start()

    SequentialAnimation {
        id: chegada

        PauseAnimation { duration: 120 }
        ParallelAnimation {
            AnimacaoDeMola { target: quadro; property: "opacity"; to: 1; resposta: 0.4 }
            AnimacaoDeMola { target: deslocamento; property: "x"; to: 0; resposta: 0.4 }
        }
    }

    SequentialAnimation {
        id: saida

        NumberAnimation {
            target: quadro
            property: "opacity"
            to: 0
            duration: 120
            // qmllint disable type
            // (6.4's qmllint cannot type a C++ QEasingCurve; the assignment is valid)
            easing: Mola.easeOut
            // qmllint enable type
        }
        ScriptAction { script: quadro.destroy() }
    }
}
