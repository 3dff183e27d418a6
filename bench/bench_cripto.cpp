// The vault's key stretching, envelope and base64url codec against the libraries called directly,
// to keep the wrappers' own cost (checks, copies, text building) visible. Every baseline is what a
// careful caller would write by hand: the cipher fetched once, buffers sized once, and the text
// built with a plain table-driven base64url.
#include "core/Chaves.h"
#include "core/Envelope.h"
#include "plataforma/Primitivas.h"

#include <benchmark/benchmark.h>

#include <openssl/evp.h>
#include <sodium.h>

#include <QStringList>

#include <algorithm>
#include <array>
#include <type_traits>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <cstdlib>
#include <vector>

namespace {

const QByteArray sal(16, '\x5a');
const QByteArray chave(32, '\x11');
const QByteArray nonce(12, '\x22');
const QString rotulo = QStringLiteral("corvane/v1/item:0f8e7d6c-5b4a-3928-1706-f5e4d3c2b1a0");
const QByteArray rotuloEmUtf8 = rotulo.toUtf8();

// --- Key stretching: both runs alternate round by round, so load drift on a shared machine
// hits both alike; the figure to read is the median of the per-round ratios. ---

double segundosDe(const auto &funcao)
{
    const auto inicio = std::chrono::steady_clock::now();
    funcao();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
}

double mediana(std::vector<double> valores)
{
    std::sort(valores.begin(), valores.end());
    const std::size_t meio = valores.size() / 2;
    return valores.size() % 2 ? valores[meio] : (valores[meio - 1] + valores[meio]) / 2;
}

void Argon2idIntercalado(benchmark::State &estado)
{
    if (sodium_init() < 0)
        std::abort();
    const QString senha = QStringLiteral("uma senha de exemplo");
    const QByteArray senhaEmUtf8 = senha.toUtf8();
    std::vector<double> peloCofre, direto, razoes;
    for (auto _ : estado) {
        const double cofre = segundosDe([&] {
            benchmark::DoNotOptimize(Cripto::derivarChaveMestra(senha, sal, ParametrosKdf::padrao()));
        });
        unsigned char saida[32];
        const double puro = segundosDe([&] {
            if (crypto_pwhash(saida, sizeof saida, senhaEmUtf8.constData(),
                              static_cast<unsigned long long>(senhaEmUtf8.size()),
                              reinterpret_cast<const unsigned char *>(sal.constData()), 3, 65536ULL * 1024U,
                              crypto_pwhash_alg_argon2id13())
                != 0)
                std::abort();
            benchmark::DoNotOptimize(saida);
        });
        peloCofre.push_back(cofre);
        direto.push_back(puro);
        razoes.push_back(cofre / puro);
        estado.SetIterationTime(cofre + puro);
    }
    estado.counters["cofre_ms"] = mediana(peloCofre) * 1e3;
    estado.counters["direto_ms"] = mediana(direto) * 1e3;
    estado.counters["razao_mediana"] = mediana(razoes);
}

// --- Direct OpenSSL: the cipher fetched once, as our primitives do. ---

const EVP_CIPHER *aesGcm()
{
    static EVP_CIPHER *const cifra = EVP_CIPHER_fetch(nullptr, "AES-256-GCM", nullptr);
    if (!cifra)
        std::abort();
    return cifra;
}

// Seals into `destino` (claro.size() + 16 bytes: ciphertext, then tag).
void selarComEvp(const char *claro, qsizetype tamanho, const QByteArray &associados, char *destino)
{
    EVP_CIPHER_CTX *ctx = EVP_CIPHER_CTX_new();
    auto *saida = reinterpret_cast<unsigned char *>(destino);
    int n = 0;
    if (!ctx
        || EVP_EncryptInit_ex2(ctx, aesGcm(), reinterpret_cast<const unsigned char *>(chave.constData()),
                               reinterpret_cast<const unsigned char *>(nonce.constData()), nullptr)
               != 1
        || EVP_EncryptUpdate(ctx, nullptr, &n, reinterpret_cast<const unsigned char *>(associados.constData()),
                             static_cast<int>(associados.size()))
               != 1
        || EVP_EncryptUpdate(ctx, saida, &n, reinterpret_cast<const unsigned char *>(claro), static_cast<int>(tamanho))
               != 1
        || EVP_EncryptFinal_ex(ctx, saida + n, &n) != 1
        || EVP_CIPHER_CTX_ctrl(ctx, EVP_CTRL_GCM_GET_TAG, 16, saida + tamanho) != 1)
        std::abort();
    EVP_CIPHER_CTX_free(ctx);
}

QByteArray selarComEvp(const QByteArray &claro, const QByteArray &associados)
{
    QByteArray saida(claro.size() + 16, Qt::Uninitialized);
    selarComEvp(claro.constData(), claro.size(), associados, saida.data());
    return saida;
}

// Opens `tamanho` bytes (ciphertext then tag) in place.
void abrirComEvp(char *cifrado, qsizetype tamanho, const QByteArray &associados)
{
    EVP_CIPHER_CTX *ctx = EVP_CIPHER_CTX_new();
    auto *dados = reinterpret_cast<unsigned char *>(cifrado);
    const int claro = static_cast<int>(tamanho - 16);
    int n = 0;
    if (!ctx
        || EVP_DecryptInit_ex2(ctx, aesGcm(), reinterpret_cast<const unsigned char *>(chave.constData()),
                               reinterpret_cast<const unsigned char *>(nonce.constData()), nullptr)
               != 1
        || EVP_DecryptUpdate(ctx, nullptr, &n, reinterpret_cast<const unsigned char *>(associados.constData()),
                             static_cast<int>(associados.size()))
               != 1
        || EVP_DecryptUpdate(ctx, dados, &n, dados, claro) != 1
        || EVP_CIPHER_CTX_ctrl(ctx, EVP_CTRL_GCM_SET_TAG, 16, dados + claro) != 1
        || EVP_DecryptFinal_ex(ctx, dados + n, &n) != 1)
        std::abort();
    EVP_CIPHER_CTX_free(ctx);
}

// --- A fast base64url by hand: the usual tricks (two characters per 12-bit lookup when
// encoding, a table per position when decoding), no checks beyond what valid input needs. ---

constexpr char alfabeto[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

template <typename Caractere>
struct Pares {
    std::array<Caractere, 2> de[4096];
};

template <typename Caractere>
constexpr Pares<Caractere> pares = [] {
    Pares<Caractere> t{};
    for (int v = 0; v < 4096; ++v)
        t.de[v] = {Caractere(alfabeto[v >> 6]), Caractere(alfabeto[v & 63])};
    return t;
}();

template <typename Caractere>
Caractere *base64PorExtenso(const unsigned char *b, qsizetype n, Caractere *d)
{
    qsizetype i = 0;
    for (; i + 3 <= n; i += 3) {
        const unsigned v = (unsigned{b[i]} << 16) | (unsigned{b[i + 1]} << 8) | b[i + 2];
        std::memcpy(d, pares<Caractere>.de[v >> 12].data(), 2 * sizeof(Caractere));
        std::memcpy(d + 2, pares<Caractere>.de[v & 0xFFF].data(), 2 * sizeof(Caractere));
        d += 4;
    }
    if (n - i == 2) {
        const unsigned v = (unsigned{b[i]} << 8) | b[i + 1];
        *d++ = Caractere(alfabeto[v >> 10]);
        *d++ = Caractere(alfabeto[(v >> 4) & 63]);
        *d++ = Caractere(alfabeto[(v << 2) & 63]);
    } else if (n - i == 1) {
        *d++ = Caractere(alfabeto[b[i] >> 2]);
        *d++ = Caractere(alfabeto[(b[i] << 4) & 63]);
    }
    return d;
}

// Value of a character shifted into place for each of the four positions; bit 31 marks a bad one.
constexpr auto deslocados = [] {
    std::array<std::array<std::uint32_t, 256>, 4> t{};
    for (auto &linha : t)
        linha.fill(0x80000000U);
    for (int p = 0; p < 4; ++p)
        for (std::uint32_t i = 0; i < 64; ++i)
            t[p][static_cast<unsigned char>(alfabeto[i])] = i << (18 - 6 * p);
    return t;
}();

// Decodes without padding; aborts on a bad character (the baseline only sees valid text).
template <typename Caractere>
qsizetype base64DePorExtenso(const Caractere *c, qsizetype n, unsigned char *d)
{
    using U = std::make_unsigned_t<Caractere>;
    const auto em = [c](qsizetype i, int p) {
        const U u = static_cast<U>(c[i]);
        return u < 256 ? deslocados[p][u] : 0x80000000U;
    };
    unsigned char *inicio = d;
    qsizetype i = 0;
    for (; i + 4 <= n; i += 4) {
        const std::uint32_t v = em(i, 0) | em(i + 1, 1) | em(i + 2, 2) | em(i + 3, 3);
        if (v & 0x80000000U)
            std::abort();
        d[0] = static_cast<unsigned char>(v >> 16);
        d[1] = static_cast<unsigned char>(v >> 8);
        d[2] = static_cast<unsigned char>(v);
        d += 3;
    }
    if (n - i >= 2) {
        const std::uint32_t v = em(i, 0) | em(i + 1, 1) | (n - i == 3 ? em(i + 2, 2) : 0);
        if (v & 0x80000000U)
            std::abort();
        *d++ = static_cast<unsigned char>(v >> 16);
        if (n - i == 3)
            *d++ = static_cast<unsigned char>(v >> 8);
    }
    return d - inicio;
}

// The envelope writes its text as bytes; so does the baseline.
using Texto = QByteArray;
using Unidade = char;

// The envelope's text by hand: one output allocation per seal, like the envelope, and the
// ciphertext in a scratch buffer sized once, as the envelope's own slice buffer is.
Texto selarPorExtenso(const QByteArray &claro, QByteArray &rascunho)
{
    const qsizetype corpo = claro.size() + 16;
    selarComEvp(claro.constData(), claro.size(), rotuloEmUtf8, rascunho.data());
    Texto texto(3 + 16 + 1 + (corpo * 4 + 2) / 3, Qt::Uninitialized);
    auto *d = reinterpret_cast<Unidade *>(texto.data());
    *d++ = 'v';
    *d++ = '1';
    *d++ = '.';
    d = base64PorExtenso(reinterpret_cast<const unsigned char *>(nonce.constData()), 12, d);
    *d++ = '.';
    base64PorExtenso(reinterpret_cast<const unsigned char *>(rascunho.constData()), corpo, d);
    return texto;
}

// Opening by hand: the fixed positions of the dots of a well-formed text, the body decoded into
// its own allocation (as the envelope's plaintext is) and opened in place.
QByteArray abrirPorExtenso(const Texto &texto)
{
    const auto *c = reinterpret_cast<const Unidade *>(texto.constData());
    if (texto.size() < 20 || c[0] != 'v' || c[1] != '1' || c[2] != '.' || c[19] != '.')
        std::abort();
    unsigned char nonceLido[12];
    if (base64DePorExtenso(c + 3, 16, nonceLido) != 12)
        std::abort();
    const qsizetype tamanho = texto.size() - 20;
    QByteArray corpo(tamanho / 4 * 3 + (tamanho % 4 ? tamanho % 4 - 1 : 0), Qt::Uninitialized);
    base64DePorExtenso(c + 20, tamanho, reinterpret_cast<unsigned char *>(corpo.data()));
    abrirComEvp(corpo.data(), corpo.size(), rotuloEmUtf8);
    corpo.truncate(corpo.size() - 16);
    return corpo;
}

void SelarPeloEnvelope(benchmark::State &estado)
{
    const QByteArray claro(estado.range(0), 'x');
    for (auto _ : estado)
        benchmark::DoNotOptimize(Cripto::selarEnvelope(claro, chave, rotulo, nonce));
    estado.SetBytesProcessed(estado.iterations() * estado.range(0));
}

void SelarPorExtenso(benchmark::State &estado)
{
    const QByteArray claro(estado.range(0), 'x');
    QByteArray rascunho(claro.size() + 16, Qt::Uninitialized);
    if (selarPorExtenso(claro, rascunho) != Cripto::selarEnvelope(claro, chave, rotulo, nonce).utf8())
        estado.SkipWithError("o texto feito à mão difere do envelope");
    for (auto _ : estado)
        benchmark::DoNotOptimize(selarPorExtenso(claro, rascunho));
    estado.SetBytesProcessed(estado.iterations() * estado.range(0));
}

void AbrirPeloEnvelope(benchmark::State &estado)
{
    const QByteArray envelope = Cripto::selarEnvelope(QByteArray(estado.range(0), 'x'), chave, rotulo, nonce).utf8();
    for (auto _ : estado)
        benchmark::DoNotOptimize(Cripto::abrirEnvelope(envelope, chave, rotulo));
    estado.SetBytesProcessed(estado.iterations() * estado.range(0));
}

// An envelope as the store holds one read from the local copy: compact, opened without decoding.
void AbrirGuardadoNoCofre(benchmark::State &estado)
{
    const TextoSelado envelope = TextoSelado::deUtf8(
        Cripto::selarEnvelope(QByteArray(estado.range(0), 'x'), chave, rotulo, nonce).utf8());
    if (!envelope.compacto())
        estado.SkipWithError("o envelope lido não ficou compacto");
    for (auto _ : estado)
        benchmark::DoNotOptimize(Cripto::abrirEnvelope(envelope, chave, rotulo));
    estado.SetBytesProcessed(estado.iterations() * estado.range(0));
}

void AbrirPorExtenso(benchmark::State &estado)
{
    const QByteArray claro(estado.range(0), 'x');
    const QByteArray envelope = Cripto::selarEnvelope(claro, chave, rotulo, nonce).utf8();
    if (abrirPorExtenso(envelope) != claro)
        estado.SkipWithError("a abertura feita à mão não devolveu o texto claro");
    for (auto _ : estado)
        benchmark::DoNotOptimize(abrirPorExtenso(envelope));
    estado.SetBytesProcessed(estado.iterations() * estado.range(0));
}

// The cipher alone, for scale.
void SelarSoComEvp(benchmark::State &estado)
{
    const QByteArray claro(estado.range(0), 'x');
    for (auto _ : estado)
        benchmark::DoNotOptimize(selarComEvp(claro, rotuloEmUtf8));
    estado.SetBytesProcessed(estado.iterations() * estado.range(0));
}

// --- The codec alone, on a body of the same size, against libsodium's URL-safe variant. ---

void CodificarBase64URL(benchmark::State &estado)
{
    const QByteArray bytes(estado.range(0) + 16, '\x9c');
    for (auto _ : estado)
        benchmark::DoNotOptimize(Cripto::codificarBase64URL(bytes));
    estado.SetBytesProcessed(estado.iterations() * bytes.size());
}

void CodificarComSodium(benchmark::State &estado)
{
    if (sodium_init() < 0)
        std::abort();
    const QByteArray bytes(estado.range(0) + 16, '\x9c');
    const auto tamanho = sodium_base64_encoded_len(static_cast<size_t>(bytes.size()),
                                                   sodium_base64_VARIANT_URLSAFE_NO_PADDING);
    for (auto _ : estado) {
        // The same kind of result as ours: one allocation of the text.
        QByteArray texto(static_cast<qsizetype>(tamanho), Qt::Uninitialized);
        sodium_bin2base64(texto.data(), tamanho, reinterpret_cast<const unsigned char *>(bytes.constData()),
                          static_cast<size_t>(bytes.size()), sodium_base64_VARIANT_URLSAFE_NO_PADDING);
        texto.chop(1); // the terminating NUL
        benchmark::DoNotOptimize(texto);
    }
    estado.SetBytesProcessed(estado.iterations() * bytes.size());
}

void DecodificarBase64URL(benchmark::State &estado)
{
    const auto texto = Cripto::codificarBase64URL(QByteArray(estado.range(0) + 16, '\x9c'));
    for (auto _ : estado)
        benchmark::DoNotOptimize(Cripto::decodificarBase64URL(texto));
    estado.SetBytesProcessed(estado.iterations() * (estado.range(0) + 16));
}

void DecodificarComSodium(benchmark::State &estado)
{
    if (sodium_init() < 0)
        std::abort();
    const QByteArray texto = QString(Cripto::codificarBase64URL(QByteArray(estado.range(0) + 16, '\x9c'))).toLatin1();
    for (auto _ : estado) {
        QByteArray bytes(texto.size() * 3 / 4, Qt::Uninitialized);
        size_t escrito = 0;
        if (sodium_base642bin(reinterpret_cast<unsigned char *>(bytes.data()), static_cast<size_t>(bytes.size()),
                              texto.constData(), static_cast<size_t>(texto.size()), nullptr, &escrito, nullptr,
                              sodium_base64_VARIANT_URLSAFE_NO_PADDING)
            != 0)
            std::abort();
        bytes.truncate(static_cast<qsizetype>(escrito));
        benchmark::DoNotOptimize(bytes);
    }
    estado.SetBytesProcessed(estado.iterations() * (estado.range(0) + 16));
}

void SelarComPrimitivas(benchmark::State &estado)
{
    const QByteArray claro(estado.range(0), 'x');
    for (auto _ : estado)
        benchmark::DoNotOptimize(Primitivas::selarAesGcm(claro, chave, nonce, rotuloEmUtf8));
    estado.SetBytesProcessed(estado.iterations() * estado.range(0));
}

} // namespace

BENCHMARK(CodificarBase64URL)->Arg(1024)->Arg(65536);
BENCHMARK(CodificarComSodium)->Arg(1024)->Arg(65536);
BENCHMARK(DecodificarBase64URL)->Arg(1024)->Arg(65536);
BENCHMARK(DecodificarComSodium)->Arg(1024)->Arg(65536);
BENCHMARK(SelarComPrimitivas)->Arg(1024)->Arg(65536);
BENCHMARK(SelarSoComEvp)->Arg(1024)->Arg(65536);
BENCHMARK(SelarPeloEnvelope)->Arg(1024)->Arg(65536);
BENCHMARK(SelarPorExtenso)->Arg(1024)->Arg(65536);
BENCHMARK(AbrirPeloEnvelope)->Arg(1024)->Arg(65536);
BENCHMARK(AbrirPorExtenso)->Arg(1024)->Arg(65536);
BENCHMARK(AbrirGuardadoNoCofre)->Arg(1024)->Arg(65536);
BENCHMARK(Argon2idIntercalado)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(15);

BENCHMARK_MAIN();
