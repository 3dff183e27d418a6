// The text envelope every sealed value travels as: "v1." + base64url(nonce) + "." +
// base64url(ciphertext || tag), AES-256-GCM bound to a label; and HKDF-SHA256.
#pragma once

#include "core/Codecs.h"
#include "core/TextoSelado.h"

#include <QByteArray>
#include <QString>

namespace Cripto {

inline const QString rotuloDaChaveDoCofre = QStringLiteral("corvane/v1/chave-do-cofre");
// The label of an item's content: "corvane/v1/item:" + id.
[[nodiscard]] QString rotuloDoItem(const QString &id);

// The envelope's text, written as bytes. Throws "chave-invalida", "nonce-invalido".
[[nodiscard]] TextoSelado selarEnvelope(const QByteArray &textoClaro, const QByteArray &chave, const QString &rotulo,
                                    const QByteArray &nonce = bytesAleatorios(12));
// Throws "chave-invalida", "formato-desconhecido", "base64-invalido", "falha-ao-decifrar".
[[nodiscard]] QByteArray abrirEnvelope(const QString &envelope, const QByteArray &chave, const QString &rotulo);
// The same for the envelope's text as UTF-8 bytes (as the store holds it), with the same errors.
[[nodiscard]] QByteArray abrirEnvelope(const QByteArray &envelope, const QByteArray &chave, const QString &rotulo);
// The same for a sealed text as the store holds it; a compact one is opened without decoding.
[[nodiscard]] QByteArray abrirEnvelope(const TextoSelado &envelope, const QByteArray &chave, const QString &rotulo);

// HKDF-SHA256 with an empty salt and the label's UTF-8 bytes as info.
[[nodiscard]] QByteArray hkdf(const QByteArray &material, const QString &rotulo, int tamanho = 32);

} // namespace Cripto
