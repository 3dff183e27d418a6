// The signed-in account as the sidebar's account card shows it: the avatar's letter, the first
// name and the e-mail, with "?" and "Sua conta" while the state holds no account.
#pragma once

#include "state/EstadoDoApp.h"
#include "vault/Cofre.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QtQml/qqmlregistration.h>

class ContaNaTela : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(EstadoDoApp *estado READ estado WRITE definirEstado NOTIFY estadoMudou)
    Q_PROPERTY(QString inicial READ inicial NOTIFY contaMudou)
    Q_PROPERTY(QString nome READ nome NOTIFY contaMudou)
    Q_PROPERTY(QString email READ email NOTIFY contaMudou)

public:
    using QObject::QObject;

    [[nodiscard]] EstadoDoApp *estado() const { return estado_; }
    void definirEstado(EstadoDoApp *estado);
    [[nodiscard]] QString inicial() const;
    [[nodiscard]] QString nome() const;
    [[nodiscard]] QString email() const;

signals:
    void estadoMudou();
    void contaMudou();

private:
    QPointer<EstadoDoApp> estado_;
    QMetaObject::Connection ligacao_;
};
