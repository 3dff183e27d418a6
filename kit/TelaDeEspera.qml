// Covers the window while a long operation runs: the animated padlock, a title and a detail
// line, over the window background at 94 % so the screen behind shows faintly. It settles in
// from slightly larger as it fades in, and leaves the same way when `mostrada` turns false,
// taking no input from then on; `saiu` comes once it has faded out (at once when it never
// showed).
import QtQuick
import Corvane.App

Item {
    id: tela

    required property string titulo
    required property string detalhe
    // Whether it is (becoming) visible; the caller animates removal by clearing it.
    property bool mostrada: true
    // The caller's animation for the entrance and exit.
    property int duracaoDaTransicao: Mola.duracao(0.35, 1)
    property var curvaDaTransicao: Mola.curva(0.35, 1)

    property bool entrou: false
    readonly property bool aparente: mostrada && entrou

    signal saiu()

    implicitWidth: 640
    implicitHeight: 480
    opacity: aparente ? 1 : 0
    scale: aparente ? 1 : 1.02
    Component.onCompleted: entrou = true
    Presenca.saindo: !tela.mostrada
    Presenca.onSaiu: tela.saiu()

    Behavior on opacity {
        NumberAnimation {
            duration: tela.duracaoDaTransicao
            // qmllint disable type
            // (6.4's qmllint cannot type a C++ QEasingCurve held in a var; the assignment is valid)
            easing: tela.curvaDaTransicao
            // qmllint enable type
        }
    }
    Behavior on scale {
        NumberAnimation {
            duration: tela.duracaoDaTransicao
            // qmllint disable type
            easing: tela.curvaDaTransicao
            // qmllint enable type
        }
    }

    Rectangle {
        anchors.fill: parent
        color: Paleta.fundo
        opacity: 0.94
    }

    // The screen behind takes no clicks, scrolls or hovers while this covers it.
    MouseArea {
        anchors.fill: parent
        // qmllint disable type property
        // (6.4's qmllint does not know Qt.MouseButtons; the value is valid)
        acceptedButtons: Qt.LeftButton | Qt.RightButton | Qt.MiddleButton
        // qmllint enable type property
        hoverEnabled: true
        onWheel: function (evento) { evento.accepted = true; }
    }

    Column {
        anchors.centerIn: parent
        width: parent.width
        spacing: 22

        IconeDaMarca {
            objectName: "cadeadoDaEspera"
            anchors.horizontalCenter: parent.horizontalCenter
            tamanho: 88
            estilo: EstiloDaMarca.Azul
            animando: true
            abrindoEFechando: true
        }

        Column {
            id: textos

            objectName: "textosDaEspera"
            x: 32
            width: parent.width - 64
            spacing: 6
            Accessible.role: Accessible.StatusBar
            Accessible.name: tela.titulo + "\n" + tela.detalhe

            Text {
                objectName: "tituloDaEspera"
                width: parent.width
                text: tela.titulo
                textFormat: Text.PlainText
                font: Tipo.fonte(Tipo.Title3, Font.DemiBold)
                color: Paleta.texto
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
                Accessible.ignored: true
            }

            Text {
                objectName: "detalheDaEspera"
                width: parent.width
                text: tela.detalhe
                textFormat: Text.PlainText
                font: Tipo.subheadline
                color: Paleta.textoSecundario
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
                Accessible.ignored: true
            }
        }
    }
}
