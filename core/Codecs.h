// Byte-string encodings of the vault (base64url, base32) and its source of random bytes.
#pragma once

#include "core/ErroDeCripto.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

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

// Building blocks of the base64url codec for the envelope, which writes its whole text in one
// allocation and decodes its pieces in place.
namespace Cripto::detalhe {

[[nodiscard]] constexpr qsizetype tamanhoEmBase64URL(qsizetype bytes) { return (bytes * 4 + 2) / 3; }
// Writes tamanhoEmBase64URL(tamanho) characters at `destino`; returns the end. Pieces written
// one after another join into one text when every piece but the last is a multiple of 3 bytes.
char16_t *escreverBase64URL(const char *bytes, qsizetype tamanho, char16_t *destino);
// The same text as ASCII bytes.
char *escreverBase64URL(const char *bytes, qsizetype tamanho, char *destino);
// Whether `texto` is exactly what the writer gives for the bytes it decodes to: only URL-safe
// characters, no padding, and zero bits past the data in its last character.
[[nodiscard]] bool ehBase64URLCanonico(QByteArrayView texto);
// The decoder of decodificarBase64URL, over a view; throws "base64-invalido".
[[nodiscard]] QByteArray decodificarBase64URL(QStringView texto);
// The same over ASCII bytes (a byte at or above 128 is invalid).
[[nodiscard]] QByteArray decodificarBase64URL(QByteArrayView texto);
// Decodes into `destino` when the bytes fit in `capacidade` and gives how many; -1, with nothing
// checked beyond the count of characters, when they would not fit. Throws as the decoder does.
[[nodiscard]] qsizetype decodificarBase64URLEm(QStringView texto, char *destino, qsizetype capacidade);
[[nodiscard]] qsizetype decodificarBase64URLEm(QByteArrayView texto, char *destino, qsizetype capacidade);

} // namespace Cripto::detalhe
