// Fuzzes the direct reading of the local copy: it must never crash or read out of bounds, and
// whatever it takes must be exactly what the general reader makes of the same bytes; read in
// parts on several threads, it must give what it gives in one pass.
#include "core/LeitorDaCopia.h"

#include <cstdint>
#include <cstdlib>
#include <optional>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dados, size_t tamanho)
{
    // No copy: a read past the end hits the fuzzer's exactly-sized buffer and is reported.
    const QByteArray entrada = QByteArray::fromRawData(reinterpret_cast<const char *>(dados),
                                                       static_cast<qsizetype>(tamanho));
    std::optional<CopiaDoCofre> direta;
    bool diretaFalhou = false;
    try {
        direta = LeitorDaCopia::lerDireto(entrada);
    } catch (const ErroDeDecodificacao &) {
        diretaFalhou = true;
    }
    std::optional<CopiaDoCofre> geral;
    try {
        geral = CopiaDoCofre::deJSON(Leitor(CodificacaoJSON::lerDocumento(entrada)));
    } catch (const ErroDeDecodificacao &) {
    }
    try {
        if (LeitorDaCopia::lerDireto(entrada, 0) != direta || diretaFalhou)
            std::abort();
    } catch (const ErroDeDecodificacao &) {
        if (!diretaFalhou)
            std::abort();
    }
    if (diretaFalhou && geral)
        std::abort();
    if (direta && direta != geral)
        std::abort();
    return 0;
}
