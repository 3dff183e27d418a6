// One running application per user. The first start holds a lock file and listens on a local
// socket in the user's runtime directory that only the same user can open; a later start hands
// over what it was started with (a "corvane:" URL, or just "show yourself") and, on Wayland, the
// activation token its launcher gave it, and exits. Main thread.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <memory>

class EntradaPeloSafari;

class InstanciaUnica : public QObject {
    Q_OBJECT

public:
    enum class Papel {
        primeira,   // this process is the running instance and listens
        encaminhou, // another instance runs and got the message: exit
        falhou,     // neither listening nor forwarding worked: run on alone
    };

    // `base` names the socket and the lock beside it ("<base>" and "<base>.lock").
    explicit InstanciaUnica(QString base = basePadrao(), QObject *pai = nullptr);
    ~InstanciaUnica() override;

    // "$XDG_RUNTIME_DIR/corvane/instancia" when that folder is the user's own with mode 0700,
    // else "corvane/instancia" under the user's cache folder. Never a folder other accounts share:
    // the socket receives sign-in callbacks, which carry the provider's token and nonce.
    [[nodiscard]] static QString basePadrao();
    // The folder is a directory owned by this user with mode 0700 (links followed).
    [[nodiscard]] static bool pastaPropria(const QString &pasta);

    // Becomes the running instance, or forwards the first "corvane:" URL among `argumentos` (or
    // "show yourself" when there is none) to the one already running.
    Papel iniciar(const QStringList &argumentos);

    // The message a later start sends: "url <text>" for a "corvane:" URL, else "mostrar"; then,
    // when `tokenDeAtivacao` is a usable token, a second line "ativacao <token>". An instance that
    // reads only the first line still acts on it.
    [[nodiscard]] static QByteArray mensagemPara(const QStringList &argumentos, const QString &tokenDeAtivacao = {});

    // What a received message asks for. A message whose first line is neither command asks for
    // nothing, whatever follows; a bad or unknown second line is ignored.
    struct Pedido {
        enum class Tipo { nenhum, mostrar, url };
        Tipo tipo = Tipo::nenhum;
        QUrl url;
        QString tokenDeAtivacao;
    };
    [[nodiscard]] static Pedido interpretar(const QByteArray &mensagem);
    // A token as the xdg-activation protocol hands out: printable ASCII without spaces, short.
    [[nodiscard]] static bool tokenValido(const QString &token);
    // Makes the next window activation use `token`: Qt's Wayland platform reads (and clears)
    // XDG_ACTIVATION_TOKEN when a window asks to be activated. Nothing elsewhere.
    static void usarTokenDeAtivacao(const QString &token);

    // Hands every received URL to `entrada.receber` (on this thread, the main one).
    void encaminharPara(EntradaPeloSafari &entrada);

signals:
    // Emitted before the message's urlRecebida or mostrarPedido.
    void tokenDeAtivacaoRecebido(const QString &token);
    void urlRecebida(const QUrl &url);
    void mostrarPedido();

private:
    void novaConexao();
    void atender(const Pedido &pedido);
    bool enviar(const QByteArray &mensagem);

    QString base_;
    std::unique_ptr<QLockFile> trava_;
    QLocalServer servidor_;
};
