// The application's half of a sign-in that happens on the service's web site: it opens the
// site's sign-in page in the browser with an ephemeral P-256 public key in the address, waits
// for the browser to come back on the "corvane" URL scheme, and reads the callback — a
// provider's identity token, or a passkey envelope that only the ephemeral key opens, holding a
// session and the raw vault key. Main thread only.
#pragma once

#include "api/Respostas.h"
#include "state/ErroDeEntradaSocial.h"

#include <QByteArray>
#include <QCoro/QCoroTask>
#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>
#include <variant>

namespace Primitivas {
class ParP256;
}

class EntradaPeloSafari : public QObject {
    Q_OBJECT
    Q_PROPERTY(EntradaPeloSafari::TextoOpcional aguardando READ aguardando NOTIFY aguardandoMudou)
    Q_PROPERTY(EntradaPeloSafari::UrlOpcional retornoAvulso READ retornoAvulso WRITE definirRetornoAvulso NOTIFY
                   retornoAvulsoMudou)
    Q_PROPERTY(EntradaPeloSafari::UrlOpcional ultimoEndereco READ ultimoEndereco NOTIFY ultimoEnderecoMudou)

public:
    using TextoOpcional = std::optional<QString>;
    using UrlOpcional = std::optional<QUrl>;
    // Opens an address in the browser; replaced in tests to record what would be opened.
    using Abridor = std::function<void(const QUrl &)>;

    // What a wait brings back.
    struct Resultado {
        // A provider sign-in: the identity token and its nonce, to be checked with the server.
        struct Social {
            QString token;
            QString nonce;
            std::optional<QString> nome; // never an empty text

            friend bool operator==(const Social &, const Social &) = default;
        };
        // A passkey sign-in: a complete session answer and the raw vault key (32 bytes).
        struct Cofre {
            RespostaDeSessao sessao;
            QByteArray chave;

            friend bool operator==(const Cofre &, const Cofre &) = default;
        };

        std::variant<Social, Cofre> caso;

        [[nodiscard]] const Social *social() const { return std::get_if<Social>(&caso); }
        [[nodiscard]] const Cofre *cofre() const { return std::get_if<Cofre>(&caso); }

        friend bool operator==(const Resultado &, const Resultado &) = default;
    };

    // The associated data and HKDF info of the passkey envelope.
    static constexpr const char *rotuloDoEnvelope = "corvane/v1/envelope-do-app";

    // Every field absent; the browser opener is the desktop's default handler.
    explicit EntradaPeloSafari(QObject *pai = nullptr);
    ~EntradaPeloSafari() override;

    // The one instance the screens share, created on first use.
    [[nodiscard]] static EntradaPeloSafari &compartilhada();

    // --- Observed fields ---
    // The provider name ("apple", "google") or "passkey" while a wait is pending.
    [[nodiscard]] const TextoOpcional &aguardando() const { return aguardando_; }
    // A sign-in callback that arrived while nothing waited; the signed-out window takes it.
    [[nodiscard]] const UrlOpcional &retornoAvulso() const { return retornoAvulso_; }
    void definirRetornoAvulso(UrlOpcional url);
    // The last sign-in page opened, for the waiting screen's "open again" button.
    [[nodiscard]] const UrlOpcional &ultimoEndereco() const { return ultimoEndereco_; }

    // --- Operations ---
    // Cancels any pending wait, makes a new ephemeral key, opens the site's page at `caminho`
    // (path components below the site address) with the query `consulta&chave=<public key>`
    // and waits for the callback. Throws ErroDeEntradaSocial (cancelado, falhou), ErroDeCripto,
    // ErroDeDecodificacao or Primitivas::ErroDePrimitiva as lerRetorno does.
    [[nodiscard]] QCoro::Task<Resultado> esperar(QString aguardado, QString caminho,
                                                 std::optional<QString> consulta = std::nullopt);
    // Apple or Google: waits for `provedor` on "entrar/social/<provedor>" with "app=mac".
    [[nodiscard]] QCoro::Task<Resultado> entrarComProvedor(QString provedor);
    // Ends the pending wait, if any, with `cancelado`. The ephemeral key stays, so a callback
    // for the cancelled wait can still be read.
    void cancelar();
    // Every URL opened on the application comes here. True when it is a sign-in callback
    // (scheme "corvane", host "social" or "passkey") and was taken: it ends the pending wait, or
    // is kept in `retornoAvulso` when nothing waits. Anything else changes nothing.
    bool receber(const QUrl &url);
    // Reads a callback against this object's latest request. Throws ErroDeEntradaSocial, or the
    // envelope's crypto or decoding error unchanged.
    [[nodiscard]] Resultado lerRetorno(const QUrl &url);
    // Opens an address in the browser (the desktop's default one).
    void abrirNoSafari(const QUrl &url) const;
    // The browser's name for the waiting screen's texts.
    [[nodiscard]] static QString nomeDoNavegador();
    // The callback's "provedor" item, or none.
    [[nodiscard]] static std::optional<QString> provedorDoRetorno(const QUrl &url);

    // Replaces the browser opener (tests record addresses instead of opening them).
    void definirAbridor(Abridor abridor);

signals:
    void aguardandoMudou();
    void retornoAvulsoMudou();
    void ultimoEnderecoMudou();
    // A callback was taken: the application frame brings its window to the front.
    void ativacaoPedida();

private:
    struct Espera;

    void definirAguardando(TextoOpcional valor);
    void definirUltimoEndereco(UrlOpcional valor);
    [[nodiscard]] Resultado abrirEnvelope(const QString &envelope, const Primitivas::ParP256 &chave) const;

    TextoOpcional aguardando_;
    UrlOpcional retornoAvulso_;
    std::unique_ptr<Espera> espera_;
    UrlOpcional ultimoEndereco_;
    std::unique_ptr<Primitivas::ParP256> chaveTemporaria_;
    // What the latest request awaited, until a callback answers it; a provider callback is taken
    // only against it, so a page that merely opens a "corvane://social" link signs nobody in.
    TextoOpcional pedido_;
    quint64 geracao_ = 0; // of the latest wait
    Abridor abridor_;
};

