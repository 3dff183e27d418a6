// The rules of the service icon: how an item's name and hints find a service of the catalogue,
// whether its brand colour is light, and the monogram (letter and colour pair) drawn when no
// service matches. The same name always gets the same monogram colours, on every device.
#pragma once

#include "core/Servico.h"

#include <QColor>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace iconeDoServico {

struct ParDeCores {
    QColor fundo;
    QColor texto;
};

// The eight soft pairs of the monogram, in index order.
[[nodiscard]] const std::array<ParDeCores, 8> &paresDoMonograma();

// Case and accents folded, lower case, letters and numbers only: "São João 2" → "saojoao2".
[[nodiscard]] QString normalizar(const QString &texto);

// The service the icon shows: the explicitly chosen id when the catalogue has it, else the
// first of the name and the hints that matches an id or alias exactly, else the first that
// starts with an alias (or contains one of 5 or more letters). Null when none does.
[[nodiscard]] const Servico *resolver(const QString &nome, const QStringList &dicas, const QString &escolhido);

// Relative luminance of 0xRRGGBB above 0.82 (bytes over 255, no gamma).
[[nodiscard]] bool corClara(quint32 cor);

// The hash of a normalised name: 5381, then ×33 + each Unicode scalar, wrapping at 64 bits.
[[nodiscard]] std::uint64_t hashDoNome(const QString &normalizado);
// The pair index of a hash read as a signed 64-bit number: its magnitude modulo 8.
[[nodiscard]] int indiceDoHash(std::uint64_t hash);
// The monogram's letter (first character, upper case; "•" for an empty name) and pair index.
[[nodiscard]] QString letraDoMonograma(const QString &nome);
[[nodiscard]] int indiceDoMonograma(const QString &nome);

// Our own mark for a catalogue service (drawn in the glyph colour on the brand colour).
[[nodiscard]] QString marcaDoServico(const Servico &servico);

} // namespace iconeDoServico
