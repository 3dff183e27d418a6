// A small spinning arc that says work is under way.
import QtQuick
import Corvane.App
import QtQuick.Shapes

Item {
    id: indicador

    property color cor: Paleta.textoSecundario
    property bool ativo: true

    implicitWidth: 16
    implicitHeight: 16
    Accessible.role: Accessible.Indicator

    Shape {
        id: arco

        anchors.fill: parent
        layer.enabled: true
        layer.samples: 4

        ShapePath {
            strokeColor: indicador.cor
            strokeWidth: 2
            fillColor: "transparent"
            capStyle: ShapePath.RoundCap

            PathAngleArc {
                centerX: indicador.width / 2
                centerY: indicador.height / 2
                radiusX: indicador.width / 2 - 1.5
                radiusY: indicador.height / 2 - 1.5
                startAngle: 0
                sweepAngle: 270
            }
        }

        RotationAnimation on rotation {
            from: 0
            to: 360
            duration: 900
            loops: Animation.Infinite
            running: indicador.ativo && indicador.visible
        }
    }
}
