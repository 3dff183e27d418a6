// One symbol of the table drawn in a single colour, scaled to fit its item (16 × 16 by default).
// QML: `Simbolo { nome: "checkmark.circle.fill"; cor: Paleta.azul; width: 18; height: 18 }`.
#pragma once

#include <QColor>
#include <QQuickPaintedItem>
#include <QString>
#include <QtQml/qqmlregistration.h>

class Simbolo : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString nome READ nome WRITE definirNome NOTIFY nomeMudou)
    Q_PROPERTY(QColor cor READ cor WRITE definirCor NOTIFY corMudou)
    // Whether the name resolved to a drawing.
    Q_PROPERTY(bool encontrado READ encontrado NOTIFY nomeMudou)

public:
    explicit Simbolo(QQuickItem *parent = nullptr);

    [[nodiscard]] QString nome() const { return nome_; }
    void definirNome(const QString &nome);
    [[nodiscard]] QColor cor() const { return cor_; }
    void definirCor(const QColor &cor);
    [[nodiscard]] bool encontrado() const;

    void paint(QPainter *pintor) override;

signals:
    void nomeMudou();
    void corMudou();

private:
    QString nome_;
    QColor cor_ = Qt::black;
};
