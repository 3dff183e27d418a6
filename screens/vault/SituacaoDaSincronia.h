// What the sidebar's status line shows, from the open store's flags and the central state: the
// state of the line (ended session, offline, failed, idle) and the idle text, which follows a
// timeline of 15-second ticks on the screens' clock. Its buttons start a sync without waiting
// for it; the outcome comes back through the flags.
#pragma once

#include "state/EstadoDoApp.h"
#include "vault/Cofre.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QtQml/qqmlregistration.h>

class SituacaoDaSincronia : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(EstadoDoApp *estado READ estado WRITE definirEstado NOTIFY estadoMudou)
    // "sessaoEncerrada", "semConexao", "falhou" or "ocioso".
    Q_PROPERTY(QString estadoDaLinha READ estadoDaLinha NOTIFY linhaMudou)
    Q_PROPERTY(bool sincronizando READ sincronizando NOTIFY linhaMudou)
    // The idle line's text at the current tick.
    Q_PROPERTY(QString textoOcioso READ textoOcioso NOTIFY linhaMudou)
    // The moment of the current tick.
    Q_PROPERTY(QDateTime tique READ tique NOTIFY linhaMudou)

public:
    explicit SituacaoDaSincronia(QObject *pai = nullptr);

    [[nodiscard]] EstadoDoApp *estado() const { return estado_; }
    void definirEstado(EstadoDoApp *estado);
    [[nodiscard]] QString estadoDaLinha() const;
    [[nodiscard]] bool sincronizando() const { return cofre_ && cofre_->sincronizando(); }
    [[nodiscard]] QString textoOcioso() const;
    [[nodiscard]] QDateTime tique() const { return tique_; }

    // "Tentar de novo" and the idle line: one sync of the open store, not awaited.
    Q_INVOKABLE void sincronizar();

signals:
    void estadoMudou();
    void linhaMudou();

private:
    void seguirCofre();
    void aoPassarOTempo();

    QPointer<EstadoDoApp> estado_;
    QPointer<Cofre> cofre_;
    QDateTime tique_;
};
