// Base32 decoding never crashes and only fails with its own code; encoding any bytes decodes
// back to them, and a decoded text re-encodes to one that decodes the same.
#include "core/Codecs.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dados, size_t tamanho)
{
    const QByteArray bytes(reinterpret_cast<const char *>(dados), static_cast<qsizetype>(tamanho));
    if (!bytes.isEmpty() && Cripto::decodificarBase32(Cripto::codificarBase32(bytes)) != bytes)
        std::abort();

    const QString texto = QString::fromUtf8(bytes);
    try {
        const QByteArray decodificado = Cripto::decodificarBase32(texto);
        if (!decodificado.isEmpty()
            && Cripto::decodificarBase32(Cripto::codificarBase32(decodificado)) != decodificado)
            std::abort();
    } catch (const ErroDeCripto &e) {
        if (e.codigo != u"base32-invalido")
            std::abort();
    }
    return 0;
}
