// Base64url decoding never crashes; whatever decodes re-encodes to a text that decodes to the
// same bytes, and encoding any bytes decodes back to them.
#include "core/Codecs.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dados, size_t tamanho)
{
    const QByteArray bytes(reinterpret_cast<const char *>(dados), static_cast<qsizetype>(tamanho));
    if (Cripto::decodificarBase64URL(Cripto::codificarBase64URL(bytes)) != bytes)
        std::abort();

    const QString texto = QString::fromUtf8(bytes);
    try {
        const QByteArray decodificado = Cripto::decodificarBase64URL(texto);
        if (Cripto::decodificarBase64URL(Cripto::codificarBase64URL(decodificado)) != decodificado)
            std::abort();
    } catch (const ErroDeCripto &e) {
        if (e.codigo != u"base64-invalido")
            std::abort();
    }
    return 0;
}
