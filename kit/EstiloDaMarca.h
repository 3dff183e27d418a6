// The three looks of the brand padlock: white padlock on a blue tile, blue padlock on a white
// tile, and the blue padlock alone. QML: `EstiloDaMarca.Azul`, `.Claro`, `.Cadeado`.
#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

namespace EstiloDaMarca {
Q_NAMESPACE
QML_ELEMENT

enum Estilo { Azul, Claro, Cadeado };
Q_ENUM_NS(Estilo)
} // namespace EstiloDaMarca
