// Opening arbitrary text never crashes and fails only with the opener's own codes; sealing the
// input and opening it again gives it back; the store's form of any text gives back its exact
// bytes and opens as the text does.
#include "core/Envelope.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
const QByteArray chave(32, '\x42');
const QString rotulo = QStringLiteral("corvane/v1/item:fuzz");
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dados, size_t tamanho)
{
    const QByteArray bytes(reinterpret_cast<const char *>(dados), static_cast<qsizetype>(tamanho));
    try {
        (void)Cripto::abrirEnvelope(QString::fromUtf8(bytes), chave, rotulo);
    } catch (const ErroDeCripto &e) {
        if (e.codigo != u"formato-desconhecido" && e.codigo != u"base64-invalido" && e.codigo != u"falha-ao-decifrar")
            std::abort();
    }

    const TextoSelado guardado = TextoSelado::deUtf8(bytes);
    if (!bytes.startsWith('\xFF') && (guardado.utf8() != bytes || guardado.size() != bytes.size()))
        std::abort();
    if (guardado.compacto()) {
        QByteArray doTexto, doGuardado;
        try {
            doTexto = Cripto::abrirEnvelope(bytes, chave, rotulo);
        } catch (const ErroDeCripto &) {
            doTexto = "falhou";
        }
        try {
            doGuardado = Cripto::abrirEnvelope(guardado, chave, rotulo);
        } catch (const ErroDeCripto &) {
            doGuardado = "falhou";
        }
        if (doTexto != doGuardado)
            std::abort();
    }

    const QByteArray nonce = bytes.left(12).leftJustified(12, '\0');
    const QString envelope = Cripto::selarEnvelope(bytes, chave, rotulo, nonce);
    if (Cripto::abrirEnvelope(envelope, chave, rotulo) != bytes)
        std::abort();
    return 0;
}
