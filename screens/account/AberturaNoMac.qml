// The opening of the signed-out window: the padlock turns into view over a soft blue glow, the
// product name and the tagline rise in, three dots fill one after another, and 2.8 s after it
// started (or at once on a click anywhere) it hands over with `aoTerminar`, which may come more
// than once.
import QtQuick
import QtQuick.Shapes
import Corvane.App
import Corvane.Conta

Item {
    id: abertura

    // 0 nothing shown, 1 padlock and glow, 2 product name, 3 tagline and dots.
    property int etapa: 0
    property bool terminou: false

    signal aoTerminar()

    function terminar() {
        abertura.terminou = true;
        abertura.aoTerminar();
    }

    objectName: "aberturaNoMac"
    Component.onCompleted: linhaDoTempo.start()
    // A timeline cut short still ends with its hand-over.
    Component.onDestruction: if (!abertura.terminou) abertura.terminar()

    SequentialAnimation {
        id: linhaDoTempo

        PropertyAction { target: abertura; property: "etapa"; value: 1 }
        PauseAnimation { duration: 550 }
        PropertyAction { target: abertura; property: "etapa"; value: 2 }
        PauseAnimation { duration: 350 }
        PropertyAction { target: abertura; property: "etapa"; value: 3 }
        PauseAnimation { duration: 1900 }
        ScriptAction { script: abertura.terminar() }
    }

    Rectangle {
        anchors.fill: parent
        color: Paleta.fundo
    }

    // Decoration: the glow, a blue disc at 12 % blurred by 90 points (drawn as a radial fade).
    Shape {
        id: brilho

        objectName: "brilho"
        anchors.centerIn: parent
        width: 700
        height: 700
        scale: abertura.etapa >= 1 ? 1 : 0.4
        opacity: abertura.etapa >= 1 ? 1 : 0
        Accessible.ignored: true

        Behavior on scale { AnimacaoDeMola { resposta: 0.8; amortecimento: 0.75 } }
        Behavior on opacity { AnimacaoDeMola { resposta: 0.8; amortecimento: 0.75 } }

        ShapePath {
            strokeColor: "transparent"
            fillGradient: RadialGradient {
                centerX: 350; centerY: 350; centerRadius: 350
                focalX: 350; focalY: 350; focalRadius: 0
                GradientStop { position: 0; color: Qt.rgba(Paleta.azul.r, Paleta.azul.g, Paleta.azul.b, 0.12) }
                GradientStop { position: 0.5; color: Qt.rgba(Paleta.azul.r, Paleta.azul.g, Paleta.azul.b, 0.10) }
                GradientStop { position: 0.75; color: Qt.rgba(Paleta.azul.r, Paleta.azul.g, Paleta.azul.b, 0.04) }
                GradientStop { position: 1; color: Qt.rgba(Paleta.azul.r, Paleta.azul.g, Paleta.azul.b, 0) }
            }
            PathAngleArc { centerX: 350; centerY: 350; radiusX: 350; radiusY: 350; startAngle: 0; sweepAngle: 360 }
        }
    }

    Column {
        anchors.centerIn: parent
        spacing: 22

        IconeDaMarca {
            id: cadeado

            objectName: "cadeadoDaAbertura"
            anchors.horizontalCenter: parent.horizontalCenter
            tamanho: 112
            estilo: EstiloDaMarca.Azul
            animando: true
            abrindoEFechando: true
            scale: abertura.etapa >= 1 ? 1 : 0.6
            opacity: abertura.etapa >= 1 ? 1 : 0
            transform: Rotation {
                id: giro

                origin.x: cadeado.width / 2
                origin.y: cadeado.height / 2
                axis { x: 0; y: 1; z: 0 }
                angle: abertura.etapa >= 1 ? 0 : -35

                Behavior on angle { AnimacaoDeMola { resposta: 0.8; amortecimento: 0.75 } }
            }

            Behavior on scale { AnimacaoDeMola { resposta: 0.8; amortecimento: 0.75 } }
            Behavior on opacity { AnimacaoDeMola { resposta: 0.8; amortecimento: 0.75 } }
        }

        Column {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 8

            Text {
                id: nome

                objectName: "nomeDaAbertura"
                anchors.horizontalCenter: parent.horizontalCenter
                text: "Corvane"
                font.family: Tipo.familia
                font.pixelSize: 40
                font.weight: Font.Bold
                color: Paleta.texto
                opacity: abertura.etapa >= 2 ? 1 : 0
                transform: Translate {
                    y: abertura.etapa >= 2 ? 0 : 14

                    Behavior on y { AnimacaoDeMola { resposta: 0.6 } }
                }

                Behavior on opacity { AnimacaoDeMola { resposta: 0.6 } }
            }

            Text {
                objectName: "lemaDaAbertura"
                anchors.horizontalCenter: parent.horizontalCenter
                text: TextosDaConta.lema
                font: Tipo.title3
                color: Paleta.textoSecundario
                opacity: abertura.etapa >= 3 ? 1 : 0
                transform: Translate {
                    y: abertura.etapa >= 3 ? 0 : 10

                    Behavior on y { AnimacaoDeMola { resposta: 0.6 } }
                }

                Behavior on opacity { AnimacaoDeMola { resposta: 0.6 } }
            }
        }

        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            topPadding: 6
            spacing: 8

            PontoDaAbertura { objectName: "pontoDaAbertura0"; indice: 0; cheio: abertura.etapa >= 3 }
            PontoDaAbertura { objectName: "pontoDaAbertura1"; indice: 1; cheio: abertura.etapa >= 3 }
            PontoDaAbertura { objectName: "pontoDaAbertura2"; indice: 2; cheio: abertura.etapa >= 3 }
        }
    }

    // A click anywhere skips the rest.
    MouseArea {
        objectName: "pularAbertura"
        anchors.fill: parent
        onClicked: abertura.terminar()
    }
}
