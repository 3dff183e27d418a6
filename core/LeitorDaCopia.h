// The local copy read straight from its bytes, for the layout the copy's own writer gives
// (compact, keys in writing order, plain ASCII texts): each item's fields go from the file into the
// record without a JSON value tree, and the sealed text stays the bytes it is. Anything else, such
// as a file written by hand or by an older build, is left to the general reader.
#pragma once

#include "core/CopiaDoCofre.h"

#include <QByteArray>

#include <optional>

namespace LeitorDaCopia {

// The copy when `bytes` have the writer's layout and decode; nothing when they do not have that
// layout (the general reader then decides). The result equals what CopiaDoCofre::deJSON gives
// for the same bytes. Throws ErroDeDecodificacao only for an account record that does not decode.
[[nodiscard]] std::optional<CopiaDoCofre> lerDireto(const QByteArray &bytes);

} // namespace LeitorDaCopia
