// Reading one-time codes from the links that sites show as QR codes ("otpauth://totp/…") and from
// the export links of other authenticator apps ("otpauth-migration://…", a base64 protocol-buffers
// payload with many accounts), and turning a code read into a new code content.
#pragma once

#include "core/ConteudoDoItem.h"
#include "core/ErroDeCripto.h"
#include "core/LeitorProtobuf.h"
#include "core/Totp.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUuid>

// One code read from a link.
struct CodigoImportado {
    QUuid id;        // made fresh for every record read; not compared
    QString emissor; // trimmed
    QString conta;   // trimmed
    QString segredo; // base32, upper case, no padding
    AlgoritmoTotp algoritmo = AlgoritmoTotp::sha1;
    qint64 digitos = 6;
    qint64 periodo = 30;

    friend bool operator==(const CodigoImportado &a, const CodigoImportado &b)
    {
        return a.emissor == b.emissor && a.conta == b.conta && a.segredo == b.segredo && a.algoritmo == b.algoritmo
               && a.digitos == b.digitos && a.periodo == b.periodo;
    }
};

// Reads an "otpauth://totp/…" link. Throws ErroDeCripto "uri-invalida", "so-totp", "sem-segredo",
// "digitos-invalidos" (not 6, 7 or 8), "periodo-invalido" (not 5 to 300 seconds), "base32-invalido"
// or "algoritmo-nao-suportado", the first one met.
[[nodiscard]] CodigoImportado importarOtpauth(const QString &texto);

// A new code content holding the record: every key of the kind in stored order, not a favourite,
// no notes and no sites.
[[nodiscard]] DadosDeCodigo dadosDeCodigo(const CodigoImportado &codigo);

namespace MigracaoGoogle {

// The time-based accounts of an "otpauth-migration://…?data=…" link, in payload order; accounts
// without a secret field, counter-based ones and MD5 ones are left out, so the
// list may be shorter than the payload or empty. Throws "uri-invalida" for another scheme or a text
// that is not a link, and "migracao-invalida" for a missing, non-base64 or malformed payload.
[[nodiscard]] QList<CodigoImportado> ler(const QString &texto);

// The payload bytes of a "data" value, accepting base64url, missing padding and "+" turned into
// spaces; throws "migracao-invalida".
[[nodiscard]] QByteArray decodificarDados(const QString &texto);

} // namespace MigracaoGoogle
