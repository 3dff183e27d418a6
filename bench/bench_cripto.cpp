// The vault's key stretching and envelope against the libraries called directly, to keep the
// wrappers' own cost (checks, copies, text building) visible.
#include "core/Chaves.h"
#include "core/Envelope.h"
#include "plataforma/Primitivas.h"

#include <benchmark/benchmark.h>

#include <openssl/evp.h>
#include <sodium.h>

#include <QStringList>

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

const QByteArray sal(16, '\x5a');
const QByteArray chave(32, '\x11');
const QByteArray nonce(12, '\x22');
const QString rotulo = QStringLiteral("corvane/v1/item:0f8e7d6c-5b4a-3928-1706-f5e4d3c2b1a0");

void Argon2idPeloCofre(benchmark::State &estado)
{
    const QString senha = QStringLiteral("uma senha de exemplo");
    for (auto _ : estado)
        benchmark::DoNotOptimize(Cripto::derivarChaveMestra(senha, sal, ParametrosKdf::padrao()));
}

void Argon2idDireto(benchmark::State &estado)
{
    if (sodium_init() < 0)
        std::abort();
    const QByteArray senha("uma senha de exemplo");
    unsigned char saida[32];
    for (auto _ : estado) {
        if (crypto_pwhash(saida, sizeof saida, senha.constData(), static_cast<unsigned long long>(senha.size()),
                          reinterpret_cast<const unsigned char *>(sal.constData()), 3, 65536ULL * 1024U,
                          crypto_pwhash_alg_argon2id13())
            != 0)
            std::abort();
        benchmark::DoNotOptimize(saida);
    }
}

// What a caller of OpenSSL writes by hand: one context per message, as the envelope does.
QByteArray selarComEvp(const QByteArray &claro, const QByteArray &associados)
{
    EVP_CIPHER_CTX *ctx = EVP_CIPHER_CTX_new();
    QByteArray saida(claro.size() + 16, Qt::Uninitialized);
    auto *destino = reinterpret_cast<unsigned char *>(saida.data());
    int n = 0;
    if (EVP_EncryptInit_ex(ctx, EVP_aes_256_gcm(), nullptr, reinterpret_cast<const unsigned char *>(chave.constData()),
                           reinterpret_cast<const unsigned char *>(nonce.constData()))
            != 1
        || EVP_EncryptUpdate(ctx, nullptr, &n, reinterpret_cast<const unsigned char *>(associados.constData()),
                             static_cast<int>(associados.size()))
               != 1
        || EVP_EncryptUpdate(ctx, destino, &n, reinterpret_cast<const unsigned char *>(claro.constData()),
                             static_cast<int>(claro.size()))
               != 1
        || EVP_EncryptFinal_ex(ctx, destino + n, &n) != 1
        || EVP_CIPHER_CTX_ctrl(ctx, EVP_CTRL_GCM_GET_TAG, 16, destino + claro.size()) != 1)
        std::abort();
    EVP_CIPHER_CTX_free(ctx);
    return saida;
}

QByteArray abrirComEvp(const QByteArray &cifrado, const QByteArray &associados)
{
    EVP_CIPHER_CTX *ctx = EVP_CIPHER_CTX_new();
    const qsizetype tamanho = cifrado.size() - 16;
    QByteArray saida(tamanho, Qt::Uninitialized);
    auto *destino = reinterpret_cast<unsigned char *>(saida.data());
    const auto *origem = reinterpret_cast<const unsigned char *>(cifrado.constData());
    int n = 0;
    if (EVP_DecryptInit_ex(ctx, EVP_aes_256_gcm(), nullptr, reinterpret_cast<const unsigned char *>(chave.constData()),
                           reinterpret_cast<const unsigned char *>(nonce.constData()))
            != 1
        || EVP_DecryptUpdate(ctx, nullptr, &n, reinterpret_cast<const unsigned char *>(associados.constData()),
                             static_cast<int>(associados.size()))
               != 1
        || EVP_DecryptUpdate(ctx, destino, &n, origem, static_cast<int>(tamanho)) != 1
        || EVP_CIPHER_CTX_ctrl(ctx, EVP_CTRL_GCM_SET_TAG, 16, const_cast<unsigned char *>(origem + tamanho)) != 1
        || EVP_DecryptFinal_ex(ctx, destino + n, &n) != 1)
        std::abort();
    EVP_CIPHER_CTX_free(ctx);
    return saida;
}

void SelarPeloEnvelope(benchmark::State &estado)
{
    const QByteArray claro(estado.range(0), 'x');
    for (auto _ : estado)
        benchmark::DoNotOptimize(Cripto::selarEnvelope(claro, chave, rotulo, nonce));
    estado.SetBytesProcessed(estado.iterations() * estado.range(0));
}

