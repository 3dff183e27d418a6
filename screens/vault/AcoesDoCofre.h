// What the vault window's buttons and menus start on the central state and the open store:
// a sync, the lock, the sign-out and the release of the password and note sections. Each task
// runs on the main thread and holds the state and store weakly, so a lock or a sign-out while
// it waits just ends it. Nothing here reports an outcome: the state's and the store's flags do.
#pragma once

#include "state/EstadoDoApp.h"
#include "vault/Cofre.h"

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

class AcoesDoCofre : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(EstadoDoApp *estado READ estado WRITE definirEstado NOTIFY estadoMudou)
    // The lock commands are offered only while app protection is on.
    Q_PROPERTY(bool podeBloquear READ podeBloquear NOTIFY podeBloquearMudou)

public:
    using QObject::QObject;

    [[nodiscard]] EstadoDoApp *estado() const { return estado_; }
    void definirEstado(EstadoDoApp *estado);
    [[nodiscard]] bool podeBloquear() const;

    // Syncs the open store (a sync under way makes it return at once).
    Q_INVOKABLE void sincronizar();
    // The lock command; the state refuses it without protection or owner authentication.
    Q_INVOKABLE void bloquear();
    // Signs out, wiping this computer's data of the account.
    Q_INVOKABLE void sair();
    // Asks the owner, then opens the password and note sections.
    Q_INVOKABLE void liberarSecoes();

signals:
    void estadoMudou();
    void podeBloquearMudou();

private:
    QPointer<EstadoDoApp> estado_;
    QMetaObject::Connection ligacao_;
};
