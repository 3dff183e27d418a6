// The brand padlock's shackle as a picture: the closed shackle, or the shackle turned by `giro`
// degrees about its right leg and lifted by `subida` units (`girando`), stroked 7 units wide with
// round caps and joins in `cor` on the padlock's 120-unit grid, which fills the item. It is
// painted again only when the shape or colour really changes; a change then costs the window one
// frame and only this item's square (a Shape whose path changes is built again while the window
// polishes it, which asks the window for a second frame).
#pragma once

#include <QColor>
#include <QPainterPath>
#include <QQuickPaintedItem>
#include <QtQml/qqmlregistration.h>

#include <atomic>

class AlcaDoCadeado : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QColor cor READ cor WRITE definirCor NOTIFY formaMudou)
    Q_PROPERTY(bool girando READ girando WRITE definirGirando NOTIFY formaMudou)
    Q_PROPERTY(double giro READ giro WRITE definirGiro NOTIFY formaMudou)
    Q_PROPERTY(double subida READ subida WRITE definirSubida NOTIFY formaMudou)
    // Times the shackle was painted (for tests: a hold of the cycle paints nothing). The count
    // changes while the window draws, so it notifies nothing.
    Q_PROPERTY(int pinturas READ pinturas CONSTANT)

public:
    explicit AlcaDoCadeado(QQuickItem *parent = nullptr);

    [[nodiscard]] QColor cor() const { return cor_; }
    void definirCor(const QColor &cor);
    [[nodiscard]] bool girando() const { return girando_; }
    void definirGirando(bool girando);
    [[nodiscard]] double giro() const { return giro_; }
    void definirGiro(double giro);
    [[nodiscard]] double subida() const { return subida_; }
    void definirSubida(double subida);
    [[nodiscard]] int pinturas() const { return pinturas_.load(); }

    // The shape drawn, in grid units, before the glyph's common move down.
    [[nodiscard]] QPainterPath caminho() const;

    void paint(QPainter *pintor) override;

signals:
    void formaMudou();

private:
    void mudou();

    QColor cor_ = Qt::white;
    bool girando_ = false;
    double giro_ = 0;
    double subida_ = 0;
    std::atomic<int> pinturas_ = 0;
};
