// The re-sign-in sheet's routines: the same account signs in again, by password (with the
// authenticator code when the server asks for it) or by a passkey confirmed in the browser,
// without closing the vault. The password step stretches the password once; the code step
// reuses that pending sign-in. On success it shows a toast and asks to close: "Sincronizado"
// only when the store then holds a newer successful sync, otherwise "Você entrou de novo.".
#pragma once

#include "screens/account/EtapasDaEntrada.h"
#include "state/EstadoDoApp.h"

#include <QCoro/QCoroTask>
#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <optional>

class ModeloDeEntrarDeNovo : public QObject, public EtapasDaEntrada<ModeloDeEntrarDeNovo> {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(EstadoDoApp *estado READ estado WRITE definirEstado NOTIFY estadoMudou)
    Q_PROPERTY(QString senha READ senha WRITE definirSenha NOTIFY senhaMudou)
    Q_PROPERTY(QString codigo READ codigo WRITE definirCodigo NOTIFY codigoMudou)
    Q_PROPERTY(bool pedeCodigo READ pedeCodigo NOTIFY pedeCodigoMudou)
    // The message above the buttons; empty when there is none.
    Q_PROPERTY(QString erro READ erro NOTIFY erroMudou)
    Q_PROPERTY(bool enviando READ enviando NOTIFY enviandoMudou)
    Q_PROPERTY(bool noSafari READ noSafari NOTIFY noSafariMudou)
    // The account signs in only with a passkey: no password field and no "Entrar".
    Q_PROPERTY(bool somentePasskey READ somentePasskey NOTIFY estadoMudou)
    Q_PROPERTY(QString email READ email NOTIFY estadoMudou)
    Q_PROPERTY(QString titulo READ titulo NOTIFY textosMudaram)
    Q_PROPERTY(QString explicacao READ explicacao NOTIFY textosMudaram)
    // The step is ready and nothing is being sent: "Entrar" is enabled.
    Q_PROPERTY(bool podeEnviar READ podeEnviar NOTIFY podeEnviarMudou)

public:
    explicit ModeloDeEntrarDeNovo(QObject *pai = nullptr);

    [[nodiscard]] EstadoDoApp *estado() const { return estado_; }
    void definirEstado(EstadoDoApp *estado);
    [[nodiscard]] bool noSafari() const { return noSafari_; }
    [[nodiscard]] bool somentePasskey() const;
    [[nodiscard]] QString email() const;
    [[nodiscard]] QString titulo() const;
    [[nodiscard]] QString explicacao() const;
    [[nodiscard]] bool podeEnviar() const;

    // The password or code submit; ignored unless the step is ready and nothing runs.
    Q_INVOKABLE void enviar();
    // Waits for the passkey confirmation in the browser.
    Q_INVOKABLE void usarPasskey();
    // Opens the last browser sign-in page again, if any.
    Q_INVOKABLE void abrirDeNovo();
    // "Agora não": ends a pending browser wait (silently) and asks to close.
    Q_INVOKABLE void fecharSemEntrar();

signals:
    void estadoMudou();
    void senhaMudou();
    void codigoMudou();
    void pedeCodigoMudou();
    void erroMudou();
    void enviandoMudou();
    void noSafariMudou();
    void podeEnviarMudou();
    void textosMudaram();
    // The field of the step shown should take the focus (after a failed submission).
    void focoPedido();
    // The sheet should close.
    void fechar();

private:
    static QCoro::Task<> submeter(QPointer<ModeloDeEntrarDeNovo> eu, QPointer<EstadoDoApp> estado);
    static QCoro::Task<> esperarPasskey(QPointer<ModeloDeEntrarDeNovo> eu, QPointer<EstadoDoApp> estado);
    // The toast after a successful sign-in, judged against the store's last sync before it.
    static void avisarSucesso(EstadoDoApp &estado, const std::optional<QDateTime> &antes);
    [[nodiscard]] std::optional<QDateTime> ultimaSincronia() const;
    void definirNoSafari(bool valor);

    QPointer<EstadoDoApp> estado_;
    bool noSafari_ = false;
};
