// Any bytes given to the migration reader, as raw protocol-buffers fields, as a payload inside a
// well-formed link, or as the link text itself, either throw ErroDeCripto or give sound records.
#include "core/ImportacaoDeCodigo.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

void verificar(const QList<CodigoImportado> &codigos)
{
    for (const CodigoImportado &codigo : codigos) {
        // An empty secret field gives an empty secret; any other is upper-case base32.
        if ((codigo.digitos != 6 && codigo.digitos != 8) || codigo.periodo != 30
            || codigo.segredo != codigo.segredo.toUpper() || codigo.segredo.contains(u'=') || codigo.id.isNull())
            __builtin_trap();
    }
}

void lerLink(const QString &link)
{
    try {
        verificar(MigracaoGoogle::ler(link));
    } catch (const ErroDeCripto &) {
        // a malformed payload is refused as a whole
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dados, size_t tamanho)
{
    const QByteArray bytes(reinterpret_cast<const char *>(dados), qsizetype(tamanho));

    try {
        const QList<MigracaoGoogle::Campo> campos = MigracaoGoogle::lerCampos(bytes);
        for (const MigracaoGoogle::Campo &campo : campos) {
            if (campo.bytes.has_value() == campo.numeroValor.has_value() || campo.numero < 0
                || (campo.bytes && campo.bytes->size() > bytes.size()))
                __builtin_trap();
        }
    } catch (const ErroDeCripto &) {
    }

    qsizetype posicao = 0;
    try {
        (void)MigracaoGoogle::lerVarint(bytes, posicao);
        if (posicao < 1 || posicao > 10 || posicao > bytes.size())
            __builtin_trap();
    } catch (const ErroDeCripto &) {
    }

    lerLink(QStringLiteral("otpauth-migration://offline?data=")
            + QString::fromLatin1(bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals)));
    lerLink(QString::fromUtf8(bytes));
    return 0;
}
