// The one clock of the screens' timelines (code grids, countdowns, loops): QML reads
// `Relogio.agora` and binds to it instead of running timers of its own. It ticks on each whole
// second of the time source; tests replace the source and move time by hand, so a screenshot
// shows a defined moment.
#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>
#include <QtQml/qqmlregistration.h>

#include <functional>

class QJSEngine;
class QQmlEngine;

class RelogioDasTelas : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(Relogio)
    QML_SINGLETON
    Q_PROPERTY(QDateTime agora READ agora NOTIFY agoraMudou)
    Q_PROPERTY(qint64 segundos READ segundos NOTIFY agoraMudou)

public:
    using Fonte = std::function<QDateTime()>;

    // The process's clock, shared by every engine.
    [[nodiscard]] static RelogioDasTelas &instancia();
    [[nodiscard]] static RelogioDasTelas *create(QQmlEngine *, QJSEngine *);

    [[nodiscard]] QDateTime agora() const { return agora_; }
    // Whole seconds since the Unix epoch of `agora`.
    [[nodiscard]] qint64 segundos() const { return agora_.toSecsSinceEpoch(); }

    // Reads time from `fonte` from now on, without ticking by itself (tests), and reads it once.
    void usarFonte(Fonte fonte);
    // Back to the system's clock, ticking every whole second.
    void usarRelogioDoSistema();
    // Reads the source again; `agoraMudou` is emitted when the time differs.
    void atualizar();

signals:
    void agoraMudou();

private:
    RelogioDasTelas();
    void agendarTique();

    Fonte fonte_;
    QDateTime agora_;
    QTimer tique_;
};
