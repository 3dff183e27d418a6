// What the sign-in screens carry between the two sign-in steps, and the sign-in errors that the
// central state raises itself (the server's refusals arrive as ErroDaAPI).
#pragma once

#include <QByteArray>
#include <QString>

#include <exception>
#include <optional>
#include <string>

// The result of the first sign-in step: never stored, held only by the screen that asked for it,
// so the authenticator step can repeat the second step without stretching the password again.
struct EntradaPendente {
    QString email;            // trimmed and lower-cased, as sent
    QString prova;            // the login proof (base64url)
    QByteArray chaveDeEmbrulho; // 32 bytes: opens the account's protected vault key
    std::optional<QString> tokenSocial; // only for an account reached through Apple or Google

    friend bool operator==(const EntradaPendente &, const EntradaPendente &) = default;
};

class ErroDeEntrada : public std::exception {
public:
    enum class Caso {
        senhaIncorreta,
        autenticadorNecessario,
        // A browser sign-in brought back another account than the vault open on this computer.
        contaDiferente,
        // The recovery code typed does not open the vault.
        codigoDeRecuperacaoInvalido,
    };

    [[nodiscard]] static ErroDeEntrada senhaIncorreta() { return ErroDeEntrada(Caso::senhaIncorreta); }
    [[nodiscard]] static ErroDeEntrada autenticadorNecessario() { return ErroDeEntrada(Caso::autenticadorNecessario); }
    [[nodiscard]] static ErroDeEntrada contaDiferente() { return ErroDeEntrada(Caso::contaDiferente); }
    [[nodiscard]] static ErroDeEntrada codigoDeRecuperacaoInvalido()
    {
        return ErroDeEntrada(Caso::codigoDeRecuperacaoInvalido);
    }

    [[nodiscard]] Caso caso() const { return caso_; }
    // The Portuguese sentence a screen shows.
    [[nodiscard]] QString errorDescription() const;
    [[nodiscard]] const char *what() const noexcept override { return texto_.c_str(); }

    friend bool operator==(const ErroDeEntrada &a, const ErroDeEntrada &b) { return a.caso_ == b.caso_; }

private:
    explicit ErroDeEntrada(Caso caso);

    Caso caso_;
    std::string texto_;
};