void SelarComEvpDireto(benchmark::State &estado)
{
    const QByteArray claro(estado.range(0), 'x');
    for (auto _ : estado)
        benchmark::DoNotOptimize(selarComEvp(claro, rotulo.toUtf8()));
    estado.SetBytesProcessed(estado.iterations() * estado.range(0));
}

void AbrirPeloEnvelope(benchmark::State &estado)
{
    const QString envelope = Cripto::selarEnvelope(QByteArray(estado.range(0), 'x'), chave, rotulo, nonce);
    for (auto _ : estado)
        benchmark::DoNotOptimize(Cripto::abrirEnvelope(envelope, chave, rotulo));
    estado.SetBytesProcessed(estado.iterations() * estado.range(0));
}

void AbrirComEvpDireto(benchmark::State &estado)
{
    const QByteArray cifrado = selarComEvp(QByteArray(estado.range(0), 'x'), rotulo.toUtf8());
    for (auto _ : estado)
        benchmark::DoNotOptimize(abrirComEvp(cifrado, rotulo.toUtf8()));
    estado.SetBytesProcessed(estado.iterations() * estado.range(0));
}

// Direct OpenSSL plus the same text built from the public codec calls: what a caller would
// write without the envelope, so the envelope's own overhead shows apart from the text's cost.
void SelarComEvpEBase64(benchmark::State &estado)
{
    const QByteArray claro(estado.range(0), 'x');
    for (auto _ : estado)
        benchmark::DoNotOptimize(u"v1."_s + Cripto::codificarBase64URL(nonce) + u'.'
                                 + Cripto::codificarBase64URL(selarComEvp(claro, rotulo.toUtf8())));
    estado.SetBytesProcessed(estado.iterations() * estado.range(0));
}

void AbrirComEvpEBase64(benchmark::State &estado)
{
    const QString envelope = Cripto::selarEnvelope(QByteArray(estado.range(0), 'x'), chave, rotulo, nonce);
    for (auto _ : estado) {
        const QStringList partes = envelope.split(u'.');
        const QByteArray nonceLido = Cripto::decodificarBase64URL(partes[1]);
        benchmark::DoNotOptimize(nonceLido);
        benchmark::DoNotOptimize(abrirComEvp(Cripto::decodificarBase64URL(partes[2]), rotulo.toUtf8()));
    }
    estado.SetBytesProcessed(estado.iterations() * estado.range(0));
}

// The envelope's text costs: the codec alone, on a body of the same size.
void CodificarBase64URL(benchmark::State &estado)
{
    const QByteArray bytes(estado.range(0) + 16, '\x9c');
    for (auto _ : estado)
        benchmark::DoNotOptimize(Cripto::codificarBase64URL(bytes));
    estado.SetBytesProcessed(estado.iterations() * bytes.size());
}

void DecodificarBase64URL(benchmark::State &estado)
{
    const QString texto = Cripto::codificarBase64URL(QByteArray(estado.range(0) + 16, '\x9c'));
    for (auto _ : estado)
        benchmark::DoNotOptimize(Cripto::decodificarBase64URL(texto));
    estado.SetBytesProcessed(estado.iterations() * estado.range(0));
}

void SelarComPrimitivas(benchmark::State &estado)
{
    const QByteArray claro(estado.range(0), 'x');
    const QByteArray associados = rotulo.toUtf8();
    for (auto _ : estado)
        benchmark::DoNotOptimize(Primitivas::selarAesGcm(claro, chave, nonce, associados));
    estado.SetBytesProcessed(estado.iterations() * estado.range(0));
}

} // namespace

BENCHMARK(CodificarBase64URL)->Arg(1024)->Arg(65536);
BENCHMARK(DecodificarBase64URL)->Arg(1024)->Arg(65536);
BENCHMARK(SelarComPrimitivas)->Arg(1024)->Arg(65536);
BENCHMARK(Argon2idPeloCofre)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(Argon2idDireto)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(SelarPeloEnvelope)->Arg(1024)->Arg(65536);
BENCHMARK(SelarComEvpDireto)->Arg(1024)->Arg(65536);
BENCHMARK(AbrirPeloEnvelope)->Arg(1024)->Arg(65536);
BENCHMARK(AbrirComEvpDireto)->Arg(1024)->Arg(65536);
BENCHMARK(SelarComEvpEBase64)->Arg(1024)->Arg(65536);
BENCHMARK(AbrirComEvpEBase64)->Arg(1024)->Arg(65536);

BENCHMARK_MAIN();
