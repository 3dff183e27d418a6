// Turning the texts read from QR codes, the clipboard or the link field into one-time codes:
// "otpauth-migration:" links give many, "otpauth:" links one, anything else is tried as a bare
// base32 secret. Texts that give nothing are skipped; an empty text is never a code.
#pragma once

#include "core/ImportacaoDeCodigo.h"

#include <QList>
#include <QString>

[[nodiscard]] QList<CodigoImportado> codigosDasLeituras(const QList<QString> &textos);

// The text the link field's "Usar" and Return act on: nothing to do when it is blank.
[[nodiscard]] bool linkUtilizavel(const QString &link);
