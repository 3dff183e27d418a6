// Any text read from a QR code or pasted into the code editor (a migration link, an otpauth
// link, a bare secret or anything else) gives only codes that can be saved and shown: a
// non-empty upper-case secret, accepted digits and period, and a code computed from them.
#include "ImportacaoDeLeituras.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

void ler(const QList<QString> &textos)
{
    for (const CodigoImportado &codigo : codigosDasLeituras(textos)) {
        if (codigo.segredo.isEmpty() || codigo.segredo != codigo.segredo.toUpper() || codigo.id.isNull()
            || codigo.digitos < 6 || codigo.digitos > 8 || codigo.periodo < 1)
            __builtin_trap();
        const QString gerado =
            dadosDeCodigo(codigo).parametros().codigo(QDateTime::fromSecsSinceEpoch(1700000000));
        if (gerado.size() != codigo.digitos)
            __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dados, size_t tamanho)
{
    const QByteArray bytes(reinterpret_cast<const char *>(dados), qsizetype(tamanho));
    const QString texto = QString::fromUtf8(bytes);
    ler({texto});
    // Past each prefix test, with the payload as a well-formed migration link carries it.
    ler({QStringLiteral("otpauth://totp/") + texto, QStringLiteral(" OTPAUTH-MIGRATION://offline?data=") +
             QString::fromLatin1(bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals))});
    return 0;
}
