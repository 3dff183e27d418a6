// A soft drop shadow of a rounded rectangle, blurred in software so it looks the same with any
// scene-graph backend. The shadowed shape is this item's rectangle less `margem` on every side
// (leave room for the blur), moved by the offsets.
#pragma once

#include <QColor>
#include <QQuickPaintedItem>
#include <QtQml/qqmlregistration.h>

class SombraSuave : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QColor cor MEMBER cor_ NOTIFY mudou)
    Q_PROPERTY(double raio MEMBER raio_ NOTIFY mudou)
    Q_PROPERTY(double desfoque MEMBER desfoque_ NOTIFY mudou)
    Q_PROPERTY(double margem MEMBER margem_ NOTIFY mudou)
    Q_PROPERTY(double deslocamentoX MEMBER deslocamentoX_ NOTIFY mudou)
    Q_PROPERTY(double deslocamentoY MEMBER deslocamentoY_ NOTIFY mudou)

public:
    explicit SombraSuave(QQuickItem *parent = nullptr);

    void paint(QPainter *pintor) override;

signals:
    void mudou();

private:
    QColor cor_ = QColor(0, 0, 0, 40);
    double raio_ = 0;
    double desfoque_ = 10;
    double margem_ = 20;
    double deslocamentoX_ = 0;
    double deslocamentoY_ = 0;
};
