// The two steps a sign-in form shares with every other: a password step that may turn, in
// place, into an authenticator-code step when the server asks for a second factor, with the
// sign-in pending between the two; one submission at a time (`enviando`); and the failure rules
// (a failed password step drops the pending sign-in and the password, a failure that does not
// turn into the code step empties the code and shows `mensagemDoErro`'s message).
//
// `Modelo` is the QObject that derives from this and declares the properties, with the change
// signals senhaMudou, codigoMudou, pedeCodigoMudou, erroMudou and enviandoMudou.
#pragma once

#include "screens/comum/MensagemDoErro.h"
#include "state/ErroDeEntrada.h"
#include "state/EstadoDoApp.h"
#include "state/RegrasDoFormulario.h"

#include <QString>

#include <exception>
#include <optional>
#include <utility>

template <typename Modelo>
class EtapasDaEntrada {
public:
    [[nodiscard]] const QString &senha() const { return senha_; }
    void definirSenha(const QString &valor)
    {
        if (mudar(senha_, valor))
            emit modelo().senhaMudou();
    }
    [[nodiscard]] const QString &codigo() const { return codigo_; }
    void definirCodigo(const QString &valor)
    {
        if (mudar(codigo_, valor))
            emit modelo().codigoMudou();
    }
    [[nodiscard]] bool pedeCodigo() const { return pedeCodigo_; }
    [[nodiscard]] const QString &erro() const { return erro_; }
    [[nodiscard]] bool enviando() const { return enviando_; }
    [[nodiscard]] const std::optional<EntradaPendente> &pendente() const { return pendente_; }

protected:
    // Whether the code typed so far is a whole code.
    [[nodiscard]] bool codigoPronto() const { return digitosDoCodigo(codigo_).pronto(); }
    // What the code step sends (digits of any script as ASCII digits); nothing on the password step.
    [[nodiscard]] std::optional<QString> codigoParaEnviar() const
    {
        return pedeCodigo_ ? std::optional<QString>(digitosDoCodigo(codigo_).enviados) : std::nullopt;
    }

    // Applies a failed submission made on the code step or not (`naEtapaDoCodigo`). When the
    // server asks for the authenticator code and `podePedirCodigo`, the form turns into the code
    // step, keeping the pending sign-in for the next press, and this returns true. Otherwise the
    // password step starts over, the code is emptied and the message shows. `enviando` is left
    // for the caller to end.
    bool falhouNaEtapa(const std::exception &falha, bool naEtapaDoCodigo, bool podePedirCodigo)
    {
        const auto *entrada = dynamic_cast<const ErroDeEntrada *>(&falha);
        if (podePedirCodigo && entrada && entrada->caso() == ErroDeEntrada::Caso::autenticadorNecessario) {
            definirPedeCodigo(true);
            return true;
        }
        if (!naEtapaDoCodigo) {
            pendente_.reset();
            definirSenha(QString());
        }
        definirCodigo(QString());
        definirErro(mensagemDoErro(falha));
        return false;
    }

    void definirPedeCodigo(bool valor)
    {
        if (mudar(pedeCodigo_, valor))
            emit modelo().pedeCodigoMudou();
    }
    void definirErro(const QString &valor)
    {
        if (mudar(erro_, valor))
            emit modelo().erroMudou();
    }
    void definirEnviando(bool valor)
    {
        if (mudar(enviando_, valor))
            emit modelo().enviandoMudou();
    }

    std::optional<EntradaPendente> pendente_;

private:
    Modelo &modelo() { return static_cast<Modelo &>(*this); }
    template <typename T>
    static bool mudar(T &campo, const T &valor)
    {
        if (campo == valor)
            return false;
        campo = valor;
        return true;
    }

    QString senha_;
    QString codigo_;
    bool pedeCodigo_ = false;
    QString erro_;
    bool enviando_ = false;
};
