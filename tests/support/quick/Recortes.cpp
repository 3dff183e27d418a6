#include "Recortes.h"

#include <QQuickWindow>

namespace {

QString nomeDe(const QQuickItem *item)
{
    return item->objectName().isEmpty() ? QString::fromLatin1(item->metaObject()->className()) : item->objectName();
}

// The part of the scene where what `item` draws can appear: the window cut by every clipping
// item from `item` up.
QRectF areaVisivel(const QQuickItem *item)
{
    QRectF area(QPointF(0, 0), item->window() ? QSizeF(item->window()->size()) : QSizeF(1e6, 1e6));
    for (const QQuickItem *i = item; i; i = i->parentItem()) {
        if (i->clip())
            area &= i->mapRectToScene(QRectF(0, 0, i->width(), i->height()));
    }
    return area;
}

void procurar(QQuickItem *item, double folga, QStringList &vazamentos)
{
    if (!item->isVisible() || item->opacity() <= 0)
        return;
    if (item->inherits("QQuickFlickable")) {
        QQuickItem *rolagem = item;
        auto *conteudo = rolagem->property("contentItem").value<QQuickItem *>();
        const QRectF proprio = rolagem->mapRectToScene(QRectF(0, 0, rolagem->width(), rolagem->height()));
        const QRectF area = areaVisivel(conteudo ? conteudo : rolagem);
        const bool vertical = rolagem->property("contentHeight").toReal() > rolagem->height() + 0.5;
        const bool horizontal = rolagem->property("contentWidth").toReal() > rolagem->width() + 0.5;
        if (vertical && area.top() < proprio.top() - folga)
            vazamentos << nomeDe(rolagem) + QStringLiteral(": acima");
        if (vertical && area.bottom() > proprio.bottom() + folga)
            vazamentos << nomeDe(rolagem) + QStringLiteral(": abaixo");
        if (horizontal && area.left() < proprio.left() - folga)
            vazamentos << nomeDe(rolagem) + QStringLiteral(": à esquerda");
        if (horizontal && area.right() > proprio.right() + folga)
            vazamentos << nomeDe(rolagem) + QStringLiteral(": à direita");
    }
    for (QQuickItem *filho : item->childItems())
        procurar(filho, folga, vazamentos);
}

} // namespace

QStringList rolagensQueVazam(QQuickItem *raiz, double folga)
{
    QStringList vazamentos;
    if (raiz)
        procurar(raiz, folga, vazamentos);
    return vazamentos;
}
