// The preview's countdown ring: a circle on the line colour that empties over the period, the
// seconds left inside; amber in the last five seconds.
import QtQuick
import QtQuick.Shapes
import Corvane.App
import Corvane.Editores

Item {
    id: anel

    required property int periodo
    required property date agora
    property real tamanho: 22
    readonly property int restantes: {
        const p = Math.max(periodo, 1);
        return p - (Math.floor(agora.getTime() / 1000) % p);
    }
    readonly property color cor: restantes <= 5 ? Paleta.ambar : Paleta.azul

    implicitWidth: tamanho
    implicitHeight: tamanho

    Shape {
        anchors.fill: parent

        ShapePath {
            strokeColor: Paleta.borda
            strokeWidth: 2.5
            fillColor: "transparent"

            PathAngleArc {
                centerX: anel.tamanho / 2
                centerY: anel.tamanho / 2
                radiusX: anel.tamanho / 2 - 1.5
                radiusY: radiusX
                startAngle: 0
                sweepAngle: 360
            }
        }

        ShapePath {
            strokeColor: anel.cor
            strokeWidth: 2.5
            fillColor: "transparent"
            capStyle: ShapePath.RoundCap

            PathAngleArc {
                centerX: anel.tamanho / 2
                centerY: anel.tamanho / 2
                radiusX: anel.tamanho / 2 - 1.5
                radiusY: radiusX
                startAngle: -90
                sweepAngle: 360 * anel.restantes / Math.max(anel.periodo, 1)
            }
        }
    }

    Text {
        anchors.centerIn: parent
        text: anel.restantes
        textFormat: Text.PlainText
        font.family: Tipo.familia
        font.pixelSize: 9
        font.weight: Font.DemiBold
        color: anel.cor
    }
}
