// The account-creation wizard's state and rules: its four steps, what each button may do and
// when, and the order of each submission (e-mail code, its confirmation, the account, the
// vault). The wizard's views bind to it and call it; it lives and dies with them, so leaving the
// wizard discards everything typed, the recovery code included.
#pragma once

#include "api/Respostas.h"

#include <QCoro/QCoroTask>
#include <QObject>
#include <QPointer>

#include <type_traits>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariant>
#include <QtQml/qqmlregistration.h>

#include <optional>

#include "state/EstadoDoApp.h"

class CriacaoDeConta : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(EstadoDoApp *estado READ estado WRITE definirEstado NOTIFY estadoMudou)
    // The server's answer of a browser sign-in (a RespostaSocial) for an account to finish, or
    // undefined for an ordinary sign-up. Read once, when the wizard appears.
    Q_PROPERTY(QVariant social READ socialParaQml WRITE definirSocial NOTIFY socialMudou)
    Q_PROPERTY(bool temSocial READ temSocial NOTIFY socialMudou)
    Q_PROPERTY(QString emailDoSocial READ emailDoSocial NOTIFY socialMudou)

    Q_PROPERTY(Etapa etapa READ etapa NOTIFY etapaMudou)
    // The step by its name ("dados", "email", "senha", "codigo"), for the views.
    Q_PROPERTY(QString nomeDaEtapa READ nomeDaEtapa NOTIFY etapaMudou)
    Q_PROPERTY(QString nome READ nome WRITE definirNome NOTIFY nomeMudou)
    Q_PROPERTY(QString email READ email WRITE definirEmail NOTIFY emailMudou)
    Q_PROPERTY(QString emailNormalizado READ emailNormalizado NOTIFY emailMudou)
    Q_PROPERTY(QString codigoDoEmail READ codigoDoEmail WRITE definirCodigoDoEmail NOTIFY codigoDoEmailMudou)
    Q_PROPERTY(QString senha READ senha WRITE definirSenha NOTIFY senhaMudou)
    Q_PROPERTY(QString confirmacao READ confirmacao WRITE definirConfirmacao NOTIFY confirmacaoMudou)
    Q_PROPERTY(QString codigoDeRecuperacao READ codigoDeRecuperacao NOTIFY codigoDeRecuperacaoMudou)
    Q_PROPERTY(QStringList gruposDoCodigo READ gruposDoCodigo NOTIFY codigoDeRecuperacaoMudou)
    Q_PROPERTY(bool guardei READ guardei WRITE definirGuardei NOTIFY guardeiMudou)
    // The message under the step; empty when there is none.
    Q_PROPERTY(QString erro READ erro NOTIFY erroMudou)
    Q_PROPERTY(bool enviando READ enviando NOTIFY enviandoMudou)

    // What the steps enable and show.
    Q_PROPERTY(bool temVoltar READ temVoltar NOTIFY etapaMudou)
    Q_PROPERTY(bool podeContinuar READ podeContinuar NOTIFY podeMudou)
    Q_PROPERTY(bool podeConfirmarEmail READ podeConfirmarEmail NOTIFY podeMudou)
    Q_PROPERTY(int nivel READ nivel NOTIFY senhaMudou)
    Q_PROPERTY(bool senhasDiferentes READ senhasDiferentes NOTIFY podeMudou)
    Q_PROPERTY(bool podeCriar READ podeCriar NOTIFY podeMudou)
    Q_PROPERTY(bool podeAbrir READ guardei NOTIFY guardeiMudou)
    // The legal pages under the site's address; empty when the site's address is unknown.
    Q_PROPERTY(bool temLinksLegais READ temLinksLegais CONSTANT)
    Q_PROPERTY(QUrl enderecoDosTermos READ enderecoDosTermos CONSTANT)
    Q_PROPERTY(QUrl enderecoDaPrivacidade READ enderecoDaPrivacidade CONSTANT)
    // The recovery step's explanation, as this computer says it.
    Q_PROPERTY(QString explicacaoDoCodigo READ explicacaoDoCodigo CONSTANT)

