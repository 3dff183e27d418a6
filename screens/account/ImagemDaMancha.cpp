#include "ImagemDaMancha.h"

#include "RegrasDaVitrine.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

ImagemDaMancha::ImagemDaMancha(QQuickItem *parent) : QQuickPaintedItem(parent)
{
    setAntialiasing(true);
    connect(this, &ImagemDaMancha::recorteMudou, this, &ImagemDaMancha::conferirCantos);
    refazer();
}

void ImagemDaMancha::definirCor(const QColor &cor)
{
    if (cor == cor_)
        return;
    cor_ = cor;
    refazer();
}

void ImagemDaMancha::definirAlfa(double alfa)
{
    if (alfa == alfa_)
        return;
    alfa_ = alfa;
    refazer();
}

void ImagemDaMancha::definirRaio(double raio)
{
    if (raio == raio_)
        return;
    raio_ = raio;
    refazer();
}

void ImagemDaMancha::definirDesfoque(double desfoque)
{
    if (desfoque == desfoque_)
        return;
    desfoque_ = desfoque;
    refazer();
}

QImage ImagemDaMancha::desenhar(const QColor &cor, double alfa, double raio, double desfoque)
{
    const double alcance = raio + 3 * desfoque;
    const int lado = static_cast<int>(std::ceil(2 * alcance));
    if (lado <= 0)
        return {};
    QImage imagem(lado, lado, QImage::Format_ARGB32_Premultiplied);
    imagem.fill(Qt::transparent);
    {
        // The same nine stops, at the same fractions of the reach, as the blob has always had.
        const QPointF centro(lado / 2.0, lado / 2.0);
        QRadialGradient gradiente(centro, alcance, centro);
        for (const double fracao : {0.0, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0}) {
            QColor parada = cor;
            parada.setAlphaF(static_cast<float>(
                std::clamp(alfa * RegrasDaVitrine::opacidadeNaMancha(fracao, raio, desfoque), 0.0, 1.0)));
            gradiente.setColorAt(fracao, parada);
        }
        QPainter pintor(&imagem);
        pintor.fillRect(imagem.rect(), gradiente);
    }
    // Rows and columns left fully transparent at the edges are dropped, the same on every side
    // so the centre stays the centre.
    int margem = 0;
    const auto vazia = [&imagem](int x0, int y0, int largura, int altura) {
        for (int y = y0; y < y0 + altura; ++y) {
            const auto *linha = reinterpret_cast<const QRgb *>(imagem.constScanLine(y));
            for (int x = x0; x < x0 + largura; ++x)
                if (qAlpha(linha[x]) != 0)
                    return false;
        }
        return true;
    };
    while (2 * (margem + 1) < lado) {
        const int m = margem;
        const int interno = lado - 2 * m;
        if (!vazia(m, m, interno, 1) || !vazia(m, lado - 1 - m, interno, 1) || !vazia(m, m, 1, interno)
            || !vazia(lado - 1 - m, m, 1, interno))
            break;
        ++margem;
    }
    return margem > 0 ? imagem.copy(margem, margem, lado - 2 * margem, lado - 2 * margem) : imagem;
}

void ImagemDaMancha::refazer()
{
    imagem_ = desenhar(cor_, alfa_, raio_, desfoque_);
    pintadaInteira_ = false;
    setImplicitSize(imagem_.width(), imagem_.height());
    emit formaMudou();
    update();
}

QList<QRectF> ImagemDaMancha::cantosTocados(QPointF posicao) const
{
    const double r = std::min({raioDoRecorte_, larguraDoRecorte_ / 2, alturaDoRecorte_ / 2});
    if (r <= 0)
        return {};
    const QRectF eu(posicao, size());
    const QRectF cantos[] = {
        {0, 0, r, r},
        {larguraDoRecorte_ - r, 0, r, r},
        {0, alturaDoRecorte_ - r, r, r},
        {larguraDoRecorte_ - r, alturaDoRecorte_ - r, r, r},
    };
    QList<QRectF> tocados;
    for (const QRectF &canto : cantos)
        if (eu.intersects(canto))
            tocados.append(canto.translated(-posicao)); // in this item's coordinates at `posicao`
    return tocados;
}

void ImagemDaMancha::conferirCantos()
{
    // The cut depends on the panel's shape: all of it is painted again.
    if (cortada_ || !cantosTocados(position()).isEmpty()) {
        pintadaInteira_ = false;
        update();
    }
}

void ImagemDaMancha::geometryChange(const QRectF &nova, const QRectF &antiga)
{
    QQuickPaintedItem::geometryChange(nova, antiga);
    if (nova.size() != antiga.size() || !pintadaInteira_) {
        // A new picture, or one not yet painted whole: a partial paint would leave the rest empty.
        pintadaInteira_ = false;
        update();
        return;
    }
    // The picture moves with the item; only the cut stays with the panel. Painted again, in the
    // item's own coordinates, are the squares where the cut was (to be whole blob again) and
    // where it now is, a pixel wider for the arc's antialiasing.
    const QList<QRectF> afetados = cantosTocados(antiga.topLeft()) + cantosTocados(nova.topLeft());
    const QRect eu(0, 0, static_cast<int>(std::ceil(width())), static_cast<int>(std::ceil(height())));
    for (const QRectF &canto : std::as_const(afetados)) {
        const QRect parte = canto.toAlignedRect().adjusted(-1, -1, 1, 1).intersected(eu);
        if (!parte.isEmpty())
            update(parte);
    }
}

void ImagemDaMancha::paint(QPainter *pintor)
{
    ++pinturas_;
    const QRectF inteira(0, 0, width(), height());
    if (!pintor->hasClipping() || pintor->clipBoundingRect().contains(inteira))
        pintadaInteira_ = true;
    pintor->drawImage(inteira, imagem_);
    const QList<QRectF> cantos = cantosTocados(position());
    cortada_ = !cantos.isEmpty();
    if (!cortada_)
        return;
    // In each corner square reached, what lies past the panel's arc is cleared: the square less
    // the disc of radius r around the square's inner corner.
    const double r = cantos.first().width();
    pintor->setRenderHint(QPainter::Antialiasing);
    pintor->setCompositionMode(QPainter::CompositionMode_DestinationOut);
    const QRectF painel(QPointF(-x(), -y()), QSizeF(larguraDoRecorte_, alturaDoRecorte_));
    for (const QRectF &canto : cantos) {
        const QPointF centro(canto.center().x() < painel.center().x() ? canto.right() : canto.left(),
                             canto.center().y() < painel.center().y() ? canto.bottom() : canto.top());
        QPainterPath fora;
        fora.setFillRule(Qt::OddEvenFill);
        fora.addRect(canto);
        fora.addEllipse(centro, r, r);
        pintor->save();
        pintor->setClipRect(canto, Qt::IntersectClip);
        pintor->fillPath(fora, Qt::black);
        pintor->restore();
    }
}
