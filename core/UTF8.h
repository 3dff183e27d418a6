// UTF-8 decoding with repair, shared by every reader of untrusted text bytes (the JSON parser, the
// migration payload), so that the same bytes always give the same text.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Decodes UTF-8, replacing every maximal ill-formed subpart with one U+FFFD (the Unicode and
// WHATWG rule): a sequence cut short is one replacement, a byte that can never start or continue a
// sequence is one each. `reparado`, when given, is set to whether anything was replaced.
[[nodiscard]] QString decodificarUTF8(const unsigned char *bytes, qsizetype tamanho, bool *reparado = nullptr);
[[nodiscard]] inline QString decodificarUTF8(const QByteArray &bytes)
{
    return decodificarUTF8(reinterpret_cast<const unsigned char *>(bytes.constData()), bytes.size());
}

// The number of UTF-16 code units that well-formed UTF-8 decodes to, counted without decoding;
// nothing when the bytes are ill-formed (what `decodificarUTF8` would repair).
[[nodiscard]] std::optional<qsizetype> unidadesEmUTF16(const unsigned char *bytes, qsizetype tamanho);
