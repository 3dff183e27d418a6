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
    setImplicitSize(imagem_.width(), imagem_.height());
    emit formaMudou();
    update();
}

bool ImagemDaMancha::tocaUmCanto() const
{
    const double r = std::min({raioDoRecorte_, larguraDoRecorte_ / 2, alturaDoRecorte_ / 2});
    if (r <= 0)
        return false;
    const QRectF eu(x(), y(), width(), height());
    const QRectF cantos[] = {
        {0, 0, r, r},
        {larguraDoRecorte_ - r, 0, r, r},
        {0, alturaDoRecorte_ - r, r, r},
        {larguraDoRecorte_ - r, alturaDoRecorte_ - r, r, r},
    };
    return std::any_of(std::begin(cantos), std::end(cantos), [&eu](const QRectF &c) { return eu.intersects(c); });
}

void ImagemDaMancha::conferirCantos()
{
    // A move in the clear changes only where the picture is drawn; over a corner (or just off
    // one) the cut has moved with it.
    if (cortada_ || tocaUmCanto())
        update();
}

void ImagemDaMancha::geometryChange(const QRectF &nova, const QRectF &antiga)
{
    QQuickPaintedItem::geometryChange(nova, antiga);
    if (nova.size() != antiga.size())
        update();
    else
        conferirCantos();
}

void ImagemDaMancha::paint(QPainter *pintor)
{
    ++pinturas_;
    pintor->drawImage(QRectF(0, 0, width(), height()), imagem_);
    cortada_ = tocaUmCanto();
    if (cortada_) {
        // Everything outside the rounded panel, in this item's coordinates, is cleared.
        const double r = std::min({raioDoRecorte_, larguraDoRecorte_ / 2, alturaDoRecorte_ / 2});
        QPainterPath painel;
        painel.addRoundedRect(QRectF(-x(), -y(), larguraDoRecorte_, alturaDoRecorte_), r, r);
        QPainterPath fora;
        fora.addRect(QRectF(0, 0, width(), height()));
        fora = fora.subtracted(painel);
        pintor->setRenderHint(QPainter::Antialiasing);
        pintor->setCompositionMode(QPainter::CompositionMode_DestinationOut);
        pintor->fillPath(fora, Qt::black);
    }
}
