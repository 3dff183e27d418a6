// Searches through an item's visual children, which reach what object children do not (a
// Loader's item, for one, has no object parent).
#pragma once

#include <QQuickItem>
#include <QString>

#include <functional>

// The first item under `item`, itself included, that `aceita`, depth first; null when none.
[[nodiscard]] QQuickItem *itemQue(QQuickItem *item, const std::function<bool(QQuickItem *)> &aceita);
// The first item under `item`, itself included, with this objectName.
[[nodiscard]] QQuickItem *itemChamado(QQuickItem *item, const QString &nome);
