// The countdown arc of a code period over its track: it empties clockwise from the top, linearly
// over each second, turns amber in the last seconds and snaps back to full at a new period.
import QtQuick
import Corvane.App
import Corvane.Cofre

Item {
    id: arco

    property real fracao: 1
    property bool acabando: false
    property real espessura: 2
    // The share drawn, which follows `fracao` over one second.
    property real mostrada: 1
    // Milliseconds between the sweep's changes within that second, on the shared beat of
    // AnimacaoEmPassos: a 12-degree sweep in five steps (under half a point each on a code card's
    // ring) looks as smooth as one per frame, and a grid of rings draws five frames a second;
    // 0 follows every frame.
    property int passo: 200
    // Where the running sweep goes from and to.
    property real de: 1
    property real para: 1

    onFracaoChanged: {
        animacao.stop();
        emPassos.rodando = false;
        // A whole period left is a new period: no backwards sweep.
        if (arco.fracao >= 1) {
            arco.mostrada = arco.fracao;
        } else if (arco.passo > 0) {
            arco.de = arco.mostrada;
            arco.para = arco.fracao;
            emPassos.reiniciar();
            emPassos.rodando = true;
        } else {
            animacao.from = arco.mostrada;
            animacao.to = arco.fracao;
            animacao.start();
        }
    }
    Component.onCompleted: arco.mostrada = arco.fracao

    NumberAnimation {
        id: animacao

        target: arco
        property: "mostrada"
        duration: 1000
        easing.type: Easing.Linear
    }

    // The same sweep in steps: the window is drawn only when the arc moves.
    AnimacaoEmPassos {
        id: emPassos

        duracao: 1000
        passo: Math.max(1, arco.passo)
        onTempoChanged: {
            const t = Math.min(1, emPassos.tempo);
            arco.mostrada = arco.de + (arco.para - arco.de) * t;
            if (t >= 1)
                emPassos.rodando = false;
        }
    }

    Rectangle {
        objectName: "trilho"
        anchors.fill: parent
        anchors.margins: arco.espessura / 2
        radius: width / 2
        color: "transparent"
        border.width: arco.espessura
        border.color: Paleta.trilho
    }

    ArcoEmMeiosAneis {
        objectName: "arcoDoTempo"
        anchors.fill: parent
        fracao: arco.mostrada
        espessura: arco.espessura
        cor: arco.acabando ? Paleta.ambar : Paleta.azul
    }
}
