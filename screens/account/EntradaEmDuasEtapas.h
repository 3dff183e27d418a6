// What the sign-in form and the vault password of a social account share: a password step that
// may turn, in place, into an authenticator-code step when the server asks for a second factor;
// one submission at a time (`enviando`); the sign-in pending between the two steps; and the
// failure rules (a failed password step drops the pending sign-in and the password, any failure
// empties the code, the message is `mensagemDoErro`'s).
#pragma once

#include "NavegacaoDaConta.h"
#include "state/EstadoDoApp.h"

#include "state/RegrasDoFormulario.h"
#include "state/ErroDeEntrada.h"

#include <QCoro/QCoroTask>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <optional>


class EntradaEmDuasEtapas : public QObject {
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(EstadoDoApp *estado READ estado WRITE definirEstado NOTIFY estadoMudou)
    Q_PROPERTY(NavegacaoDaConta *tela READ tela WRITE definirTela NOTIFY telaMudou)
    Q_PROPERTY(QString senha READ senha WRITE definirSenha NOTIFY senhaMudou)
    Q_PROPERTY(QString codigo READ codigo WRITE definirCodigo NOTIFY codigoMudou)
    Q_PROPERTY(bool pedeCodigo READ pedeCodigo NOTIFY pedeCodigoMudou)
    // The message under the fields; empty when there is none.
    Q_PROPERTY(QString erro READ erro NOTIFY erroMudou)
    Q_PROPERTY(bool enviando READ enviando NOTIFY enviandoMudou)
    // Ready to send in the current step (the button is enabled only while this holds and
    // nothing is being sent).
    Q_PROPERTY(bool pronto READ pronto NOTIFY prontoMudou)
    Q_PROPERTY(QString titulo READ titulo NOTIFY pedeCodigoMudou)
    Q_PROPERTY(QString texto READ texto NOTIFY textoMudou)
    Q_PROPERTY(QString tituloDoBotao READ tituloDoBotao NOTIFY pedeCodigoMudou)

public:
    explicit EntradaEmDuasEtapas(QObject *pai = nullptr);

    [[nodiscard]] EstadoDoApp *estado() const { return estado_; }
    void definirEstado(EstadoDoApp *estado);
    [[nodiscard]] NavegacaoDaConta *tela() const { return tela_; }
    void definirTela(NavegacaoDaConta *tela);
    [[nodiscard]] const QString &senha() const { return senha_; }
    void definirSenha(const QString &senha);
    [[nodiscard]] const QString &codigo() const { return codigo_; }
    void definirCodigo(const QString &codigo);
    [[nodiscard]] bool pedeCodigo() const { return pedeCodigo_; }
    [[nodiscard]] const QString &erro() const { return erro_; }
    [[nodiscard]] bool enviando() const { return enviando_; }
    [[nodiscard]] bool pronto() const;
    [[nodiscard]] QString titulo() const;
    [[nodiscard]] virtual QString texto() const;
    [[nodiscard]] QString tituloDoBotao() const;
    [[nodiscard]] const std::optional<EntradaPendente> &pendente() const { return pendente_; }

    // Starts a submission unless one runs or the step is not ready; returns at once.
    Q_INVOKABLE void enviar();

signals:
    void estadoMudou();
    void telaMudou();
    void senhaMudou();
    void codigoMudou();
    void pedeCodigoMudou();
    void erroMudou();
    void enviandoMudou();
    void prontoMudou();
    void textoMudou();

protected:
    [[nodiscard]] virtual bool prontoNaEtapaDaSenha() const = 0;
    [[nodiscard]] virtual QString tituloNaEtapaDaSenha() const = 0;
    // The first sign-in step with what was typed.
    [[nodiscard]] virtual QCoro::Task<EntradaPendente> preparar(EstadoDoApp &estado) const = 0;
    // The code step shows the "Entrando" overlay while the code is checked.
    [[nodiscard]] virtual bool sobreposicaoNoCodigo() const = 0;

private:
    static QCoro::Task<> submeter(QPointer<EntradaEmDuasEtapas> eu);
    void falhou(const std::exception &erro);
    void definirPedeCodigo(bool valor);
    void definirErro(const QString &valor);
    void definirEnviando(bool valor);

    QPointer<EstadoDoApp> estado_;
    QPointer<NavegacaoDaConta> tela_;
    QString senha_;
    QString codigo_;
    std::optional<EntradaPendente> pendente_;
    bool pedeCodigo_ = false;
    QString erro_;
    bool enviando_ = false;
};