public:
    enum class Etapa { dados, email, senha, codigo };
    Q_ENUM(Etapa)

    explicit CriacaoDeConta(QObject *pai = nullptr);

    [[nodiscard]] EstadoDoApp *estado() const { return estado_; }
    void definirEstado(EstadoDoApp *estado);
    [[nodiscard]] QVariant socialParaQml() const;
    void definirSocial(const QVariant &social);
    [[nodiscard]] const std::optional<RespostaSocial> &social() const { return social_; }
    [[nodiscard]] bool temSocial() const { return social_.has_value(); }
    [[nodiscard]] QString emailDoSocial() const { return social_ ? social_->email : QString(); }

    [[nodiscard]] Etapa etapa() const { return etapa_; }
    [[nodiscard]] QString nomeDaEtapa() const;
    [[nodiscard]] QString nome() const { return nome_; }
    void definirNome(const QString &valor);
    [[nodiscard]] QString email() const { return email_; }
    void definirEmail(const QString &valor);
    [[nodiscard]] QString emailNormalizado() const;
    [[nodiscard]] QString codigoDoEmail() const { return codigoDoEmail_; }
    void definirCodigoDoEmail(const QString &valor);
    [[nodiscard]] const std::optional<QString> &comprovante() const { return comprovante_; }
    [[nodiscard]] QString senha() const { return senha_; }
    void definirSenha(const QString &valor);
    [[nodiscard]] QString confirmacao() const { return confirmacao_; }
    void definirConfirmacao(const QString &valor);
    [[nodiscard]] QString codigoDeRecuperacao() const { return codigoDeRecuperacao_; }
    // The recovery code split at each "-"; none for an empty code.
    [[nodiscard]] QStringList gruposDoCodigo() const;
    [[nodiscard]] bool guardei() const { return guardei_; }
    void definirGuardei(bool valor);
    [[nodiscard]] QString erro() const { return erro_; }
    [[nodiscard]] bool enviando() const { return enviando_; }

    // No way back from the recovery code.
    [[nodiscard]] bool temVoltar() const { return etapa_ != Etapa::codigo; }
    // A name that is not only spaces, an e-mail with "@", nothing running.
    [[nodiscard]] bool podeContinuar() const;
    // Exactly six digits in the code, nothing running.
    [[nodiscard]] bool podeConfirmarEmail() const;
    // The strength of `senha`, 0 to 4.
    [[nodiscard]] int nivel() const;
    // Something typed in the confirmation that is not exactly the password.
    [[nodiscard]] bool senhasDiferentes() const;
    // "Forte" or better, typed the same twice, nothing running.
    [[nodiscard]] bool podeCriar() const;

    [[nodiscard]] static bool temLinksLegais() { return !enderecoDosTermos().isEmpty(); }
    [[nodiscard]] static QUrl enderecoDosTermos();
    [[nodiscard]] static QUrl enderecoDaPrivacidade();
    [[nodiscard]] static QString explicacaoDoCodigo();

    // The wizard came on screen: an account being finished takes its e-mail and suggested name.
    Q_INVOKABLE void aparecer();
    // One step back (the error cleared); from the data step the wizard is left: `voltarParaEntrar`.
    Q_INVOKABLE void voltar();
    // Data step: to the password step for an account being finished, else an e-mail code first.
    Q_INVOKABLE void continuar();
    // Another e-mail code; allowed while a request runs.
    Q_INVOKABLE void enviarOutroCodigo();
    Q_INVOKABLE void confirmarEmail();
    Q_INVOKABLE void criar();
    // The recovery code to the clipboard as a concealed copy, counted and announced.
    Q_INVOKABLE void copiarCodigo();
    // Opens the vault the account creation left ready, once the code is acknowledged.
    Q_INVOKABLE void abrirCofre();

signals:
    void estadoMudou();
    void socialMudou();
    void etapaMudou();
    void nomeMudou();
    void emailMudou();
    void codigoDoEmailMudou();
    void senhaMudou();
    void confirmacaoMudou();
    void codigoDeRecuperacaoMudou();
    void guardeiMudou();
    void erroMudou();
    // A step's submission failed: its first field takes the keyboard again.
    void focoPedido();
    void enviandoMudou();
    // Any input of the enabled rules changed.
    void podeMudou();
    // Back from the data step: the window shows the sign-in form again.
    void voltarParaEntrar();

private:
    // The tests put the wizard in a step, or show the recovery step with a code of their own.
    friend class CriacaoDeContaNasTelas;
    friend class CriacaoDeContaNasRegras;

    // Each runs on the main thread and is not awaited by anyone; it holds this object weakly.
    QCoro::Task<> continuarAgora();
    QCoro::Task<> confirmarAgora();
    QCoro::Task<> criarAgora();
    // Asks for a code, shows the toast on success or the message on failure; true on success.
    QCoro::Task<bool> pedirCodigo();
    // One of the wizard's requests to the state (`pedido` called with it), with `enviando` on
    // while it runs and, with `limparErro`, the last message cleared first. On failure, if this
    // object still exists, `antesDoErro` runs, the message shows and `enviando` ends; the answer
    // is absent then, and when there is no state. On success `enviando` stays on: the caller
    // ends it once the answer is applied (after checking that this object still exists).
    template <typename Pedido>
    QCoro::Task<std::optional<typename std::invoke_result_t<Pedido, EstadoDoApp &>::value_type>>
    enviar(const Pedido &pedido, bool limparErro, void (CriacaoDeConta::*antesDoErro)() = nullptr);
    void apagarCodigoDoEmail() { definirCodigoDoEmail(QString()); }

    void definirEtapa(Etapa valor);
    void definirErro(const QString &valor);
    void definirEnviando(bool valor);
    void definirCodigoDeRecuperacao(const QString &valor);

    QPointer<EstadoDoApp> estado_;
    std::optional<RespostaSocial> social_;
    Etapa etapa_ = Etapa::dados;
    QString nome_;
    QString email_;
    QString codigoDoEmail_;
    std::optional<QString> comprovante_;
    QString senha_;
    QString confirmacao_;
    QString codigoDeRecuperacao_;
    bool guardei_ = false;
    QString erro_;
    bool enviando_ = false;
};
