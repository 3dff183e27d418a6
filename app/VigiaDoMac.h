// The watcher that locks the vault when this computer sleeps, its screen locks or the user's
// session is switched away, and that tells the state when the application leaves and returns to
// the foreground (the automatic lock's timing).
//
// Sources: logind on the system bus (the manager's PrepareForSleep(true); this session's Lock
// signal and its "Active" property turning false), the screen saver on the session bus
// (org.freedesktop.ScreenSaver and org.gnome.ScreenSaver ActiveChanged(true)), and the
// application's state. A missing bus gives no events and no failure.
//
// Focus moving between our own windows (main window, settings, tray panel, owner prompt, an
// in-process file dialog) is not leaving the foreground: the platform may report the application
// inactive for an instant while focus passes from one window to the next, so leaving counts only
// when the application is still inactive after a short grace period.
#pragma once

#include "servicos/Relogio.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <chrono>
#include <functional>

class EstadoDoApp;

class VigiaDoMac : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds tolerancia{500};

    // Over the real buses and the application's state changes.
    explicit VigiaDoMac(QObject *pai = nullptr);
    // Over given buses (tests use one private bus for both); `seguirAplicacao` false leaves the
    // application's state to `aoMudarEstadoDaAplicacao` calls.
    VigiaDoMac(QDBusConnection sistema, QDBusConnection sessao, bool seguirAplicacao,
               Relogio &relogio = Relogio::doSistema(), QObject *pai = nullptr);

    // Connects the four events to the state: sleep, screen lock and session switch lock
    // (EstadoDoApp::bloquear); leaving and returning time the automatic lock.
    void instalar(EstadoDoApp &estado);

    // This session's logind object path once known; empty before (or without logind).
    [[nodiscard]] const QString &caminhoDaSessao() const { return caminhoDaSessao_; }

public slots:
    void aoMudarEstadoDaAplicacao(Qt::ApplicationState estado);

signals:
    void adormecendo();         // the computer is about to sleep, or its screen locked
    void sessaoSaiu();          // the session was locked or switched away
    void foiParaSegundoPlano(); // the application left the foreground (after the grace period)
    void voltouAoPrimeiroPlano();
    void sessaoEncontrada();    // caminhoDaSessao is known

private slots:
    // D-Bus signal receivers (QtDBus connects only by slot signature).
    void aoPrepararParaDormir(bool comecando);
    void aoTravarSessao();
    void aoMudarPropriedades(const QString &interface, const QVariantMap &mudadas, const QStringList &invalidadas);
    void aoMudarProtecaoDeTela(bool ativa);

private:
    void procurarSessao();
    void seguirSessao(const QString &caminho);

    QDBusConnection sistema_;
    QDBusConnection sessao_;
    Relogio &relogio_;
    QString caminhoDaSessao_;
    bool ativa_ = true;      // as last reported to the state
    quint64 geracao_ = 0;    // invalidates pending grace checks
    Qt::ApplicationState ultimoEstado_ = Qt::ApplicationActive;
};
