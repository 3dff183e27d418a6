// Builds what the site's passkey page sends back to the application, the way the page does it:
// its own P-256 key pair, ECDH with the application's ephemeral public key, HKDF-SHA256 with the
// envelope label, AES-256-GCM with a fresh nonce and the label as associated data.
#pragma once

#include "core/Codecs.h"
#include "core/Conta.h"
#include "core/ValorJSON.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <optional>

namespace Testes {

// The label of the passkey envelope (HKDF info and associated data).
inline constexpr const char *rotuloDoEnvelopeDePasskey = "corvane/v1/envelope-do-app";

// An account as the server would describe it.
[[nodiscard]] Conta contaDeExemplo(const QString &id = QStringLiteral("conta-1"));

// A session answer's JSON: {tokenDeAcesso, expiraEm, tokenDeRenovacao?, conta}.
[[nodiscard]] ValorJSON sessaoEmJSON(const Conta &conta, const QString &tokenDeAcesso = QStringLiteral("acesso-1"),
                                     const QString &expiraEm = QStringLiteral("2030-01-01T00:00:00Z"),
                                     const std::optional<QString> &tokenDeRenovacao = QStringLiteral("renovacao-1"));

// The envelope's JSON content: {"sessao": ..., "chaveDoCofre": base64url(chave)}.
[[nodiscard]] QByteArray conteudoDoEnvelope(const ValorJSON &sessao, const QByteArray &chaveDoCofre);

// The three pieces base64url(site public key).base64url(nonce).base64url(ciphertext || tag),
// sealed for `chavePublicaDoApp` (65-byte X9.63).
[[nodiscard]] QString envelopeDePasskey(const QByteArray &chavePublicaDoApp, const QByteArray &conteudo,
                                        const QByteArray &nonce = Cripto::bytesAleatorios(12));

// The application's public key read from a sign-in page address (its "chave" item).
[[nodiscard]] QByteArray chaveDoEndereco(const QUrl &endereco);

// "corvane://passkey?envelope=<envelope>".
[[nodiscard]] QUrl retornoDePasskey(const QString &envelope);

} // namespace Testes
