// The model of the vault password for an account identified through Apple, Google or a
// passkey: the account's password (stretched with the salt and parameters of the social answer),
// then the authenticator code when the account has a second factor.
#pragma once

#include "EntradaEmDuasEtapas.h"

#include "api/Respostas.h"

#include <QVariant>

class ModeloDaSenhaSocial : public EntradaEmDuasEtapas {
    Q_OBJECT
    QML_ELEMENT
    // The answer of the identification (a RespostaSocialNaTela).
    Q_PROPERTY(QVariant social READ social WRITE definirSocial NOTIFY socialMudou)

public:
    explicit ModeloDaSenhaSocial(QObject *pai = nullptr);

    [[nodiscard]] QVariant social() const;
    void definirSocial(const QVariant &social);
    [[nodiscard]] QString texto() const override;

signals:
    void socialMudou();

protected:
    [[nodiscard]] bool prontoNaEtapaDaSenha() const override { return !senha().isEmpty(); }
    [[nodiscard]] QCoro::Task<EntradaPendente> preparar(EstadoDoApp &estado) const override;
    [[nodiscard]] QString tituloNaEtapaDaSenha() const override { return QStringLiteral("Sua senha do Corvane"); }
    [[nodiscard]] bool sobreposicaoNoCodigo() const override { return false; }

private:
    RespostaSocial social_;
};
