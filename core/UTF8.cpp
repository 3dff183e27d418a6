#include "core/UTF8.h"

#include <cstdint>
#include <cstring>

namespace {
constexpr char16_t substituto = 0xFFFD;

bool soAscii(const unsigned char *p, qsizetype n)
{
    qsizetype i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t oito;
        std::memcpy(&oito, p + i, 8);
        if (oito & 0x8080808080808080ULL)
            return false;
    }
    for (; i < n; ++i)
        if (p[i] >= 0x80)
            return false;
    return true;
}
} // namespace

QString decodificarUTF8(const unsigned char *p, qsizetype n, bool *reparado)
{
    // Plain ASCII (every envelope, id and date, most other texts) widens as Latin-1, which Qt
    // does in bulk; the result is the same.
    if (soAscii(p, n)) {
        if (reparado)
            *reparado = false;
        return QString::fromLatin1(reinterpret_cast<const char *>(p), n);
    }
    QString texto(n, Qt::Uninitialized); // never more code units than bytes
    char16_t *saida = reinterpret_cast<char16_t *>(texto.data());
    qsizetype k = 0;
    qsizetype i = 0;
    qsizetype substituicoes = 0;
    while (i < n) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            saida[k++] = b;
            ++i;
            continue;
        }
        int comprimento = 0;
        unsigned char menor = 0x80, maior = 0xBF; // allowed range of the second byte
        char32_t ponto = 0;
        if (b >= 0xC2 && b <= 0xDF) {
            comprimento = 2;
            ponto = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            comprimento = 3;
            ponto = b & 0x0F;
            if (b == 0xE0)
                menor = 0xA0; // overlong
            else if (b == 0xED)
                maior = 0x9F; // surrogates
        } else if (b >= 0xF0 && b <= 0xF4) {
            comprimento = 4;
            ponto = b & 0x07;
            if (b == 0xF0)
                menor = 0x90; // overlong
            else if (b == 0xF4)
                maior = 0x8F; // above U+10FFFF
        } else {
            saida[k++] = substituto;
            ++substituicoes;
            ++i;
            continue;
        }
        int j = 1;
        for (; j < comprimento; ++j) {
            if (i + j >= n)
                break;
            const unsigned char c = p[i + j];
            if (c < menor || c > maior)
                break;
            ponto = (ponto << 6) | (c & 0x3F);
            menor = 0x80;
            maior = 0xBF;
        }
        if (j < comprimento) {
            saida[k++] = substituto;
            ++substituicoes;
            i += j;
            continue;
        }
        if (ponto >= 0x10000) {
            saida[k++] = static_cast<char16_t>(0xD800 + ((ponto - 0x10000) >> 10));
            saida[k++] = static_cast<char16_t>(0xDC00 + ((ponto - 0x10000) & 0x3FF));
        } else {
            saida[k++] = static_cast<char16_t>(ponto);
        }
        i += comprimento;
    }
    if (reparado)
        *reparado = substituicoes > 0;
    texto.truncate(k);
    // The room was sized for the bytes: a text kept in memory gives back the slack (two thirds of
    // it for CJK, where three bytes make one code unit) once it spans at least one heap granule.
    if (n - k >= 8)
        texto.squeeze();
    return texto;
}

std::optional<qsizetype> unidadesEmUTF16(const unsigned char *p, qsizetype n)
{
    qsizetype unidades = 0;
    qsizetype i = 0;
    while (i < n) {
        // Runs of ASCII eight bytes at a time: one unit a byte.
        if (i + 8 <= n) {
            std::uint64_t oito;
            std::memcpy(&oito, p + i, 8);
            if (!(oito & 0x8080808080808080ULL)) {
                i += 8;
                unidades += 8;
                continue;
            }
        }
        const unsigned char b = p[i];
        if (b < 0x80) {
            ++i;
            ++unidades;
            continue;
        }
        int comprimento = 0;
        unsigned char menor = 0x80, maior = 0xBF; // allowed range of the second byte
        if (b >= 0xC2 && b <= 0xDF) {
            comprimento = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            comprimento = 3;
            if (b == 0xE0)
                menor = 0xA0; // overlong
            else if (b == 0xED)
                maior = 0x9F; // surrogates
        } else if (b >= 0xF0 && b <= 0xF4) {
            comprimento = 4;
            if (b == 0xF0)
                menor = 0x90; // overlong
            else if (b == 0xF4)
                maior = 0x8F; // above U+10FFFF
        } else {
            return std::nullopt;
        }
        if (n - i < comprimento || p[i + 1] < menor || p[i + 1] > maior)
            return std::nullopt;
        for (int j = 2; j < comprimento; ++j)
            if (p[i + j] < 0x80 || p[i + j] > 0xBF)
                return std::nullopt;
        i += comprimento;
        unidades += comprimento == 4 ? 2 : 1;
    }
    return unidades;
}
