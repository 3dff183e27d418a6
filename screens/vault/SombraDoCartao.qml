// The lifted card's shadow: ink at 8 % spread 18 points around the card, 8 points down, drawn
// as rings of rounded rectangles that fade outwards. Cheap enough to appear under the pointer
// without a blur pass.
import QtQuick
import Corvane.App
import Corvane.Cofre

Item {
    id: sombra

    property real raio: 22
    readonly property int aneis: 6

    // qmllint disable unqualified
    // (6.4's qmllint takes the document's ids for unqualified names inside a delegate; they
    // resolve in the document's context as intended)
    Repeater {
        model: sombra.aneis

        Rectangle {
            required property int index
            readonly property real espalhamento: (index + 1) * 3

            x: -espalhamento
            y: 8 - espalhamento
            width: sombra.width + 2 * espalhamento
            height: sombra.height + 2 * espalhamento
            radius: sombra.raio + espalhamento
            color: Qt.rgba(Paleta.tinta.r, Paleta.tinta.g, Paleta.tinta.b, 0.08 / sombra.aneis)
        }
    }
    // qmllint enable unqualified
}
