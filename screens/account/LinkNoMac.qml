// A link in running text: the accent colour, a pointing hand, and the address opened by the
// system when clicked.
import QtQuick
import Corvane.App

Text {
    id: link

    required property url endereco

    textFormat: Text.PlainText
    color: Paleta.azul

    MouseArea {
        anchors.fill: parent
        cursorShape: Qt.PointingHandCursor
        onClicked: Qt.openUrlExternally(link.endereco)
    }
}
