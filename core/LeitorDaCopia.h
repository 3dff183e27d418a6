// The local copy read straight from its bytes, for the layout the copy's own writer gives
// (compact, keys in writing order, plain ASCII texts): each item's fields go from the file into the
// record without a JSON value tree, and the sealed text stays the bytes it is. Anything else, such
// as a file written by hand or by an older build, is left to the general reader.
#pragma once

#include "core/CopiaDoCofre.h"

#include <QByteArrayView>

#include <optional>

namespace LeitorDaCopia {

// A list of items this large (in bytes) is read in parts on up to `maximoDeLinhas` threads.
inline constexpr qsizetype minimoEmPartes = 256 * 1024;
inline constexpr int maximoDeLinhas = 4;

// The copy when `bytes` have the writer's layout and decode; nothing when they do not have that
// layout (the general reader then decides). The result equals what CopiaDoCofre::deJSON gives
// for the same bytes. Throws ErroDeDecodificacao only for an account record that does not decode.
// A list of items of at least `emPartesDesde` bytes is read in parts on several threads, with
// the same result.
[[nodiscard]] std::optional<CopiaDoCofre> lerDireto(QByteArrayView bytes, qsizetype emPartesDesde = minimoEmPartes);

} // namespace LeitorDaCopia
