// The site's browser sign-in pages, played by the development server for local trial and for
// tests that drive them with a plain HTTP client:
//
//   GET /entrar/social/<apple|google>?app=mac&chave=…  a page asking which identity to use
//   GET /entrar/social/<p>/continuar?email=…&nome=…    303 to corvane://social?provedor&token&nonce[&nome]
//   GET /entrar/mac?chave=…                            a page listing the accounts with a passkey
//   GET /entrar/mac/continuar?chave=…&email=…          303 to corvane://passkey?envelope=…
//   POST /entrar/mac/criar (chave, email, senha)        a passkey for the account whose password
//                                                        opens its vault key, then as continuar
//
// The identity token is one the server's social step accepts (with its nonce). The passkey
// envelope is built as the site builds it: a fresh P-256 key pair, ECDH with the application's
// key from "chave", HKDF-SHA256 (no salt, the envelope label as info), AES-256-GCM with a fresh
// 12-byte nonce and the label as associated data, holding {"sessao", "chaveDoCofre"}; the text is
// base64url(site public key).base64url(nonce).base64url(ciphertext and tag).
#pragma once

#include "EstadoDoServidor.h"

#include <QByteArray>

#include <optional>

namespace Servidor {

// A page, or a redirect to `local`.
struct PaginaDeEntrada {
    Resposta resposta;
    QByteArray local; // the "Location" of a redirect; empty for a page
};

class PaginasDeEntrada {
public:
    static constexpr const char *rotuloDoEnvelope = "corvane/v1/envelope-do-app";

    // The answer for one of the paths above; nothing for any other request.
    [[nodiscard]] std::optional<PaginaDeEntrada> atender(const Pedido &pedido, EstadoDoServidor &estado) const;

    // The envelope of `conteudo` for the application's 65-byte uncompressed P-256 public key;
    // empty when that key is not a point of the curve.
    [[nodiscard]] static QByteArray selarEnvelope(const QByteArray &chaveDoApp, const QByteArray &conteudo);
};

} // namespace Servidor
