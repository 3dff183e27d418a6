// One toast: the symbol in blue and the text on a translucent capsule with a thin outline and a
// soft shadow. It enters from the top edge while fading in and leaves the same way.
import QtQuick
import Corvane.App

Item {
    id: capsula

    required property string idDoAviso
    required property string texto
    required property string simbolo
    // Set when a newer toast replaced this one or the toast was cleared; it then fades out and
    // is destroyed.
    property bool saindo: false
    property bool entrou: false
    // How the exit moves: the centre's spring when replaced, its ease-out when cleared.
    property bool trocada: false

    readonly property bool aparente: entrou && !saindo

    implicitWidth: placa.width
    implicitHeight: placa.height
    width: implicitWidth
    height: implicitHeight
    y: aparente ? 12 : -height
    opacity: aparente ? 1 : 0
    Component.onCompleted: entrou = true
    // Destroyed once faded out, also when it is replaced before its first frame (its opacity
    // then never moves).
    Presenca.saindo: capsula.saindo
    Presenca.onSaiu: capsula.destroy()

    Behavior on y {
        NumberAnimation {
            duration: capsula.saindo && !capsula.trocada ? 250 : Mola.duracao(0.4, 0.82)
            // qmllint disable type
            // (6.4's qmllint cannot type a C++ QEasingCurve; the assignment is valid)
            easing: capsula.saindo && !capsula.trocada ? Mola.easeOut : Mola.curva(0.4, 0.82)
            // qmllint enable type
        }
    }
    Behavior on opacity {
        NumberAnimation {
            duration: capsula.saindo && !capsula.trocada ? 250 : Mola.duracao(0.4, 0.82)
        }
    }

    SombraSuave {
        id: sombra

        anchors.fill: placa
        anchors.margins: -sombra.margem
        margem: 24
        raio: placa.radius
        desfoque: 14
        deslocamentoY: 6
        cor: Qt.rgba(0, 0, 0, 0.08)
    }
    Rectangle {
        id: placa

        width: linha.implicitWidth + 32
        height: linha.implicitHeight + 20
        radius: height / 2
        // The regular material: a translucent light fill.
        color: Qt.rgba(1, 1, 1, 0.86)
        border.width: 1
        border.color: Paleta.borda

        Row {
            id: linha

            anchors.centerIn: parent
            spacing: 8

            Simbolo {
                nome: capsula.simbolo
                cor: Paleta.azul
                width: 15
                height: 15
                anchors.verticalCenter: parent.verticalCenter
            }
            Text {
                objectName: "textoDoAviso"
                text: capsula.texto
                font: Tipo.fonte(Tipo.Callout, Font.DemiBold)
                color: Paleta.texto
                anchors.verticalCenter: parent.verticalCenter
            }
        }
    }
}
