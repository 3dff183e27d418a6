// Our own drawing of the Google mark for its button, in its four colours: a ring cut open on
// the right with a bar into the centre.
import QtQuick
import QtQuick.Shapes

Shape {
    id: logo

    readonly property real espessura: width * 0.2
    readonly property real c: width / 2
    readonly property real r: c - espessura / 2

    implicitWidth: 17
    implicitHeight: 17
    layer.enabled: true
    layer.samples: 4
    Accessible.ignored: true

    ShapePath {
        strokeColor: "#ea4335"
        fillColor: "transparent"
        strokeWidth: logo.espessura
        capStyle: ShapePath.FlatCap
        PathAngleArc { centerX: logo.c; centerY: logo.c; radiusX: logo.r; radiusY: logo.r; startAngle: -150; sweepAngle: 105 }
    }
    ShapePath {
        strokeColor: "#fbbc05"
        fillColor: "transparent"
        strokeWidth: logo.espessura
        capStyle: ShapePath.FlatCap
        PathAngleArc { centerX: logo.c; centerY: logo.c; radiusX: logo.r; radiusY: logo.r; startAngle: 150; sweepAngle: 60 }
    }
    ShapePath {
        strokeColor: "#34a853"
        fillColor: "transparent"
        strokeWidth: logo.espessura
        capStyle: ShapePath.FlatCap
        PathAngleArc { centerX: logo.c; centerY: logo.c; radiusX: logo.r; radiusY: logo.r; startAngle: 35; sweepAngle: 115 }
    }
    ShapePath {
        strokeColor: "#4285f4"
        fillColor: "transparent"
        strokeWidth: logo.espessura
        capStyle: ShapePath.FlatCap
        PathAngleArc { centerX: logo.c; centerY: logo.c; radiusX: logo.r; radiusY: logo.r; startAngle: 0; sweepAngle: 35 }
    }
    ShapePath {
        strokeColor: "transparent"
        fillColor: "#4285f4"
        startX: logo.c
        startY: logo.c - logo.espessura / 2
        PathLine { x: logo.width - logo.espessura * 0.1; y: logo.c - logo.espessura / 2 }
        PathLine { x: logo.width - logo.espessura * 0.1; y: logo.c + logo.espessura / 2 }
        PathLine { x: logo.c; y: logo.c + logo.espessura / 2 }
    }
}
