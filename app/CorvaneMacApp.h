// The application: the three long-lived objects (the central state, the update checker, the
// AutoFill status, created in that order), the main window "principal" with its menu commands
// and the watcher, the settings window, and the tray icon where the desktop has a tray.
#pragma once

#include "app/ComandosDoMenu.h"
#include "app/SituacaoDoPreenchimento.h"
#include "app/VerificadorDeAtualizacao.h"
#include "app/VigiaDoMac.h"
#include "state/EstadoDoApp.h"

#include <QObject>
#include <QPointer>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QSystemTrayIcon;

class CorvaneMacApp : public QObject {
    Q_OBJECT

public:
    // `argumentos` are the process's launch arguments (handed to the central state).
    explicit CorvaneMacApp(const QStringList &argumentos, QObject *pai = nullptr);
    ~CorvaneMacApp() override;

    // The Basic style and the light look, before any window exists.
    static void prepararAparencia();

    // Builds the main window (and the tray icon where there is a tray) and shows it; false when
    // the window could not be built.
    bool mostrar();

public slots:
    // Shows the main window in front (tray click, a second start).
    void abrirJanela();
    // Shows the settings window in front, building it on first use.
    void abrirAjustes();

public:

    [[nodiscard]] EstadoDoApp &estado() { return estado_; }
    [[nodiscard]] QQuickWindow *principal() const { return principal_; }
    [[nodiscard]] QQuickWindow *ajustes() const { return ajustes_; }

    // The option "--servidor <base>" (http or https with a host): the API and the web site of
    // this run. Removed from `argumentos`; gives the base, or nothing when absent. A malformed
    // value is an error (the text says why), so a typo never sends a run to the built-in server.
    struct Servidor {
        std::optional<QString> base;
        QString erro;
    };
    [[nodiscard]] static Servidor lerServidor(QStringList &argumentos);
    // Puts `base` over the bundle's API and site addresses for this process.
    static void usarServidor(const QString &base);

private:
    QQuickWindow *criarJanela(const QString &modulo, const QString &tipo, const QVariantMap &propriedades);

    // In the order of creation; destroyed after the windows that show them.
    EstadoDoApp estado_;
    VerificadorDeAtualizacao atualizacao_;
    SituacaoDoPreenchimento preenchimento_;
    ComandosDoMenu comandos_;
    VigiaDoMac vigia_;
    std::unique_ptr<QQmlEngine> motor_;
    QPointer<QQuickWindow> principal_;
    QPointer<QQuickWindow> ajustes_;
    std::unique_ptr<QSystemTrayIcon> bandeja_;
};
