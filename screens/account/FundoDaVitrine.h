// The showcase's background as one picture: the soft blue rounded panel, its field of faint dots
// and the drifting blobs over them, composed here and shown as horizontal bands of texture: opaque
// between the rounded corners, with the corners cut away in the strips above and below. The
// software renderer then copies one opaque picture where it used to blend four layers, and
// draws nothing under it. When a blob moves, only the squares it left and entered are composed
// again, and only the bands they reach are replaced and drawn again.
#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPointer>
#include <QQmlListProperty>
#include <QQuickItem>
#include <QRegion>
#include <QtQml/qqmlregistration.h>

// One soft blob: a disc of `raio` in `cor` at `alfa`, its edge blurred by `desfoque`, centred on
// `centro` (in the background's coordinates, placed on whole points).
class ManchaDoFundo : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QColor cor READ cor WRITE definirCor NOTIFY formaMudou)
    Q_PROPERTY(double alfa READ alfa WRITE definirAlfa NOTIFY formaMudou)
    Q_PROPERTY(double raio READ raio WRITE definirRaio NOTIFY formaMudou)
    Q_PROPERTY(double desfoque READ desfoque WRITE definirDesfoque NOTIFY formaMudou)
    Q_PROPERTY(QPointF centro READ centro WRITE definirCentro NOTIFY centroMudou)

public:
    using QObject::QObject;

    [[nodiscard]] QColor cor() const { return cor_; }
    void definirCor(const QColor &cor);
    [[nodiscard]] double alfa() const { return alfa_; }
    void definirAlfa(double alfa);
    [[nodiscard]] double raio() const { return raio_; }
    void definirRaio(double raio);
    [[nodiscard]] double desfoque() const { return desfoque_; }
    void definirDesfoque(double desfoque);
    [[nodiscard]] QPointF centro() const { return centro_; }
    void definirCentro(QPointF centro);

    // The picture, drawn on first use after a change of shape.
    [[nodiscard]] const QImage &imagem();
    // Where the picture stands: its square around `centro`, the top left on a whole point.
    [[nodiscard]] QRect lugar();

    // The blob drawn whole on a square of side 2 (raio + 3 desfoque), cut to the smallest centred
    // square outside which every pixel is fully transparent.
    [[nodiscard]] static QImage desenhar(const QColor &cor, double alfa, double raio, double desfoque);

signals:
    void formaMudou();
    void centroMudou();

private:
    void mudarForma();

    QColor cor_ = Qt::blue;
    double alfa_ = 1;
    double raio_ = 0;
    double desfoque_ = 0;
    QPointF centro_;
    QImage imagem_;
    bool desenhada_ = false;
};

class FundoDaVitrine : public QQuickItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QColor cor READ cor WRITE definirCor NOTIFY corMudou)
    Q_PROPERTY(double raioDoRecorte READ raioDoRecorte WRITE definirRaioDoRecorte NOTIFY raioDoRecorteMudou)
    // The blobs over the panel, back to front.
    Q_PROPERTY(QQmlListProperty<ManchaDoFundo> manchas READ manchas NOTIFY manchasMudaram)
    // Pixels composed so far (for tests: a frame where nothing moved composes nothing). The count
    // changes while the window draws, so it notifies nothing.
    Q_PROPERTY(qint64 pixelsCompostos READ pixelsCompostos CONSTANT)

public:
    explicit FundoDaVitrine(QQuickItem *parent = nullptr);
    ~FundoDaVitrine() override;

    [[nodiscard]] QColor cor() const { return cor_; }
    void definirCor(const QColor &cor);
    [[nodiscard]] double raioDoRecorte() const { return raioDoRecorte_; }
    void definirRaioDoRecorte(double raio);
    [[nodiscard]] QQmlListProperty<ManchaDoFundo> manchas();
    [[nodiscard]] qint64 pixelsCompostos() const { return pixelsCompostos_; }

    // The whole background composed from nothing, `escala` device pixels to the point: the picture
    // the textures always add up to.
    [[nodiscard]] static QImage compor(QSizeF tamanho, qreal escala, const QColor &cor, double raioDoRecorte,
                                       const QList<ManchaDoFundo *> &manchas);

signals:
    void corMudou();
    void raioDoRecorteMudou();
    void manchasMudaram();

protected:
    QSGNode *updatePaintNode(QSGNode *antigo, UpdatePaintNodeData *) override;
    void geometryChange(const QRectF &nova, const QRectF &antiga) override;
    void itemChange(ItemChange mudanca, const ItemChangeData &dados) override;

private:
    // One band: its rows of the panel, in device pixels, and its picture.
    struct Faixa {
        QRect linhas;
        QImage imagem; // opaque for the middle band, with alpha for the strips
        QImage mascara; // the strips' rounded corners as alpha; null for the middle band
    };

    static void anexar(QQmlListProperty<ManchaDoFundo> *lista, ManchaDoFundo *mancha);
    static qsizetype contar(QQmlListProperty<ManchaDoFundo> *lista);
    static ManchaDoFundo *em(QQmlListProperty<ManchaDoFundo> *lista, qsizetype i);
    static void limpar(QQmlListProperty<ManchaDoFundo> *lista);

    [[nodiscard]] QList<ManchaDoFundo *> vivas() const;
    // Everything is composed again on the next frame (a new size, colour, radius or set of blobs).
    void refazer();
    // A blob moved or changed shape: the square it left and the one it now takes are composed again.
    // `forma`: its picture changed too, so its square is composed again even where it stayed.
    void manchaMudou(ManchaDoFundo *mancha, bool forma);
    [[nodiscard]] QRect emPixels(const QRect &pontos) const;
    void prepararFaixas();
    void comporRegiao(const QRegion &regiao);

    QColor cor_ = Qt::white;
    double raioDoRecorte_ = 0;
    QList<QPointer<ManchaDoFundo>> manchas_;
    QList<QRect> lugares_; // each blob's square as last composed, in points

    // Touched on the main thread, or while it waits for the scene graph's sync.
    qreal escala_ = 1;
    bool refazer_ = true;
    QRegion pendente_; // device pixels still to compose
    QImage base_;      // the panel and its dots, opaque, whole panel in device pixels
    QList<Faixa> faixas_;
    qint64 pixelsCompostos_ = 0;
};
