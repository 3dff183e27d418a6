// Any line given to the extension's request reader is refused or read into a request that the
// host's writer puts back into a line read as the same request; the answer reader likewise.
#include "autofill/protocolo/ProtocoloDoAnfitriao.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dados, size_t tamanho)
{
    const QByteArray linha(reinterpret_cast<const char *>(dados), qsizetype(tamanho));
    if (const auto pedido = PedidoDoAnfitriao::ler(linha)) {
        const QByteArray escrita = pedido->linha();
        if (escrita.count('\n') != 1 || !escrita.endsWith('\n') || PedidoDoAnfitriao::ler(escrita) != pedido)
            __builtin_trap();
    }
    if (const auto resposta = RespostaDaExtensao::ler(linha)) {
        if (RespostaDaExtensao::ler(resposta->linha()) != resposta)
            __builtin_trap();
    }
    return 0;
}
