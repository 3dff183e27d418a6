// The signed-out window's account screen, held once by the window and handed to every account
// screen, which moves the window only through it. QML reads the screen's key (the identity
// that drives the switch and its transition), its case and the social answer it carries.
#pragma once

#include "TelaDeConta.h"

#include <QObject>
#include <QString>
#include <QVariant>
#include <QtQml/qqmlregistration.h>

class NavegacaoDaConta : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString chave READ chave NOTIFY chaveMudou)
    // "entrar", "criar" or "senhaSocial".
    Q_PROPERTY(QString caso READ caso NOTIFY telaMudou)
    // The answer carried (a RespostaSocialNaTela), or undefined.
    Q_PROPERTY(QVariant social READ social NOTIFY telaMudou)

public:
    explicit NavegacaoDaConta(QObject *pai = nullptr);

    [[nodiscard]] const TelaDeConta &tela() const { return tela_; }
    // Emits `telaMudou` on any change and `chaveMudou` only when the key changes.
    void definir(TelaDeConta tela);

    [[nodiscard]] QString chave() const { return chaveDaTela(tela_); }
    [[nodiscard]] QString caso() const;
    [[nodiscard]] QVariant social() const;

    // Back to the sign-in form.
    Q_INVOKABLE void irParaEntrar();
    // Account creation by e-mail, without a social answer.
    Q_INVOKABLE void irParaCriar();
    // An identified account (a RespostaSocialNaTela): the wizard for a new one, the vault
    // password otherwise. Anything else is ignored.
    Q_INVOKABLE void aoIdentificar(const QVariant &resposta);

signals:
    void telaMudou();
    void chaveMudou();

private:
    TelaDeConta tela_;
};
