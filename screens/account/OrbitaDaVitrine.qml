pragma ComponentBehavior: Bound
// Ten service tiles travelling on a dashed ellipse around the card stack: one turn every 90
// seconds, clockwise on screen, each tile bobbing by up to 5 points. While `parada` (reduced
// motion) or not `ativa` the picture holds still.
import QtQuick
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

    // The dashed ellipse, drawn once for each size (with a point of room around it for the
    // stroke) and afterwards only shown. A stroked shape would be stroked afresh whenever a tile
    // passes over it.
    Canvas {
        id: traco

        // The path's box, a point of room on every side; the picture stands on whole points (a
        // picture between pixels is drawn blurred) and the path keeps its exact place within it.
        readonly property real esquerda: orbita.width / 2 - orbita.rx - 1
        readonly property real topo: orbita.height / 2 - orbita.ry - 1

        objectName: "tracoDaOrbita"
        x: Math.floor(esquerda)
        y: Math.floor(topo)
        width: Math.ceil(esquerda + 2 * orbita.rx + 2) - x
        height: Math.ceil(topo + 2 * orbita.ry + 2) - y
        renderStrategy: Canvas.Immediate
        onWidthChanged: requestPaint()
        onHeightChanged: requestPaint()
        onEsquerdaChanged: requestPaint()
        onTopoChanged: requestPaint()

        onPaint: {
            const ctx = getContext("2d");
            ctx.reset();
            if (orbita.rx <= 0 || orbita.ry <= 0)
                return;
            ctx.lineWidth = 1;
            ctx.strokeStyle = Qt.rgba(201 / 255, 210 / 255, 227 / 255, 1);
            ctx.setLineDash([3, 7]);
            ctx.lineDashOffset = 0;
            ctx.lineCap = "butt";
            ctx.lineJoin = "miter";
            ctx.miterLimit = 10;
            // From three o'clock, clockwise.
            ctx.beginPath();
            ctx.ellipse(traco.esquerda - traco.x + 1, traco.topo - traco.y + 1, 2 * orbita.rx, 2 * orbita.ry);
            ctx.stroke();
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
            // On whole pixels: a tile between pixels is drawn afresh, blended at its edges, at
            // every step; on whole pixels it moves only when it has travelled a pixel.
            x: Math.round((centro.x - width / 2) * Screen.devicePixelRatio) / Screen.devicePixelRatio
            y: Math.round((centro.y - height / 2) * Screen.devicePixelRatio) / Screen.devicePixelRatio

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
