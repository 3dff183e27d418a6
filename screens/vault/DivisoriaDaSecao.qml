// The divider between a section's list and its detail: a hairline that the pointer can take a
// few points to either side of it, showing the resize cursor.
import QtQuick
import Corvane.App

Rectangle {
    id: divisoria

    objectName: "divisoriaDaSecao"
    implicitWidth: 1
    color: Paleta.borda
    containmentMask: alcance

    Item {
        id: alcance

        x: -4
        width: 9
        height: divisoria.height

        HoverHandler {
            cursorShape: Qt.SplitHCursor
        }
    }
}
