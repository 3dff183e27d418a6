pragma ComponentBehavior: Bound
// An arc stroked with round caps from the top, clockwise over `fracao` of the circle, drawn from
// two fixed half rings, each turned inside the half of the square that clips it: a change of
// `fracao` only turns them and moves the end's cap, so nothing is built again (a changed path
// costs the window two frames, a turn one).
import QtQuick
import QtQuick.Shapes

Item {
    id: arco

    property real fracao: 1
    property real espessura: 2
    property color cor: "black"
    readonly property real raio: (arco.width - arco.espessura) / 2

    component MeioAnel: Shape {
        id: meio

        // Which half is drawn: the left one (from the bottom up to the top) or the right one.
        required property bool esquerdo

        width: arco.width
        height: arco.height

        ShapePath {
            strokeWidth: arco.espessura
            strokeColor: arco.cor
            fillColor: "transparent"
            capStyle: ShapePath.FlatCap

            PathAngleArc {
                centerX: arco.width / 2
                centerY: arco.height / 2
                radiusX: arco.raio
                radiusY: arco.raio
                startAngle: meio.esquerdo ? 90 : -90
                sweepAngle: 180
            }
        }
    }

    visible: arco.fracao > 0

    // The first half of the sweep, on the right: the left half ring turned clockwise into it.
    Item {
        x: arco.width / 2
        width: arco.width / 2
        height: arco.height
        clip: true

        MeioAnel {
            x: -arco.width / 2
            esquerdo: true
            rotation: 360 * Math.min(arco.fracao, 0.5)
        }
    }
    // The second half, on the left: the right half ring turned on from the bottom.
    Item {
        width: arco.width / 2
        height: arco.height
        clip: true
        visible: arco.fracao > 0.5

        MeioAnel {
            esquerdo: false
            rotation: 360 * Math.max(0, arco.fracao - 0.5)
        }
    }
    // The round caps at the top and at the end.
    Rectangle {
        x: arco.width / 2 - width / 2
        width: arco.espessura
        height: arco.espessura
        radius: width / 2
        color: arco.cor
    }
    Rectangle {
        x: arco.width / 2 + arco.raio * Math.sin(2 * Math.PI * Math.min(1, arco.fracao)) - width / 2
        y: arco.height / 2 - arco.raio * Math.cos(2 * Math.PI * Math.min(1, arco.fracao)) - height / 2
        width: arco.espessura
        height: arco.espessura
        radius: width / 2
        color: arco.cor
    }
}
