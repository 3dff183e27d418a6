// One of the showcase's soft blobs as a picture painted once and afterwards only moved: a disc of
// `raio` in `cor` at `alfa`, its edge blurred by `desfoque`, drawn as the radial gradient the blob
// always was, cut to the square where it is visible at all. The item sizes itself to that square;
// place its centre on the blob's centre. It keeps within the rounded panel of `larguraDoRecorte`
// × `alturaDoRecorte` and corner radius `raioDoRecorte` in its parent's coordinates (the parent
// clips the straight edges): only while it overlaps a rounded corner is it painted again as it
// moves, with that corner cut away.
#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QQuickPaintedItem>
#include <QtQml/qqmlregistration.h>

#include <atomic>

class ImagemDaMancha : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QColor cor READ cor WRITE definirCor NOTIFY formaMudou)
    Q_PROPERTY(double alfa READ alfa WRITE definirAlfa NOTIFY formaMudou)
    Q_PROPERTY(double raio READ raio WRITE definirRaio NOTIFY formaMudou)
    Q_PROPERTY(double desfoque READ desfoque WRITE definirDesfoque NOTIFY formaMudou)
    Q_PROPERTY(double larguraDoRecorte MEMBER larguraDoRecorte_ NOTIFY recorteMudou)
    Q_PROPERTY(double alturaDoRecorte MEMBER alturaDoRecorte_ NOTIFY recorteMudou)
    Q_PROPERTY(double raioDoRecorte MEMBER raioDoRecorte_ NOTIFY recorteMudou)
    // Times the picture was painted (for tests: moving clear of the corners paints nothing). The
    // count changes while the window draws, so it notifies nothing.
    Q_PROPERTY(int pinturas READ pinturas CONSTANT)

public:
    explicit ImagemDaMancha(QQuickItem *parent = nullptr);

    [[nodiscard]] QColor cor() const { return cor_; }
    void definirCor(const QColor &cor);
    [[nodiscard]] double alfa() const { return alfa_; }
    void definirAlfa(double alfa);
    [[nodiscard]] double raio() const { return raio_; }
    void definirRaio(double raio);
    [[nodiscard]] double desfoque() const { return desfoque_; }
    void definirDesfoque(double desfoque);
    [[nodiscard]] int pinturas() const { return pinturas_.load(); }

    void paint(QPainter *pintor) override;

    // The blob drawn whole on a square of side 2 (raio + 3 desfoque), cut to the smallest centred
    // square outside which every pixel is fully transparent.
    [[nodiscard]] static QImage desenhar(const QColor &cor, double alfa, double raio, double desfoque);

signals:
    void formaMudou();
    void recorteMudou();

protected:
    void geometryChange(const QRectF &nova, const QRectF &antiga) override;

private:
    void refazer();
    // The panel's corner squares this item's rectangle reaches with its top left at `posicao`, in
    // the item's coordinates there.
    [[nodiscard]] QList<QRectF> cantosTocados(QPointF posicao) const;
    void conferirCantos();

    QColor cor_ = Qt::blue;
    double alfa_ = 1;
    double raio_ = 0;
    double desfoque_ = 0;
    double larguraDoRecorte_ = 0;
    double alturaDoRecorte_ = 0;
    double raioDoRecorte_ = 0;
    QImage imagem_;
    bool cortada_ = false; // painted last with a corner cut away
    // Whether the painted picture is whole, so that a move may repaint only corner squares.
    // Touched on the main thread only: painting happens while the main thread waits (sync).
    bool pintadaInteira_ = false;
    std::atomic<int> pinturas_ = 0;
};
