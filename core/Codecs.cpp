#include "core/Codecs.h"

#include "plataforma/Aleatorio.h"

#include <QChar>

#include <array>
#include <bit>
#include <cstring>
#include <cstdint>

namespace Cripto {

namespace {

// The tables are compile-time constants: immutable and shared by every thread without a guard.
constexpr char alfabeto64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
constexpr char alfabeto32[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ234567";
constexpr std::uint8_t invalido = 0xFF;

// Byte → 6-bit value; "+" and "/" share the values of "-" and "_" so standard base64 reads too.
constexpr std::array<std::uint8_t, 128> reverso64 = [] {
    std::array<std::uint8_t, 128> tabela{};
    tabela.fill(invalido);
    for (std::uint8_t i = 0; i < 64; ++i)
        tabela[static_cast<unsigned char>(alfabeto64[i])] = i;
    tabela['+'] = 62;
    tabela['/'] = 63;
    return tabela;
}();

// Upper-case ASCII letter or digit → 5-bit value.
constexpr std::array<std::uint8_t, 128> reverso32 = [] {
    std::array<std::uint8_t, 128> tabela{};
    tabela.fill(invalido);
    for (std::uint8_t i = 0; i < 32; ++i)
        tabela[static_cast<unsigned char>(alfabeto32[i])] = i;
    return tabela;
}();

[[noreturn]] void falharBase64()
{
    throw ErroDeCripto(QStringLiteral("base64-invalido"));
}

[[noreturn]] void falharBase32()
{
    throw ErroDeCripto(QStringLiteral("base32-invalido"));
}

// Two characters per 12-bit value, as the two UTF-16 units in memory order, so the encoder
// writes a group of four characters with two stores.
constexpr std::array<std::uint32_t, 4096> pares64 = [] {
    std::array<std::uint32_t, 4096> tabela{};
    for (std::uint32_t v = 0; v < 4096; ++v) {
        const std::uint32_t primeiro = static_cast<unsigned char>(alfabeto64[v >> 6]);
        const std::uint32_t segundo = static_cast<unsigned char>(alfabeto64[v & 63]);
        tabela[v] = std::endian::native == std::endian::little ? primeiro | (segundo << 16) : (primeiro << 16) | segundo;
    }
    return tabela;
}();

// The same pairs as two bytes in memory order, for the byte writer.
constexpr std::array<std::uint16_t, 4096> paresEmBytes64 = [] {
    std::array<std::uint16_t, 4096> tabela{};
    for (std::uint32_t v = 0; v < 4096; ++v) {
        const std::uint32_t primeiro = static_cast<unsigned char>(alfabeto64[v >> 6]);
        const std::uint32_t segundo = static_cast<unsigned char>(alfabeto64[v & 63]);
        tabela[v] = static_cast<std::uint16_t>(std::endian::native == std::endian::little ? primeiro | (segundo << 8)
                                                                                          : (primeiro << 8) | segundo);
    }
    return tabela;
}();

// The decoder's tables: the 6-bit value of a character already shifted into its place in a
// 24-bit group, one table per position; an invalid character sets the top bit, so one test
// after OR-ing the four checks the whole group.
constexpr std::uint32_t invalidoNoGrupo = 0x80000000U;
constexpr std::array<std::array<std::uint32_t, 128>, 4> deslocados64 = [] {
    std::array<std::array<std::uint32_t, 128>, 4> tabelas{};
    for (int posicao = 0; posicao < 4; ++posicao)
        for (int c = 0; c < 128; ++c)
            tabelas[posicao][c] = reverso64[c] == invalido ? invalidoNoGrupo
                                                           : std::uint32_t{reverso64[c]} << (18 - 6 * posicao);
    return tabelas;
}();

// The same over every byte value (any at or above 128 invalid), so the byte decoder looks up
// without testing for ASCII first.
constexpr std::array<std::array<std::uint32_t, 256>, 4> deslocadosEmBytes64 = [] {
    std::array<std::array<std::uint32_t, 256>, 4> tabelas{};
    for (int posicao = 0; posicao < 4; ++posicao)
        for (int c = 0; c < 256; ++c)
            tabelas[posicao][c] = c < 128 ? deslocados64[posicao][c] : invalidoNoGrupo;
    return tabelas;
}();

// One character's contribution at `posicao` of its group; any non-ASCII unit is invalid.
std::uint32_t noGrupo(char16_t c, int posicao)
{
    return c < 128 ? deslocados64[posicao][c] : invalidoNoGrupo;
}

} // namespace

namespace detalhe {

char16_t *escreverBase64URL(const char *bytes, qsizetype tamanho, char16_t *destino)
{
    const auto *b = reinterpret_cast<const unsigned char *>(bytes);
    const qsizetype n = tamanho;
    qsizetype i = 0;
    for (; i + 3 <= n; i += 3) {
        const std::uint32_t grupo = (std::uint32_t{b[i]} << 16) | (std::uint32_t{b[i + 1]} << 8) | b[i + 2];
        // Two characters per store, straight from the table.
        std::memcpy(destino, &pares64[grupo >> 12], sizeof(std::uint32_t));
        std::memcpy(destino + 2, &pares64[grupo & 0xFFF], sizeof(std::uint32_t));
        destino += 4;
    }
    if (n - i == 2) {
        *destino++ = static_cast<char16_t>(alfabeto64[b[i] >> 2]);
        *destino++ = static_cast<char16_t>(alfabeto64[((b[i] & 3) << 4) | (b[i + 1] >> 4)]);
        *destino++ = static_cast<char16_t>(alfabeto64[(b[i + 1] & 15) << 2]);
    } else if (n - i == 1) {
        *destino++ = static_cast<char16_t>(alfabeto64[b[i] >> 2]);
        *destino++ = static_cast<char16_t>(alfabeto64[(b[i] & 3) << 4]);
    }
    return destino;
}

char *escreverBase64URL(const char *bytes, qsizetype tamanho, char *destino)
{
    const auto *b = reinterpret_cast<const unsigned char *>(bytes);
    const qsizetype n = tamanho;
    qsizetype i = 0;
    if constexpr (std::endian::native == std::endian::little) {
        // Two groups a step, their eight characters in one store.
        for (; i + 6 <= n; i += 6) {
            const std::uint32_t a = (std::uint32_t{b[i]} << 16) | (std::uint32_t{b[i + 1]} << 8) | b[i + 2];
            const std::uint32_t z = (std::uint32_t{b[i + 3]} << 16) | (std::uint32_t{b[i + 4]} << 8) | b[i + 5];
            const std::uint64_t oito = std::uint64_t{paresEmBytes64[a >> 12]} | (std::uint64_t{paresEmBytes64[a & 0xFFF]} << 16)
                                       | (std::uint64_t{paresEmBytes64[z >> 12]} << 32)
                                       | (std::uint64_t{paresEmBytes64[z & 0xFFF]} << 48);
            std::memcpy(destino, &oito, sizeof oito);
            destino += 8;
        }
    }
    for (; i + 3 <= n; i += 3) {
        const std::uint32_t grupo = (std::uint32_t{b[i]} << 16) | (std::uint32_t{b[i + 1]} << 8) | b[i + 2];
        std::memcpy(destino, &paresEmBytes64[grupo >> 12], sizeof(std::uint16_t));
        std::memcpy(destino + 2, &paresEmBytes64[grupo & 0xFFF], sizeof(std::uint16_t));
        destino += 4;
    }
    if (n - i == 2) {
        *destino++ = alfabeto64[b[i] >> 2];
        *destino++ = alfabeto64[((b[i] & 3) << 4) | (b[i + 1] >> 4)];
        *destino++ = alfabeto64[(b[i + 1] & 15) << 2];
    } else if (n - i == 1) {
        *destino++ = alfabeto64[b[i] >> 2];
        *destino++ = alfabeto64[(b[i] & 3) << 4];
    }
    return destino;
}

bool ehBase64URLCanonico(QByteArrayView texto)
{
    const qsizetype n = texto.size();
    if (n % 4 == 1)
        return false;
    const auto *c = reinterpret_cast<const unsigned char *>(texto.data());
    for (qsizetype i = 0; i < n; ++i) {
        // Only the URL alphabet: "+", "/" and "=" decode too, but would not be written back.
        if (c[i] >= 128 || reverso64[c[i]] == invalido || c[i] == '+' || c[i] == '/')
            return false;
    }
    // The last character of a tail carries bits past the data: a writer leaves them zero.
    if (n % 4 == 2)
        return (reverso64[c[n - 1]] & 15) == 0;
    if (n % 4 == 3)
        return (reverso64[c[n - 1]] & 3) == 0;
    return true;
}

namespace {

// Over UTF-16 code units or bytes alike: anything at or above 128 is no base64 character.
// The characters that count: trailing "=" dropped; a count no text of whole bytes has is refused.
template <typename Unidade>
qsizetype semIguais(const Unidade *c, qsizetype n)
{
    while (n > 0 && c[n - 1] == Unidade('='))
        --n;
    if (n % 4 == 1)
        falharBase64();
    return n;
}

constexpr qsizetype decodificados(qsizetype caracteres)
{
    return caracteres / 4 * 3 + (caracteres % 4 == 0 ? 0 : caracteres % 4 - 1);
}

// Decodes `n` characters (no "=") into decodificados(n) bytes at `destino`.
template <typename Unidade>
void decodificarEm(const Unidade *c, qsizetype n, unsigned char *destino)
{
    qsizetype i = 0;
    for (; i + 4 <= n; i += 4) {
        std::uint32_t grupo;
        if constexpr (sizeof(Unidade) == 1) {
            grupo = deslocadosEmBytes64[0][c[i]] | deslocadosEmBytes64[1][c[i + 1]]
                    | deslocadosEmBytes64[2][c[i + 2]] | deslocadosEmBytes64[3][c[i + 3]];
        } else {
            // One test for "all four are ASCII", then plain lookups.
            if ((c[i] | c[i + 1] | c[i + 2] | c[i + 3]) >= 128)
                falharBase64();
            grupo = deslocados64[0][c[i]] | deslocados64[1][c[i + 1]] | deslocados64[2][c[i + 2]]
                    | deslocados64[3][c[i + 3]];
        }
        if (grupo & invalidoNoGrupo)
            falharBase64();
        destino[0] = static_cast<unsigned char>(grupo >> 16);
        destino[1] = static_cast<unsigned char>(grupo >> 8);
        destino[2] = static_cast<unsigned char>(grupo);
        destino += 3;
    }
    // A tail of 2 or 3 characters gives 1 or 2 bytes; its leftover low bits are dropped unchecked.
    if (const qsizetype resto = n - i; resto >= 2) {
        const std::uint32_t grupo = noGrupo(c[i], 0) | noGrupo(c[i + 1], 1) | (resto == 3 ? noGrupo(c[i + 2], 2) : 0);
        if (grupo & invalidoNoGrupo)
            falharBase64();
        *destino++ = static_cast<unsigned char>(grupo >> 16);
        if (resto == 3)
            *destino++ = static_cast<unsigned char>(grupo >> 8);
    }
}

template <typename Unidade>
QByteArray decodificarUnidades(const Unidade *c, qsizetype n)
{
    n = semIguais(c, n);
    QByteArray saida(decodificados(n), Qt::Uninitialized);
    decodificarEm(c, n, reinterpret_cast<unsigned char *>(saida.data()));
    return saida;
}

} // namespace

QByteArray decodificarBase64URL(QStringView texto)
{
    return decodificarUnidades(texto.utf16(), texto.size());
}

QByteArray decodificarBase64URL(QByteArrayView texto)
{
    return decodificarUnidades(reinterpret_cast<const unsigned char *>(texto.data()), texto.size());
}

namespace {

template <typename Unidade>
qsizetype decodificarUnidadesEm(const Unidade *c, qsizetype n, char *destino, qsizetype capacidade)
{
    const qsizetype semIgual = semIguais(c, n);
    if (decodificados(semIgual) > capacidade)
        return -1;
    decodificarEm(c, semIgual, reinterpret_cast<unsigned char *>(destino));
    return decodificados(semIgual);
}

} // namespace

qsizetype decodificarBase64URLEm(QStringView texto, char *destino, qsizetype capacidade)
{
    return decodificarUnidadesEm(texto.utf16(), texto.size(), destino, capacidade);
}

qsizetype decodificarBase64URLEm(QByteArrayView texto, char *destino, qsizetype capacidade)
{
    return decodificarUnidadesEm(reinterpret_cast<const unsigned char *>(texto.data()), texto.size(), destino,
                                 capacidade);
}

} // namespace detalhe

QString codificarBase64URL(const QByteArray &bytes)
{
    QString saida(detalhe::tamanhoEmBase64URL(bytes.size()), Qt::Uninitialized);
    detalhe::escreverBase64URL(bytes.constData(), bytes.size(), reinterpret_cast<char16_t *>(saida.data()));
    return saida;
}

QByteArray decodificarBase64URL(const QString &texto)
{
    return detalhe::decodificarBase64URL(QStringView(texto));
}

QString codificarBase32(const QByteArray &bytes)
{
    QString saida;
    saida.reserve((bytes.size() * 8 + 4) / 5);
    std::uint32_t acumulado = 0;
    int bits = 0;
    for (const char byte : bytes) {
        acumulado = (acumulado << 8) | static_cast<unsigned char>(byte);
        bits += 8;
        while (bits >= 5) {
            bits -= 5;
            saida.append(QLatin1Char(alfabeto32[(acumulado >> bits) & 31]));
        }
    }
    if (bits > 0)
        saida.append(QLatin1Char(alfabeto32[(acumulado << (5 - bits)) & 31]));
    return saida;
}

QByteArray decodificarBase32(const QString &texto)
{
    QByteArray saida;
    saida.reserve(texto.size() * 5 / 8);
    std::uint32_t acumulado = 0;
    int bits = 0;
    bool algumCaractere = false;
    for (const QChar qc : texto) {
        const char16_t c = qc.unicode();
        if (c == u'=' || c == u'-' || qc.isSpace())
            continue;
        // Only ASCII is upper-cased: a full Unicode upper-casing would turn letters such as "ß"
        // or the dotless "ı" into alphabet characters and accept them.
        const char16_t maiuscula = (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
        const std::uint8_t valor = maiuscula < 128 ? reverso32[maiuscula] : invalido;
        if (valor == invalido)
            falharBase32();
        algumCaractere = true;
        acumulado = ((acumulado << 5) | valor) & 0xFFF;
        bits += 5;
        if (bits >= 8) {
            bits -= 8;
            saida.append(static_cast<char>((acumulado >> bits) & 0xFF));
        }
    }
    if (!algumCaractere)
        falharBase32();
    return saida;
}

QByteArray bytesAleatorios(qsizetype quantidade)
{
    return Aleatorio::bytes(quantidade);
}

} // namespace Cripto
