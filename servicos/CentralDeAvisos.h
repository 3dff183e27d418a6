// The one short notice (toast) the application shows at a time, which clears itself shortly
// after the last one was posted, and the count of the user's copies in this run.
#pragma once

#include "servicos/Relogio.h"

#include <QObject>
#include <QString>
#include <QUuid>
#include <QVariant>

#include <chrono>
#include <optional>

// One toast. A fresh id per toast, so posting the same text twice is still a change.
struct Aviso {
    Q_GADGET
    Q_PROPERTY(QString id READ idEmTexto)
    Q_PROPERTY(QString texto MEMBER texto)
    Q_PROPERTY(QString simbolo MEMBER simbolo)
public:
    QUuid id;
    QString texto;
    QString simbolo; // symbol name drawn beside the text, e.g. "info.circle.fill"

    [[nodiscard]] QString idEmTexto() const { return id.toString(QUuid::WithoutBraces); }
    friend bool operator==(const Aviso &, const Aviso &) = default;
};

class CentralDeAvisos : public QObject {
    Q_OBJECT
    // The Aviso on show, or undefined.
    Q_PROPERTY(QVariant atual READ atualParaQml NOTIFY atualMudou)
    Q_PROPERTY(qint64 contadorDeCopias READ contadorDeCopias WRITE definirContadorDeCopias NOTIFY
                   contadorDeCopiasMudou)

public:
    // How long a toast stays after the last one was posted.
    static constexpr std::chrono::milliseconds duracao{1800};

    // The countdown runs on `relogio` (the system's clock when none is given).
    explicit CentralDeAvisos(QObject *parent = nullptr, Relogio *relogio = nullptr);

    // Shows a new toast at once, replacing the current one, and restarts the countdown that
    // clears it: an earlier countdown never removes a later toast.
    void mostrar(const QString &texto, const QString &simbolo);

    [[nodiscard]] const std::optional<Aviso> &atual() const { return atual_; }
    [[nodiscard]] QVariant atualParaQml() const { return atual_ ? QVariant::fromValue(*atual_) : QVariant(); }
    void definirAtual(const std::optional<Aviso> &aviso);

    // Only ever incremented, by the views after each copy.
    [[nodiscard]] qint64 contadorDeCopias() const { return contadorDeCopias_; }
    void definirContadorDeCopias(qint64 valor);

    // Whether a countdown is pending.
    [[nodiscard]] bool escondendo() const { return esconder_->ativa(); }

signals:
    void atualMudou();
    void contadorDeCopiasMudou();

private:
    std::optional<Aviso> atual_;
    qint64 contadorDeCopias_ = 0;
    // A child of the centre, so a released centre leaves no countdown behind.
    Contagem *esconder_;
};
