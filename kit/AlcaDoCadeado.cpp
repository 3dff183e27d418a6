#include "AlcaDoCadeado.h"

#include "CicloDoCadeado.h"

#include <QPainter>
#include <QPen>

AlcaDoCadeado::AlcaDoCadeado(QQuickItem *parent) : QQuickPaintedItem(parent)
{
    setAntialiasing(true);
}

void AlcaDoCadeado::definirCor(const QColor &cor)
{
    if (cor == cor_)
        return;
    cor_ = cor;
    mudou();
}

void AlcaDoCadeado::definirGirando(bool girando)
{
    if (girando == girando_)
        return;
    girando_ = girando;
    mudou();
}

void AlcaDoCadeado::definirGiro(double giro)
{
    if (giro == giro_)
        return;
    giro_ = giro;
    // The closed shackle does not depend on the turn: nothing to paint again.
    if (girando_)
        mudou();
}

void AlcaDoCadeado::definirSubida(double subida)
{
    if (subida == subida_)
        return;
    subida_ = subida;
    if (girando_)
        mudou();
}

void AlcaDoCadeado::mudou()
{
    emit formaMudou();
    update();
}

QPainterPath AlcaDoCadeado::caminho() const
{
    return girando_ ? alcaEmGiro(giro_, subida_) : alcaDoCadeado();
}

void AlcaDoCadeado::paint(QPainter *pintor)
{
    ++pinturas_;
    pintor->setRenderHint(QPainter::Antialiasing);
    pintor->scale(width() / 120, height() / 120);
    pintor->translate(0, cadeado::deslocamento);
    QPen caneta(cor_, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    caneta.setMiterLimit(10);
    pintor->setPen(caneta);
    pintor->setBrush(Qt::NoBrush);
    pintor->drawPath(caminho());
}
