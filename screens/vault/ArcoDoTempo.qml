// The countdown arc of a code period over its track: it empties clockwise from the top, linearly
// over each second, turns amber in the last seconds and snaps back to full at a new period.
import QtQuick
import QtQuick.Shapes
import Corvane.App
import Corvane.Cofre

Item {
    id: arco

    property real fracao: 1
    property bool acabando: false
    property real espessura: 2
    // The share drawn, which follows `fracao` over one second.
    property real mostrada: 1

    onFracaoChanged: {
        animacao.stop();
        // A whole period left is a new period: no backwards sweep.
        if (arco.fracao >= 1) {
            arco.mostrada = arco.fracao;
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

    Rectangle {
        objectName: "trilho"
        anchors.fill: parent
        anchors.margins: arco.espessura / 2
        radius: width / 2
        color: "transparent"
        border.width: arco.espessura
        border.color: Paleta.trilho
    }

    Shape {
        objectName: "arcoDoTempo"
        anchors.fill: parent

        ShapePath {
            strokeWidth: arco.espessura
            strokeColor: arco.acabando ? Paleta.ambar : Paleta.azul
            fillColor: "transparent"
            capStyle: ShapePath.RoundCap

            PathAngleArc {
                centerX: arco.width / 2
                centerY: arco.height / 2
                radiusX: (arco.width - arco.espessura) / 2
                radiusY: (arco.height - arco.espessura) / 2
                startAngle: -90
                sweepAngle: 360 * arco.mostrada
            }
        }
    }
}
