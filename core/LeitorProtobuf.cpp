#include "core/LeitorProtobuf.h"

namespace MigracaoGoogle {

namespace {

[[noreturn]] void falhar() { throw ErroDeCripto(QStringLiteral("migracao-invalida")); }

// A 64-bit value needs ten groups of 7 bits; the tenth group may only hold bit 63.
constexpr int maiorVarint = 10;

// Moves `posicao` past `quantos` bytes, refusing to leave the message. The comparison is against
// what is left, so a huge length cannot wrap around.
void avancar(const QByteArray &bytes, qsizetype &posicao, quint64 quantos)
{
    const quint64 restantes = quint64(bytes.size() - posicao);
    if (quantos > restantes)
        falhar();
    posicao += qsizetype(quantos);
}

} // namespace

quint64 lerVarint(const QByteArray &bytes, qsizetype &posicao)
{
    if (posicao < 0)
        falhar();
    quint64 valor = 0;
    for (int i = 0; i < maiorVarint; ++i) {
        if (posicao >= bytes.size())
            falhar();
        const auto byte = quint8(bytes[posicao]);
        ++posicao;
        if (i == maiorVarint - 1 && byte > 1)
            falhar(); // an eleventh byte would follow, or bits beyond 64 are set
        valor |= quint64(byte & 0x7F) << (7 * i);
        if ((byte & 0x80) == 0)
            return valor;
    }
    falhar(); // unreachable: the tenth byte either ends the number or was refused
}

QList<Campo> lerCampos(const QByteArray &bytes)
{
    QList<Campo> campos;
    qsizetype posicao = 0;
    while (posicao < bytes.size()) {
        const quint64 chave = lerVarint(bytes, posicao);
        const auto numero = qint64(chave >> 3);
        switch (chave & 7) {
        case 0: {
            const quint64 valor = lerVarint(bytes, posicao);
            campos.append({numero, valor, std::nullopt});
            break;
        }
        case 1:
        case 5: {
            // Fixed-size fields are not recorded; one cut short by the end just ends the message,
            // keeping the fields read before it.
            const quint64 tamanho = (chave & 7) == 1 ? 8 : 4;
            if (tamanho > quint64(bytes.size() - posicao))
                return campos;
            posicao += qsizetype(tamanho);
            break;
        }
        case 2: {
            const quint64 tamanho = lerVarint(bytes, posicao);
            const qsizetype inicio = posicao;
            avancar(bytes, posicao, tamanho);
            campos.append({numero, std::nullopt, bytes.mid(inicio, posicao - inicio)});
            break;
        }
        default: // groups (3, 4) and the unused types 6 and 7
            falhar();
        }
    }
    return campos;
}

} // namespace MigracaoGoogle
