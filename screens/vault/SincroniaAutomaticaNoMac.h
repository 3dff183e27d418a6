// Keeps the open vault fresh while the vault window is on screen: every 20 seconds on the
// screens' clock, while the application is in the foreground, it syncs the state's open store,
// and it syncs at once whenever any of our windows gains focus. The interval counts from the end
// of the previous sync; a store replaced while the window stays (a sign-in again with a fresh
// store) is followed from a new full sleep. It ends for good when cancelled, when the window
// goes, or when the vault is no longer open; after that it starts no sync, not even one whose
// sleep was under way. It only starts syncs: the store records the
// outcome in its flags.
#pragma once

#include "state/EstadoDoApp.h"
#include "vault/Cofre.h"

#include <QCoro/QCoroTask>
#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QQmlParserStatus>
#include <QtQml/qqmlregistration.h>

class QWindow;

class SincroniaAutomaticaNoMac : public QObject, public QQmlParserStatus {
    Q_OBJECT
    QML_ELEMENT
    Q_INTERFACES(QQmlParserStatus)
    Q_PROPERTY(EstadoDoApp *estado READ estado WRITE definirEstado NOTIFY estadoMudou)
    // False once the loop has ended.
    Q_PROPERTY(bool ativa READ ativa NOTIFY ativaMudou)

public:
    explicit SincroniaAutomaticaNoMac(QObject *pai = nullptr);
    ~SincroniaAutomaticaNoMac() override;

    [[nodiscard]] EstadoDoApp *estado() const { return estado_; }
    void definirEstado(EstadoDoApp *estado);
    [[nodiscard]] bool ativa() const { return comecou_ && !encerrada_; }

    // Ends the loop (the window is going away).
    Q_INVOKABLE void cancelar();

    void classBegin() override {}
    void componentComplete() override;

signals:
    void estadoMudou();
    void ativaMudou();

private:
    void comecar();
    void aoPassarOTempo();
    void aoFocarJanela(QWindow *janela);
    void aoTrocarDeCofre();
    [[nodiscard]] bool cofreAtual() const;
    static QCoro::Task<> passo(QPointer<SincroniaAutomaticaNoMac> eu, QPointer<Cofre> cofre);

    QPointer<EstadoDoApp> estado_;
    QPointer<Cofre> cofre_; // the store open when the loop started
    QDateTime inicioDoSono_;
    bool comecou_ = false;
    bool encerrada_ = false;
    bool sincronizando_ = false;
    bool completo_ = false;
};
