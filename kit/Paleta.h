// The thirteen named colours every screen draws with, for C++ (the constants) and for QML
// (the `Paleta` singleton: `Paleta.azul`, `Paleta.texto`, …).
#pragma once

#include <QColor>
#include <QObject>
#include <QtQml/qqmlregistration.h>

namespace cores {
// sRGB, opaque. `tinta`/`texto` and `borda`/`trilho` share a value but keep separate roles.
inline constexpr QRgb tinta = 0xFF141922;
inline constexpr QRgb azul = 0xFF3B74FF;
inline constexpr QRgb azulClaro = 0xFFEAF0FF;
inline constexpr QRgb fundo = 0xFFF3F6FD;
inline constexpr QRgb superficie = 0xFFFFFFFF;
inline constexpr QRgb borda = 0xFFE6EAF1;
inline constexpr QRgb trilho = 0xFFE6EAF1;
inline constexpr QRgb texto = 0xFF141922;
inline constexpr QRgb textoSecundario = 0xFF5B6475;
inline constexpr QRgb textoApagado = 0xFF8A93A3;
inline constexpr QRgb vermelho = 0xFFDC2626;
inline constexpr QRgb ambar = 0xFFC98A16;
inline constexpr QRgb verde = 0xFF1E9E5A;
} // namespace cores

class Paleta : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QColor tinta READ tinta CONSTANT)
    Q_PROPERTY(QColor azul READ azul CONSTANT)
    Q_PROPERTY(QColor azulClaro READ azulClaro CONSTANT)
    Q_PROPERTY(QColor fundo READ fundo CONSTANT)
    Q_PROPERTY(QColor superficie READ superficie CONSTANT)
    Q_PROPERTY(QColor borda READ borda CONSTANT)
    Q_PROPERTY(QColor trilho READ trilho CONSTANT)
    Q_PROPERTY(QColor texto READ texto CONSTANT)
    Q_PROPERTY(QColor textoSecundario READ textoSecundario CONSTANT)
    Q_PROPERTY(QColor textoApagado READ textoApagado CONSTANT)
    Q_PROPERTY(QColor vermelho READ vermelho CONSTANT)
    Q_PROPERTY(QColor ambar READ ambar CONSTANT)
    Q_PROPERTY(QColor verde READ verde CONSTANT)

public:
    using QObject::QObject;

    [[nodiscard]] static QColor tinta() { return QColor::fromRgb(cores::tinta); }
    [[nodiscard]] static QColor azul() { return QColor::fromRgb(cores::azul); }
    [[nodiscard]] static QColor azulClaro() { return QColor::fromRgb(cores::azulClaro); }
    [[nodiscard]] static QColor fundo() { return QColor::fromRgb(cores::fundo); }
    [[nodiscard]] static QColor superficie() { return QColor::fromRgb(cores::superficie); }
    [[nodiscard]] static QColor borda() { return QColor::fromRgb(cores::borda); }
    [[nodiscard]] static QColor trilho() { return QColor::fromRgb(cores::trilho); }
    [[nodiscard]] static QColor texto() { return QColor::fromRgb(cores::texto); }
    [[nodiscard]] static QColor textoSecundario() { return QColor::fromRgb(cores::textoSecundario); }
    [[nodiscard]] static QColor textoApagado() { return QColor::fromRgb(cores::textoApagado); }
    [[nodiscard]] static QColor vermelho() { return QColor::fromRgb(cores::vermelho); }
    [[nodiscard]] static QColor ambar() { return QColor::fromRgb(cores::ambar); }
    [[nodiscard]] static QColor verde() { return QColor::fromRgb(cores::verde); }
};
