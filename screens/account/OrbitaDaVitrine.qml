pragma ComponentBehavior: Bound
// Ten service tiles travelling on a dashed ellipse around the card stack: one turn every 90
// seconds, clockwise on screen, each tile bobbing by up to 5 points. While `parada` (reduced
// motion) or not `ativa` the picture holds still.
import QtQuick
import QtQuick.Shapes
import Corvane.App
import Corvane.Conta

Item {
    id: orbita

    property bool parada: false
    property bool ativa: false

    readonly property real rx: RegrasDaVitrine.raioXDaOrbita(width)
    readonly property real ry: RegrasDaVitrine.raioYDaOrbita(width)
    readonly property alias t: tempo.t

    Accessible.ignored: true

    TempoDaVitrine {
        id: tempo

        objectName: "tempoDaOrbita"
        rodando: orbita.ativa && !orbita.parada
    }

    // The dashed ellipse never changes while the size holds: one cached texture, with a point of
    // room around it for the stroke. Not with the software renderer, which draws a layer afresh on
    // every frame and with it everything over the layer's whole square; there the stroke is drawn
    // only where something moved over it.
    Item {
        objectName: "tracoDaOrbita"
        x: orbita.width / 2 - orbita.rx - 1
        y: orbita.height / 2 - orbita.ry - 1
        width: 2 * orbita.rx + 2
        height: 2 * orbita.ry + 2
        layer.enabled: GraphicsInfo.api !== GraphicsInfo.Software

        Shape {
            id: elipse

            objectName: "elipseDaOrbita"
            x: 1
            y: 1
            width: 2 * orbita.rx
            height: 2 * orbita.ry

            ShapePath {
                strokeColor: Qt.rgba(201 / 255, 210 / 255, 227 / 255, 1)
                strokeWidth: 1
                strokeStyle: ShapePath.DashLine
                dashPattern: [3, 7]
                dashOffset: 0
                capStyle: ShapePath.FlatCap
                joinStyle: ShapePath.MiterJoin
                miterLimit: 10
                fillColor: "transparent"

                PathAngleArc {
                    centerX: orbita.rx
                    centerY: orbita.ry
                    radiusX: orbita.rx
                    radiusY: orbita.ry
                    startAngle: 0
                    sweepAngle: 360
                }
            }
        }
    }

    Repeater {
        model: RegrasDaVitrine.servicosDaOrbita

        Item {
            id: azulejo

            required property int index
            required property string modelData
            readonly property point centro: RegrasDaVitrine.posicaoNaOrbita(index, orbita.t, orbita.width, orbita.height)

            objectName: "azulejoDaOrbita" + index
            width: 44
            height: 44
            x: centro.x - width / 2
            y: centro.y - height / 2

            // The tile and its shadow travel as one cached texture (the shadow reaches 20 points
            // past the tile), drawn once and only moved afterwards; with the software renderer as
            // their own pictures, which it only moves too.
            Item {
                anchors.fill: parent
                anchors.margins: -20
                layer.enabled: GraphicsInfo.api !== GraphicsInfo.Software
                layer.smooth: true

                SombraSuave {
                    anchors.fill: parent
                    margem: 20
                    raio: 13
                    desfoque: 10
                    deslocamentoY: 5
                    cor: Qt.rgba(Paleta.tinta.r, Paleta.tinta.g, Paleta.tinta.b, 0.08)
                }
                Rectangle {
                    anchors.fill: parent
                    anchors.margins: 20
                    radius: 13
                    color: Paleta.superficie
                    border.width: 1
                    border.color: Paleta.borda
                }
                IconeDoServico {
                    anchors.centerIn: parent
                    nome: azulejo.modelData
                    tamanho: 30
                }
            }
        }
    }
}
