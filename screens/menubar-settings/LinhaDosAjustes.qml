// One row of a settings group: a label at the left and its value or control at the right; a
// line above it unless it is the group's first row.
import QtQuick
import Corvane.App

Item {
    id: linha

    property string rotulo
    property color corDoRotulo: Paleta.texto
    property bool primeira: false
    property bool clicavel: false
    default property alias controle: direita.data

    signal clicado()

    width: parent ? parent.width : 0
    // A row that acts is reached by Tab and pressed with Space or Return as with a click.
    activeFocusOnTab: linha.clicavel
    Accessible.role: linha.clicavel ? Accessible.Button : Accessible.StaticText
    Accessible.name: linha.rotulo
    Accessible.onPressAction: if (linha.clicavel) linha.clicado()
    Keys.onSpacePressed: if (linha.clicavel) linha.clicado()
    Keys.onReturnPressed: if (linha.clicavel) linha.clicado()
    Keys.onEnterPressed: if (linha.clicavel) linha.clicado()
    implicitHeight: Math.max(36, direita.implicitHeight + 12, texto.implicitHeight + 16)

    Rectangle {
        visible: !linha.primeira
        width: parent.width
        height: 1
        color: Paleta.borda
    }
    Text {
        id: texto

        objectName: "rotulo"
        anchors.left: parent.left
        anchors.right: direita.left
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        text: linha.rotulo
        textFormat: Text.PlainText
        font: Tipo.body
        color: linha.corDoRotulo
        elide: Text.ElideRight
    }
    MouseArea {
        anchors.fill: parent
        enabled: linha.clicavel
        cursorShape: linha.clicavel ? Qt.PointingHandCursor : Qt.ArrowCursor
        onClicked: linha.clicado()
    }
    Row {
        id: direita

        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        spacing: 6
    }

    AnelDeFoco {
        mostrado: linha.activeFocus
        raio: 6
    }
}
