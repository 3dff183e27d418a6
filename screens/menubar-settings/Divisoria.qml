// A one-pixel line across the panel between its parts.
import QtQuick
import QtQuick.Layouts
import Corvane.App

Rectangle {
    Layout.fillWidth: true
    implicitHeight: 1
    color: Paleta.borda
}
