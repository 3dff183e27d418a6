// Whether the host has Corvane switched on as an AutoFill provider, the way to the switch, and
// the rules of its two views: the invitation card of the vault window (shown while AutoFill is
// off, until dismissed for good with "Depois") and the AutoFill section of the settings window.
// Main thread.
#pragma once

#include "plataforma/Padroes.h"
#include "plataforma/RepositorioDeIdentidades.h"

#include <QCoro/QCoroTask>
#include <QObject>
#include <QtQml/qqmlregistration.h>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>

// The standard defaults key of the card's dismissal (the process's own suite, not the group's).
inline constexpr const char *chaveDoCartaoDoPreenchimentoFechado = "cartaoDoPreenchimentoFechado";

class SituacaoDoPreenchimento : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The AutoFill status is created by the program.")
    // true, false, or undefined before the first read.
    Q_PROPERTY(QVariant ligado READ ligadoParaQml NOTIFY ligadoMudou)
    Q_PROPERTY(bool cartaoFechado READ cartaoFechado NOTIFY cartaoFechadoMudou)
    Q_PROPERTY(bool cartaoVisivel READ cartaoVisivel NOTIFY cartaoVisivelMudou)
    // The settings section's state line, its symbol and its button, by `ligado`.
    // While signed out the extension has nothing to fill: the line says so, as the extension does.
    Q_PROPERTY(QString textoDaSecao READ textoDaSecao NOTIFY ligadoMudou)
    Q_PROPERTY(QString simboloDaSecao READ simboloDaSecao NOTIFY ligadoMudou)
    Q_PROPERTY(bool simboloDaSecaoEmAzul READ simboloDaSecaoEmAzul NOTIFY ligadoMudou)
    Q_PROPERTY(QString botaoDaSecao READ botaoDaSecao NOTIFY ligadoMudou)
    // The one choice the section's button offers while AutoFill is on.
    Q_PROPERTY(QString textoDesligar READ textoDesligar CONSTANT)
    // Fixed texts of the two views.
    Q_PROPERTY(QString tituloDoCartao READ tituloDoCartao CONSTANT)
    Q_PROPERTY(QString textoDoCartao READ textoDoCartao CONSTANT)
    Q_PROPERTY(QString botaoLigarDoCartao READ botaoLigarDoCartao CONSTANT)
    Q_PROPERTY(QString botaoDepoisDoCartao READ botaoDepoisDoCartao CONSTANT)
    Q_PROPERTY(QString tituloDaSecao READ tituloDaSecao CONSTANT)
    Q_PROPERTY(QString legendaDaSecao READ legendaDaSecao CONSTANT)

public:
    // Asks the host to switch this provider on (`ligar`, its own prompt or settings) or off; calls
    // `concluido` when that request has ended, whatever its answer.
    using PedirLigar = std::function<void(bool ligar, std::function<void()> concluido)>;

    // Over the process's identity store and standard defaults, with the host program's switch.
    explicit SituacaoDoPreenchimento(QObject *pai = nullptr);
    // Over given ones (tests); a null `repositorio` means the process's store at each read.
    SituacaoDoPreenchimento(std::shared_ptr<RepositorioDeIdentidades> repositorio, Padroes padroes,
                            PedirLigar pedirLigar, QObject *pai = nullptr);

    [[nodiscard]] const std::optional<bool> &ligado() const { return ligado_; }
    [[nodiscard]] QVariant ligadoParaQml() const { return ligado_ ? QVariant(*ligado_) : QVariant(); }
    // Notifies only on a change; none, false and true are three values.
    void definirLigado(std::optional<bool> valor);

    [[nodiscard]] bool cartaoFechado() const { return cartaoFechado_; }
    // Shown only while AutoFill is known to be off and the card was never dismissed.
    [[nodiscard]] bool cartaoVisivel() const { return ligado_ == false && !cartaoFechado_; }

    [[nodiscard]] bool estaLigado() const { return ligado_ == true; }
    // Whether an account is on this computer (the program follows the state's phase).
    [[nodiscard]] bool comConta() const { return comConta_; }
    void definirComConta(bool valor);
    [[nodiscard]] bool simboloDaSecaoEmAzul() const { return estaLigado() && comConta_; }
    [[nodiscard]] QString textoDaSecao() const;
    [[nodiscard]] QString simboloDaSecao() const;
    [[nodiscard]] QString botaoDaSecao() const;

    [[nodiscard]] static QString tituloDoCartao();
    [[nodiscard]] static QString textoDoCartao();
    [[nodiscard]] static QString botaoLigarDoCartao() { return QStringLiteral("Ligar agora"); }
    [[nodiscard]] static QString botaoDepoisDoCartao() { return QStringLiteral("Depois"); }
    [[nodiscard]] static QString tituloDaSecao() { return QStringLiteral("Preenchimento automático"); }
    [[nodiscard]] static QString legendaDaSecao();
    [[nodiscard]] static QString textoDesligar();

    // Reads the host's switch (off the main thread: the store is a locked file) and sets
    // `ligado`. Never fails: an unreadable store reads as off.
    QCoro::Task<> atualizar();
    Q_INVOKABLE void comecarAtualizacao();
    // "Ligar agora" on the card, and the section's button: while AutoFill is off, asks the host to
    // switch the provider on and reads the switch again when that request ends; while it is on,
    // offers switching it off (`desligarOferecido`).
    Q_INVOKABLE void abrirAjustes();
    // The offer taken: asks the host to switch the provider off, then reads the switch again.
    Q_INVOKABLE void desligar();
    // "Depois" on the card: hides it for good (kept in the standard defaults).
    Q_INVOKABLE void fecharCartao();

    // The host program's switch request: `corvane-anfitriao ativar` (or `desativar`), found
    // beside this program or on the PATH; when there is no host, the request ends at once.
    static void pedirLigarAoAnfitriao(bool ligar, std::function<void()> concluido);

signals:
    void ligadoMudou();
    void cartaoFechadoMudou();
    void cartaoVisivelMudou();
    void desligarOferecido();

private:
    void pedir(bool ligar);

    std::shared_ptr<RepositorioDeIdentidades> repositorio_;
    Padroes padroes_;
    PedirLigar pedirLigar_;
    std::optional<bool> ligado_;
    bool cartaoFechado_ = false;
    bool comConta_ = true;
};
