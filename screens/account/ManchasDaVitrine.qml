// Two large soft blobs drifting behind the showcase, kept within the panel's rounded shape so
// nothing spills past its corners. Each is a picture painted once (a radial gradient whose edge
// follows a blurred disc) and then only moved, in whole points, at the slow layers' 20 steps a
// second: nothing is drawn afresh for a step, and only the blobs' own squares are redrawn.
import QtQuick
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
    // The straight edges; the pictures cut the rounded corners themselves.
    clip: true

    TempoDaVitrine {
        id: tempo

        objectName: "tempoDasManchas"
        rodando: manchas.ativa
    }

    ImagemDaMancha {
        objectName: "mancha1"
        cor: Paleta.azul
        alfa: 0.16
        raio: 160
        desfoque: manchas.desfoque
        x: Math.round(manchas.centro1.x - width / 2)
        y: Math.round(manchas.centro1.y - height / 2)
        larguraDoRecorte: manchas.width
        alturaDoRecorte: manchas.height
        raioDoRecorte: manchas.raioDoRecorte
    }
    ImagemDaMancha {
        objectName: "mancha2"
        cor: Qt.rgba(143 / 255, 176 / 255, 255 / 255, 1)
        alfa: 0.28
        raio: 140
        desfoque: manchas.desfoque
        x: Math.round(manchas.centro2.x - width / 2)
        y: Math.round(manchas.centro2.y - height / 2)
        larguraDoRecorte: manchas.width
        alturaDoRecorte: manchas.height
        raioDoRecorte: manchas.raioDoRecorte
    }
}
