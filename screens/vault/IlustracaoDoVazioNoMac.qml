// The empty section's illustration: eight service logos circling a tile with the section's
// symbol on a dashed orbit, one turn every 40 seconds, the near half larger and in front; the
// tile bobs gently. With reduced motion everything stands still. The glow and the shadows are
// blurred once and then only moved.
import QtQuick
import QtQuick.Shapes
import Corvane.App
import Corvane.Cofre

Item {
    id: ilustracao

    property string simbolo
    readonly property var servicos: ["GitHub", "Google", "Apple", "Binance", "Instagram", "Discord", "Nubank", "Dropbox"]
    // Where the orbit starts: the shared clock's second, so panels agree on its phase.
    property real inicio: 0
    // Seconds of orbit since then, looping every turn, in steps of the shared 20-a-second beat.
    readonly property real fase: passos.valor * 40
    readonly property real t: inicio + fase
    // The bob's own angle, from the time run in all (not the orbit's looping phase), so it stays
    // continuous when the orbit's loop starts again.
    readonly property real anguloDoBalanco: (1.4 * passos.tempo) % (2 * Math.PI)
    readonly property real balanco: MovimentoReduzido.ativo ? 0 : Math.sin(1.4 * inicio + anguloDoBalanco) * 4

    implicitWidth: 300
    implicitHeight: 200
    Accessible.ignored: true

    Component.onCompleted: ilustracao.inicio = Math.floor(Relogio.agora.getTime() / 1000) % 40

    // Slow decoration: 20 steps a second on the shared beat, so between steps the window is not
    // drawn at all.
    AnimacaoEmPassos {
        id: passos

        rodando: !MovimentoReduzido.ativo
        duracao: 40000
        passo: 50
    }

    // A blue circle at 7 %, 210 points wide, blurred with radius 18.
    SombraSuave {
        objectName: "brilhoDoVazio"
        anchors.centerIn: parent
        width: 210 + 2 * margem
        height: 210 + 2 * margem
        margem: 36
        raio: 105
        desfoque: 18
        cor: Qt.rgba(Paleta.azul.r, Paleta.azul.g, Paleta.azul.b, 0.07)
    }

    Shape {
        anchors.centerIn: parent
        width: 250
        height: 150
        layer.enabled: true
        layer.samples: 4

        ShapePath {
            strokeColor: Qt.rgba(201 / 255, 210 / 255, 227 / 255, 1)
            strokeWidth: 1
            fillColor: "transparent"
            strokeStyle: ShapePath.DashLine
            dashPattern: [3, 6]

            PathAngleArc {
                centerX: 125
                centerY: 75
                radiusX: 125
                radiusY: 75
                startAngle: 0
                sweepAngle: 360
            }
        }
    }

    // qmllint disable unqualified
    // (6.4's qmllint takes the document's ids for unqualified names inside a delegate; they
    // resolve in the document's context as intended)
    Repeater {
        model: ilustracao.servicos

        Rectangle {
            id: logo

            required property string modelData
            required property int index
            readonly property real angulo: 2 * Math.PI * (ilustracao.t / 40 + logo.index / 8)
            readonly property bool perto: Math.sin(logo.angulo) > 0
            readonly property real lado: perto ? 30 : 24

            objectName: "logoDoVazio"
            width: lado + 10
            height: lado + 10
            x: ilustracao.width / 2 + Math.cos(logo.angulo) * 125 - width / 2
            y: ilustracao.height / 2 + Math.sin(logo.angulo) * 75 - height / 2
            z: perto ? 2 : 0
            opacity: perto ? 1 : 0.55
            radius: 11
            color: Paleta.superficie
            border.width: 1
            border.color: Paleta.borda

            // Ink at 8 %, radius 8, 4 points down.
            SombraSuave {
                anchors.fill: parent
                anchors.margins: -margem
                z: -1
                margem: 16
                raio: 11
                desfoque: 8
                deslocamentoY: 4
                cor: Qt.rgba(Paleta.tinta.r, Paleta.tinta.g, Paleta.tinta.b, 0.08)
            }

            IconeDoServico {
                anchors.centerIn: parent
                nome: logo.modelData
                tamanho: logo.lado
            }
        }
    }

    // qmllint enable unqualified

    Rectangle {
        objectName: "ladrilhoDoVazio"
        anchors.centerIn: parent
        anchors.verticalCenterOffset: ilustracao.balanco
        z: 1
        width: 76
        height: 76
        radius: 22
        color: Paleta.superficie
        border.width: 1
        border.color: Qt.rgba(Paleta.azul.r, Paleta.azul.g, Paleta.azul.b, 0.12)

        // Blue at 18 %, radius 18, 8 points down.
        SombraSuave {
            objectName: "sombraDoLadrilho"
            anchors.fill: parent
            anchors.margins: -margem
            z: -1
            margem: 30
            raio: 22
            desfoque: 18
            deslocamentoY: 8
            cor: Qt.rgba(Paleta.azul.r, Paleta.azul.g, Paleta.azul.b, 0.18)
        }

        Simbolo {
            anchors.centerIn: parent
            width: 30
            height: 30
            nome: ilustracao.simbolo
            cor: Paleta.azul
        }
    }
}
