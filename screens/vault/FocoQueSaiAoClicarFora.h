// Ends the keyboard focus of an item when the user presses the mouse anywhere else in its
// window (a card, a row, the background), as a desktop text field does. The press itself goes on
// to whatever is under it.
#pragma once

#include <QObject>
#include <QPointer>
#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

class QQuickWindow;

class FocoQueSaiAoClicarFora : public QObject {
    Q_OBJECT
    QML_ELEMENT
    // The item whose focus ends.
    Q_PROPERTY(QQuickItem *alvo READ alvo WRITE definirAlvo NOTIFY alvoMudou)
    // What counts as inside (the field with its own buttons); the target itself when unset.
    Q_PROPERTY(QQuickItem *area READ area WRITE definirArea NOTIFY areaMudou)

public:
    explicit FocoQueSaiAoClicarFora(QObject *pai = nullptr) : QObject(pai) {}

    [[nodiscard]] QQuickItem *alvo() const { return alvo_; }
    void definirAlvo(QQuickItem *alvo);
    [[nodiscard]] QQuickItem *area() const { return area_; }
    void definirArea(QQuickItem *area);

signals:
    void alvoMudou();
    void areaMudou();

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void vigiar(QQuickWindow *janela);

    QPointer<QQuickItem> alvo_;
    QPointer<QQuickItem> area_;
    QPointer<QQuickWindow> janela_;
};
