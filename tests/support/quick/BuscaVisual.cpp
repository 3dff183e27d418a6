#include "BuscaVisual.h"

QQuickItem *itemQue(QQuickItem *item, const std::function<bool(QQuickItem *)> &aceita)
{
    if (!item)
        return nullptr;
    if (aceita(item))
        return item;
    for (QQuickItem *filho : item->childItems()) {
        if (QQuickItem *achado = itemQue(filho, aceita))
            return achado;
    }
    return nullptr;
}

QQuickItem *itemChamado(QQuickItem *item, const QString &nome)
{
    return itemQue(item, [&nome](QQuickItem *candidato) { return candidato->objectName() == nome; });
}
