// The one source of "now" for everything timed (the toast's countdown, and the code grids, the
// sync loop and the clipboard as they come): the system's clock in the application, a clock a
// test moves by hand.
#pragma once

#include <QDateTime>
#include <QObject>

#include <chrono>
#include <functional>

// A single-shot countdown of a `Relogio`.
class Contagem : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // (Re)starts: `terminou` comes once, `duracao` from now, unless stopped or restarted first.
    virtual void iniciar(std::chrono::milliseconds duracao) = 0;
    virtual void parar() = 0;
    [[nodiscard]] virtual bool ativa() const = 0;

signals:
    void terminou();
};

class Relogio {
public:
    virtual ~Relogio() = default;

    // The current wall-clock time, in UTC.
    [[nodiscard]] virtual QDateTime agora() const = 0;
    // A new, stopped countdown on this clock, owned by `pai`.
    [[nodiscard]] virtual Contagem *novaContagem(QObject *pai) = 0;
    // Runs `acao` once, `espera` from now on this clock, unless `dono` is gone first.
    void depoisDe(std::chrono::milliseconds espera, QObject *dono, std::function<void()> acao);

    // The system's clock (a process-wide instance).
    [[nodiscard]] static Relogio &doSistema();
};
