// Byte-string encodings of the vault (base64url, base32) and its source of random bytes.
#pragma once

#include "core/ErroDeCripto.h"

#include <QByteArray>
#include <QString>

namespace Cripto {

// Base64url without padding.
[[nodiscard]] QString codificarBase64URL(const QByteArray &bytes);
// Accepts base64url and standard base64 (trailing "=" ignored); throws "base64-invalido".
[[nodiscard]] QByteArray decodificarBase64URL(const QString &texto);
// RFC 4648 base32 without padding.
[[nodiscard]] QString codificarBase32(const QByteArray &bytes);
// Lenient: any case, ignores whitespace, "-" and "="; throws "base32-invalido".
[[nodiscard]] QByteArray decodificarBase32(const QString &texto);
// `quantidade` bytes from the system generator; a negative count stops the program.
[[nodiscard]] QByteArray bytesAleatorios(qsizetype quantidade);

} // namespace Cripto
