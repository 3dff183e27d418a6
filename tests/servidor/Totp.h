// The development server's own time-based one-time codes (HMAC-SHA1, 30-second steps, six
// digits): the second factor it asks for at sign-in. Kept apart from the product's code so the
// server stays an independent peer.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace Servidor {

// The six-digit code of `segredo` for the 30-second step that holds `instante`.
[[nodiscard]] QString codigoTotp(const QByteArray &segredo, const QDateTime &instante);

// True when `codigo` is the code of the step of `instante` or of one step either side
// (clocks of phone and server drift a little).
[[nodiscard]] bool conferirTotp(const QByteArray &segredo, const QString &codigo, const QDateTime &instante);

} // namespace Servidor
