// The few protocol-buffers rules the migration payload of other authenticator apps needs: varints
// and the fields of one message, without a schema. Every malformed input throws ErroDeCripto
// "migracao-invalida".
#pragma once

#include "core/ErroDeCripto.h"

#include <QByteArray>
#include <QList>
#include <QtGlobal>

#include <optional>

namespace MigracaoGoogle {

// One field of a message. Fixed-size fields (wire types 1 and 5) are skipped, not recorded.
struct Campo {
    qint64 numero = 0;                     // the key shifted right by 3
    std::optional<quint64> numeroValor;    // a varint field's value
    std::optional<QByteArray> bytes;       // a length-delimited field's content

    friend bool operator==(const Campo &, const Campo &) = default;
};

// The varint at `posicao`, which is moved past it. At most 10 bytes, the tenth carrying only the
// top bit of a 64-bit value; a longer or overflowing varint, or one cut off by the end, throws.
[[nodiscard]] quint64 lerVarint(const QByteArray &bytes, qsizetype &posicao);

// The fields of one message, in order. Wire types 3, 4, 6 and 7, a length running past the end and
// a malformed varint throw; a fixed-size field running past the end ends the message there.
[[nodiscard]] QList<Campo> lerCampos(const QByteArray &bytes);

} // namespace MigracaoGoogle
