// Any text given to the otpauth link reader either throws ErroDeCripto or gives a record whose
// values a code can be computed from.
#include "core/ImportacaoDeCodigo.h"

#include <QDateTime>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

void verificar(const CodigoImportado &codigo)
{
    if (codigo.digitos < 6 || codigo.digitos > 8 || codigo.periodo < 5 || codigo.periodo > 300
        || codigo.segredo.isEmpty() || codigo.segredo != codigo.segredo.toUpper() || codigo.id.isNull())
        __builtin_trap();
    // The stored content must give a code: secret and digits were checked on import.
    const QString gerado = dadosDeCodigo(codigo).parametros().codigo(QDateTime::fromSecsSinceEpoch(1700000000));
    if (gerado.size() != codigo.digitos)
        __builtin_trap();
}

void ler(const QString &texto)
{
    try {
        verificar(importarOtpauth(texto));
    } catch (const ErroDeCripto &) {
        // refused input is the expected outcome for most texts
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dados, size_t tamanho)
{
    const QString texto = QString::fromUtf8(reinterpret_cast<const char *>(dados), qsizetype(tamanho));
    ler(texto);
    // The same text as the label and parameters of a well-formed start, to reach past the scheme.
    ler(QStringLiteral("otpauth://totp/") + texto);
    return 0;
}
