// The sign-in form's model: the account e-mail and password, then the authenticator code when
// the account has a second factor. Ready in the password step when the e-mail has an "@" and
// the password is not empty.
#pragma once

#include "EntradaEmDuasEtapas.h"

class ModeloDaEntrada : public EntradaEmDuasEtapas {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString email READ email WRITE definirEmail NOTIFY emailMudou)

public:
    explicit ModeloDaEntrada(QObject *pai = nullptr);

    [[nodiscard]] const QString &email() const { return email_; }
    void definirEmail(const QString &email);
    [[nodiscard]] QString texto() const override;

    // As the form comes on screen: an empty e-mail takes the last one used on this computer.
    Q_INVOKABLE void aoMostrar();

signals:
    void emailMudou();

protected:
    [[nodiscard]] bool prontoNaEtapaDaSenha() const override;
    [[nodiscard]] QCoro::Task<EntradaPendente> preparar(EstadoDoApp &estado) const override;
    [[nodiscard]] QString tituloNaEtapaDaSenha() const override { return QStringLiteral("Entrar no Corvane"); }
    [[nodiscard]] bool sobreposicaoNoCodigo() const override { return true; }

private:
    QString email_;
};
