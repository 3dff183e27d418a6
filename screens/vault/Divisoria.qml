// A hairline between the rows of a box.
import QtQuick
import Corvane.App

Rectangle {
    width: parent ? parent.width : 0
    height: 1
    color: Paleta.borda
}
