// The lock screen's state and rules: the one automatic unlock attempt per lock, the unlock
// button with at most one attempt in flight (presses while the owner prompt is up do nothing),
// the button's label for this computer, and sign-out through its confirmation.
#pragma once

#include <QCoro/QCoroTask>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include "state/EstadoDoApp.h"

class Desbloqueio : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(EstadoDoApp *estado READ estado WRITE definirEstado NOTIFY estadoMudou)
    // The account's e-mail, or empty without an account record.
    Q_PROPERTY(QString email READ email NOTIFY emailMudou)
    // "Desbloquear com " and the owner check's name, with its symbol; asked afresh on each read.
    Q_PROPERTY(QString textoDoBotao READ textoDoBotao CONSTANT)
    Q_PROPERTY(QString simboloDoBotao READ simboloDoBotao CONSTANT)
    // What the sign-out confirmation says, as this computer says it.
    Q_PROPERTY(QString mensagemDaSaida READ mensagemDaSaida CONSTANT)
    // An unlock attempt (the automatic one included, from its short wait on) is in flight.
    Q_PROPERTY(bool tentando READ tentando NOTIFY tentandoMudou)
    Q_PROPERTY(bool confirmandoSaida READ confirmandoSaida WRITE definirConfirmandoSaida NOTIFY
                   confirmandoSaidaMudou)

public:
    explicit Desbloqueio(QObject *pai = nullptr);

    [[nodiscard]] EstadoDoApp *estado() const { return estado_; }
    void definirEstado(EstadoDoApp *estado);
    [[nodiscard]] QString email() const;
    [[nodiscard]] static QString textoDoBotao();
    [[nodiscard]] static QString simboloDoBotao();
    [[nodiscard]] static QString mensagemDaSaida();
    [[nodiscard]] bool tentando() const { return tentando_; }
    [[nodiscard]] bool confirmandoSaida() const { return confirmandoSaida_; }
    void definirConfirmandoSaida(bool valor);

    // The screen came on screen: the automatic attempt, when this lock has not used it yet.
    Q_INVOKABLE void aparecer();
    // The unlock button; does nothing while an attempt is in flight.
    Q_INVOKABLE void desbloquear();
    // "Sair" in the confirmation: the dialog closes and the account leaves this computer.
    Q_INVOKABLE void sair();

signals:
    void estadoMudou();
    void emailMudou();
    void tentandoMudou();
    void confirmandoSaidaMudou();
    // An attempt ended without opening the vault: the unlock button takes the keyboard again.
    void focoPedido();

private:
    // Runs one attempt (automatic or not), marking it in flight. Not awaited by anyone.
    QCoro::Task<> tentar(bool automatica);
    void definirTentando(bool valor);

    QPointer<EstadoDoApp> estado_;
    QMetaObject::Connection contaMudou_;
    bool tentando_ = false;
    bool confirmandoSaida_ = false;
};
