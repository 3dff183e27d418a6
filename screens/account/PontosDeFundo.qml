// The showcase's field of faint dots: a 22-point grid, strongest just above the middle and
// fading out towards the edges, drawn in one canvas pass whenever the size changes and kept
// inside the panel's rounded corners.
import QtQuick
import Corvane.Conta

Canvas {
    id: pontos

    property real raioDoRecorte: 0

    Accessible.ignored: true
    renderStrategy: Canvas.Immediate
    onWidthChanged: requestPaint()
    onHeightChanged: requestPaint()

    onPaint: {
        const ctx = getContext("2d");
        ctx.reset();
        const plano = RegrasDaVitrine.pontosDeFundo(width, height);
        if (plano.length === 0)
            return;
        const r = Math.min(raioDoRecorte, width / 2, height / 2);
        ctx.beginPath();
        ctx.roundedRect(0, 0, width, height, r, r);
        ctx.clip();
        for (let i = 0; i < plano.length; i += 3) {
            ctx.fillStyle = Qt.rgba(201 / 255, 210 / 255, 227 / 255, plano[i + 2]);
            ctx.beginPath();
            ctx.ellipse(plano[i] - 1, plano[i + 1] - 1, 2, 2);
            ctx.fill();
        }
    }
}
