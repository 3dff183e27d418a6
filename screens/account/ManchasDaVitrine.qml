pragma ComponentBehavior: Bound
// Two large soft blobs drifting behind the showcase: each a radial gradient whose edge follows a
// blurred disc, filling the panel's rounded shape so nothing spills past its corners. Only the
// gradients' centres move each frame; nothing is blurred per frame.
import QtQuick
import QtQuick.Shapes
import Corvane.App
import Corvane.Conta

Item {
    id: manchas

    property bool ativa: false
    property real raioDoRecorte: 0

    // Blob 1: a 320-point disc in the accent blue at 16 %; blob 2, in front: 280 points of
    // (143, 176, 255) at 28 %; both blurred by 70.
    readonly property real desfoque: 35
    readonly property point centro1: {
        const d = RegrasDaVitrine.deslocamentoDaMancha1(tempo.t);
        return Qt.point(width / 2 + d.x, height / 2 + d.y);
    }
    readonly property point centro2: {
        const d = RegrasDaVitrine.deslocamentoDaMancha2(tempo.t);
        return Qt.point(width / 2 + d.x, height / 2 + d.y);
    }

    Accessible.ignored: true

    TempoDaVitrine {
        id: tempo

        objectName: "tempoDasManchas"
        rodando: manchas.ativa
    }

    component Mancha: Shape {
        id: mancha

        required property color cor
        required property real alfa
        required property real raio
        required property point centro
        readonly property real alcance: raio + 3 * manchas.desfoque
        readonly property real r: Math.min(manchas.raioDoRecorte, width / 2, height / 2)

        function parada(fracao: real): color {
            return Qt.rgba(cor.r, cor.g, cor.b, alfa * RegrasDaVitrine.opacidadeNaMancha(fracao, raio, manchas.desfoque));
        }

        anchors.fill: parent

        ShapePath {
            strokeWidth: -1
            fillGradient: RadialGradient {
                centerX: mancha.centro.x
                centerY: mancha.centro.y
                centerRadius: mancha.alcance
                focalX: mancha.centro.x
                focalY: mancha.centro.y

                GradientStop { position: 0; color: mancha.parada(0) }
                GradientStop { position: 0.3; color: mancha.parada(0.3) }
                GradientStop { position: 0.4; color: mancha.parada(0.4) }
                GradientStop { position: 0.5; color: mancha.parada(0.5) }
                GradientStop { position: 0.6; color: mancha.parada(0.6) }
                GradientStop { position: 0.7; color: mancha.parada(0.7) }
                GradientStop { position: 0.8; color: mancha.parada(0.8) }
                GradientStop { position: 0.9; color: mancha.parada(0.9) }
                GradientStop { position: 1; color: mancha.parada(1) }
            }

            // The panel's rounded rectangle.
            startX: mancha.r
            startY: 0
            PathLine { x: mancha.width - mancha.r; y: 0 }
            PathArc { x: mancha.width; y: mancha.r; radiusX: mancha.r; radiusY: mancha.r }
            PathLine { x: mancha.width; y: mancha.height - mancha.r }
            PathArc { x: mancha.width - mancha.r; y: mancha.height; radiusX: mancha.r; radiusY: mancha.r }
            PathLine { x: mancha.r; y: mancha.height }
            PathArc { x: 0; y: mancha.height - mancha.r; radiusX: mancha.r; radiusY: mancha.r }
            PathLine { x: 0; y: mancha.r }
            PathArc { x: mancha.r; y: 0; radiusX: mancha.r; radiusY: mancha.r }
        }
    }

    Mancha {
        objectName: "mancha1"
        cor: Paleta.azul
        alfa: 0.16
        raio: 160
        centro: manchas.centro1
    }
    Mancha {
        objectName: "mancha2"
        cor: Qt.rgba(143 / 255, 176 / 255, 255 / 255, 1)
        alfa: 0.28
        raio: 140
        centro: manchas.centro2
    }
}
