#include "kit/Simbolo.h"

#include "kit/Simbolos.h"

#include <QImage>
#include <QPainter>
#include <QQuickWindow>
#include <QSvgRenderer>

Simbolo::Simbolo(QQuickItem *parent)
    : QQuickPaintedItem(parent)
{
    setImplicitSize(16, 16);
    setAntialiasing(true);
}

void Simbolo::definirNome(const QString &nome)
{
    if (nome == nome_)
        return;
    nome_ = nome;
    emit nomeMudou();
    update();
}

void Simbolo::definirCor(const QColor &cor)
{
    if (cor == cor_)
        return;
    cor_ = cor;
    emit corMudou();
    update();
}

bool Simbolo::encontrado() const
{
    return !simbolos::arquivo(nome_).isEmpty();
}

void Simbolo::paint(QPainter *pintor)
{
    const QString caminho = simbolos::arquivo(nome_);
    if (caminho.isEmpty() || width() <= 0 || height() <= 0)
        return;
    QSvgRenderer svg(caminho);
    if (!svg.isValid())
        return;
    // Draw the shape, then paint the colour through it, so any drawing takes one colour.
    const qreal escala = window() ? window()->effectiveDevicePixelRatio() : 1.0;
    QSizeF tamanho = svg.defaultSize();
    tamanho.scale(size(), Qt::KeepAspectRatio);
    QImage imagem((tamanho * escala).toSize().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    imagem.setDevicePixelRatio(escala);
    imagem.fill(Qt::transparent);
    {
        QPainter desenho(&imagem);
        desenho.setRenderHint(QPainter::Antialiasing);
        svg.render(&desenho, QRectF(QPointF(), tamanho));
        desenho.setCompositionMode(QPainter::CompositionMode_SourceIn);
        desenho.fillRect(QRectF(QPointF(), tamanho), cor_);
    }
    const QPointF canto((width() - tamanho.width()) / 2, (height() - tamanho.height()) / 2);
    pintor->drawImage(canto, imagem);
}
