// The ring a control shows while it holds the keyboard focus: a translucent accent outline
// just outside the control's shape. Placed inside the control (its background or content), it
// follows the control's `visualFocus`, which Tab and shortcuts set and a click does not.
import QtQuick
import Corvane.App

Rectangle {
    id: anel

    // Whether to draw it; controls bind their visualFocus.
    property bool mostrado: false
    // The corner radius of the shape it surrounds.
    property real raio: 6

    objectName: "anelDeFoco"
    anchors.fill: parent
    anchors.margins: -3
    radius: anel.raio + 3
    color: "transparent"
    border.width: 3
    border.color: Qt.rgba(Paleta.azul.r, Paleta.azul.g, Paleta.azul.b, 0.5)
    visible: anel.mostrado
    z: 100
}
