// The class check "nothing is drawn outside its scrolling area": every visible view that can
// scroll must have its drawing cut, by itself or by an item around it, no further than a small
// margin (room for shadows) beyond its own edges along the axis it scrolls.
#pragma once

#include <QQuickItem>
#include <QStringList>

// The scrolling views under `raiz` whose content can be drawn more than `folga` points outside
// them, each named by its objectName (or class) and the edge it overflows.
[[nodiscard]] QStringList rolagensQueVazam(QQuickItem *raiz, double folga = 16);
