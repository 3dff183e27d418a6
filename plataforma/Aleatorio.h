// The system's cryptographic random generator.
#pragma once

#include <QByteArray>

namespace Aleatorio {
// `quantidade` random bytes from OpenSSL's RAND_bytes; aborts the process on failure
// or on a negative count rather than hand out unfilled bytes.
[[nodiscard]] QByteArray bytes(qsizetype quantidade);
} // namespace Aleatorio
