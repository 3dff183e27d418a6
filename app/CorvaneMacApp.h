// The application: the three long-lived objects (the central state, the update checker, the
// AutoFill status, created in that order), the main window "principal" with its menu commands
// and the watcher, the settings window, and the tray icon with its panel where the desktop has a
// tray. The panel's and the settings window's QML types are the program's to choose (the screens
// build on this frame); without a panel type a tray click opens the main window.
#pragma once

#include "app/ComandosDoMenu.h"
#include "app/VigiaDoMac.h"
#include "screens/menubar-settings/VerificadorDeAtualizacao.h"
#include "screens/vault/SituacaoDoPreenchimento.h"
#include "state/EstadoDoApp.h"

#include <QGuiApplication>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <memory>
#include <optional>

class QMenu;
class QSystemTrayIcon;

class CorvaneMacApp : public QObject {
    Q_OBJECT

public:
    // `argumentos` are the process's launch arguments (handed to the central state).
    explicit CorvaneMacApp(const QStringList &argumentos, QObject *pai = nullptr);
    ~CorvaneMacApp() override;

    // A window's QML type: its module and its name in it.
    struct TipoDeJanela {
        QString modulo;
        QString tipo;
    };
    // The panel's and the settings window's types, before `mostrar`. The panel gets the
    // properties "estado" and "atualizacao", the settings also "preenchimento".
    void usarJanelas(std::optional<TipoDeJanela> painel, TipoDeJanela ajustes);

    // Where the panel of `tamanho` goes: centred under the tray icon's `icone` (above it when the
    // icon sits in the screen's lower half), or under `cursor` when the tray gives no geometry;
    // kept inside the screen's available area `tela`.
    [[nodiscard]] static QPoint posicaoDoPainel(const QRect &icone, QSize tamanho, const QRect &tela,
                                                const QPoint &cursor);
    // Where a new window of `tamanho` goes: centred on the window `sobre`, kept inside the
    // screen's available area `tela` (its top-left corner when it is larger).
    [[nodiscard]] static QPoint posicaoCentrada(const QRect &sobre, QSize tamanho, const QRect &tela);

    // Builds the main window (and the tray icon where there is a tray) and shows it; false when
    // the window could not be built.
    bool mostrar();

public slots:
    // Shows the main window in front and active (tray menu, the panel, a second start),
    // building it again when it is gone.
    void abrirJanela();
    // Shows the settings window in front, building it on first use.
    void abrirAjustes();
    // A "corvane:" address from the browser (at start or forwarded by a second start): handed
    // to the shared Safari entry, and the main window comes to the front, so the user lands in
    // the vault rather than behind the browser.
    void receberEndereco(const QUrl &endereco);
    // Shows the tray panel under the tray icon (or the pointer), building it on first use.
    void abrirPainel();
    // The tray menu's "Bloquear o Corvane".
    void bloquear();
    // The tray menu's and the panel's "Sair": the application ends.
    void sair();

public:

    [[nodiscard]] EstadoDoApp &estado() { return estado_; }
    [[nodiscard]] QQuickWindow *principal() const { return principal_; }
    [[nodiscard]] QQuickWindow *ajustes() const { return ajustes_; }
    [[nodiscard]] QQuickWindow *painel() const { return painel_; }
    [[nodiscard]] QSystemTrayIcon *bandeja() const { return bandeja_.get(); }
    // The tray icon's context menu (built by `mostrar` even where there is no tray).
    [[nodiscard]] QMenu *menuDaBandeja() const { return menuDaBandeja_.get(); }

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

    // On `plataforma` "wayland", lets a resizable window take any size the compositor gives
    // (a tile narrower than its minimum) instead of being cropped; elsewhere nothing changes.
    static void aceitarTamanhoDoCompositor(QWindow *janela,
                                           const QString &plataforma = QGuiApplication::platformName());

private:
    bool criarPrincipal();
    QQuickWindow *criarJanela(const QString &modulo, const QString &tipo, const QVariantMap &propriedades);
    // Connects a QML signal of `janela` (when it declares one) to a slot of ours.
    void ligar(QQuickWindow *janela, const char *sinal, const char *slot);
    void aoAtivarBandeja(int motivo);
    // Places the panel for its current size by the anchor taken when it was opened.
    void posicionarPainel();

    // In the order of creation; destroyed after the windows that show them.
    EstadoDoApp estado_;
    VerificadorDeAtualizacao atualizacao_;
    SituacaoDoPreenchimento preenchimento_;
    ComandosDoMenu comandos_;
    VigiaDoMac vigia_;
    std::unique_ptr<QQmlEngine> motor_;
    QPointer<QQuickWindow> principal_;
    QPointer<QQuickWindow> ajustes_;
    QPointer<QQuickWindow> painel_;
    // What the panel was opened against: the tray icon (or nothing), the pointer, the work area.
    struct AncoraDoPainel {
        QRect icone;
        QPoint cursor;
        QRect area;
    };
    AncoraDoPainel ancoraDoPainel_;
    std::optional<TipoDeJanela> tipoDoPainel_;
    TipoDeJanela tipoDosAjustes_{QStringLiteral("Corvane.Quadro"), QStringLiteral("JanelaDeAjustes")};
    std::unique_ptr<QMenu> menuDaBandeja_;
    std::unique_ptr<QSystemTrayIcon> bandeja_;
};
