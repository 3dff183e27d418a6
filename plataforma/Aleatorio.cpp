#include "plataforma/Aleatorio.h"

#include <openssl/rand.h>

#include <climits>
#include <cstdio>
#include <cstdlib>

namespace Aleatorio {

QByteArray bytes(qsizetype quantidade)
{
    if (quantidade < 0) {
        std::fputs("Aleatorio::bytes: negative count\n", stderr);
        std::abort();
    }
    QByteArray saida(quantidade, '\0');
    auto *dados = reinterpret_cast<unsigned char *>(saida.data());
    for (qsizetype feito = 0; feito < quantidade;) {
        const int parte = static_cast<int>(std::min<qsizetype>(quantidade - feito, INT_MAX));
        if (RAND_bytes(dados + feito, parte) != 1) {
            // Unfilled or predictable bytes would be worse than stopping.
            std::fputs("Aleatorio::bytes: RAND_bytes failed\n", stderr);
            std::abort();
        }
        feito += parte;
    }
    return saida;
}

} // namespace Aleatorio
