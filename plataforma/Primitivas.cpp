#include "plataforma/Primitivas.h"

#include <openssl/core_names.h>
#include <openssl/crypto.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/kdf.h>
#include <openssl/params.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

namespace Primitivas {

namespace {

constexpr int tamanhoDaChaveAes = 32;
constexpr int tamanhoDoNonce = 12;
constexpr int tamanhoDaTag = 16;
constexpr qsizetype tamanhoDoPonto = 65; // 0x04 || X || Y

// Appends OpenSSL's own reason, if it left one, so a failure in the field can be told apart.
[[noreturn]] void falhar(const char *onde)
{
    std::string mensagem = onde;
    if (const unsigned long erro = ERR_get_error(); erro != 0) {
        char texto[256];
        ERR_error_string_n(erro, texto, sizeof texto);
        mensagem += ": ";
        mensagem += texto;
    }
    ERR_clear_error();
    throw ErroDePrimitiva(mensagem);
}

const unsigned char *bytesDe(const QByteArray &a)
{
    return reinterpret_cast<const unsigned char *>(a.constData());
}

unsigned char *bytesDe(QByteArray &a)
{
    return reinterpret_cast<unsigned char *>(a.data());
}

struct LiberaCtxDeCifra {
    void operator()(EVP_CIPHER_CTX *c) const { EVP_CIPHER_CTX_free(c); }
};
struct LiberaCtxDeKdf {
    void operator()(EVP_KDF_CTX *c) const { EVP_KDF_CTX_free(c); }
};
struct LiberaCtxDeMac {
    void operator()(EVP_MAC_CTX *c) const { EVP_MAC_CTX_free(c); }
};
struct LiberaChave {
    void operator()(EVP_PKEY *c) const { EVP_PKEY_free(c); }
};
struct LiberaCtxDeChave {
    void operator()(EVP_PKEY_CTX *c) const { EVP_PKEY_CTX_free(c); }
};
using CtxDeCifra = std::unique_ptr<EVP_CIPHER_CTX, LiberaCtxDeCifra>;
using CtxDeKdf = std::unique_ptr<EVP_KDF_CTX, LiberaCtxDeKdf>;
using CtxDeMac = std::unique_ptr<EVP_MAC_CTX, LiberaCtxDeMac>;
using Chave = std::unique_ptr<EVP_PKEY, LiberaChave>;
using CtxDeChave = std::unique_ptr<EVP_PKEY_CTX, LiberaCtxDeChave>;

// Explicit fetches are costly; each algorithm is fetched once per process and kept.
const EVP_CIPHER *aesGcm()
{
    static EVP_CIPHER *const cifra = EVP_CIPHER_fetch(nullptr, "AES-256-GCM", nullptr);
    if (!cifra)
        falhar("AES-256-GCM indisponível");
    return cifra;
}

EVP_KDF *kdfHkdf()
{
    static EVP_KDF *const kdf = EVP_KDF_fetch(nullptr, OSSL_KDF_NAME_HKDF, nullptr);
    if (!kdf)
        falhar("HKDF indisponível");
    return kdf;
}

EVP_MAC *macHmac()
{
    static EVP_MAC *const mac = EVP_MAC_fetch(nullptr, OSSL_MAC_NAME_HMAC, nullptr);
    if (!mac)
        falhar("HMAC indisponível");
    return mac;
}

void conferirChaveENonce(const QByteArray &chave, const QByteArray &nonce)
{
    if (chave.size() != tamanhoDaChaveAes)
        throw ErroDePrimitiva("AES-256-GCM: a chave precisa de 32 bytes");
    if (nonce.size() != tamanhoDoNonce)
        throw ErroDePrimitiva("AES-256-GCM: o nonce precisa de 12 bytes");
}

// EVP lengths are int: larger inputs go through in slices.
template <typename Passo>
bool emPartes(const unsigned char *dados, qsizetype tamanho, Passo passo)
{
    qsizetype feito = 0;
    do {
        const int parte = static_cast<int>(std::min<qsizetype>(tamanho - feito, INT_MAX / 2));
        if (!passo(dados ? dados + feito : dados, parte, feito))
            return false;
        feito += parte;
    } while (feito < tamanho);
    return true;
}

} // namespace

SeladorAesGcm::SeladorAesGcm(const QByteArray &chave, const QByteArray &nonce, const QByteArray &dadosAssociados)
{
    conferirChaveENonce(chave, nonce);
    CtxDeCifra ctx(EVP_CIPHER_CTX_new());
    if (!ctx || EVP_EncryptInit_ex2(ctx.get(), aesGcm(), bytesDe(chave), bytesDe(nonce), nullptr) != 1)
        falhar("AES-256-GCM: início");
    int escrito = 0;
    if (!dadosAssociados.isEmpty()
        && !emPartes(bytesDe(dadosAssociados), dadosAssociados.size(), [&](const unsigned char *p, int n, qsizetype) {
               return EVP_EncryptUpdate(ctx.get(), nullptr, &escrito, p, n) == 1;
           }))
        falhar("AES-256-GCM: dados associados");
    ctx_ = ctx.release();
}

SeladorAesGcm::~SeladorAesGcm()
{
    EVP_CIPHER_CTX_free(static_cast<EVP_CIPHER_CTX *>(ctx_));
}

void SeladorAesGcm::cifrar(const char *origem, qsizetype tamanho, char *destino)
{
    if (tamanho <= 0)
        return;
    auto *ctx = static_cast<EVP_CIPHER_CTX *>(ctx_);
    auto *saida = reinterpret_cast<unsigned char *>(destino);
    int escrito = 0;
    if (!emPartes(reinterpret_cast<const unsigned char *>(origem), tamanho,
                  [&](const unsigned char *p, int n, qsizetype feito) {
                      return EVP_EncryptUpdate(ctx, saida + feito, &escrito, p, n) == 1 && escrito == n;
                  }))
        falhar("AES-256-GCM: cifra");
}

void SeladorAesGcm::finalizar(char *tag)
{
    auto *ctx = static_cast<EVP_CIPHER_CTX *>(ctx_);
    // GCM is a stream mode: Final writes no further bytes.
    unsigned char nada[16];
    int escrito = 0;
    if (EVP_EncryptFinal_ex(ctx, nada, &escrito) != 1 || escrito != 0)
        falhar("AES-256-GCM: fim");
    if (EVP_CIPHER_CTX_ctrl(ctx, EVP_CTRL_GCM_GET_TAG, tamanhoDaTag, tag) != 1)
        falhar("AES-256-GCM: tag");
}

QByteArray selarAesGcm(const QByteArray &textoClaro, const QByteArray &chave, const QByteArray &nonce,
                       const QByteArray &dadosAssociados)
{
    SeladorAesGcm selador(chave, nonce, dadosAssociados);
    QByteArray saida(textoClaro.size() + tamanhoDaTag, Qt::Uninitialized);
    selador.cifrar(textoClaro.constData(), textoClaro.size(), saida.data());
    selador.finalizar(saida.data() + textoClaro.size());
    return saida;
}

bool abrirAesGcmNoLugar(QByteArray &cifradoComTag, const QByteArray &chave, const QByteArray &nonce,
                        const QByteArray &dadosAssociados)
{
    conferirChaveENonce(chave, nonce);
    if (cifradoComTag.size() < tamanhoDaTag) {
        OPENSSL_cleanse(cifradoComTag.data(), static_cast<size_t>(cifradoComTag.size()));
        return false;
    }
    const CtxDeCifra ctx(EVP_CIPHER_CTX_new());
    if (!ctx || EVP_DecryptInit_ex2(ctx.get(), aesGcm(), bytesDe(chave), bytesDe(nonce), nullptr) != 1)
        falhar("AES-256-GCM: início");

    int escrito = 0;
    if (!dadosAssociados.isEmpty()
        && !emPartes(bytesDe(dadosAssociados), dadosAssociados.size(), [&](const unsigned char *p, int n, qsizetype) {
               return EVP_DecryptUpdate(ctx.get(), nullptr, &escrito, p, n) == 1;
           }))
        falhar("AES-256-GCM: dados associados");

    const qsizetype tamanhoClaro = cifradoComTag.size() - tamanhoDaTag;
    unsigned char *dados = bytesDe(cifradoComTag);
    unsigned char tag[tamanhoDaTag];
    std::memcpy(tag, dados + tamanhoClaro, tamanhoDaTag);
    // Unauthenticated plaintext must not be handed out nor linger in freed memory.
    const auto apagar = [&] { OPENSSL_cleanse(dados, static_cast<size_t>(cifradoComTag.size())); };
    if (tamanhoClaro > 0
        && !emPartes(dados, tamanhoClaro, [&](const unsigned char *p, int n, qsizetype feito) {
               return EVP_DecryptUpdate(ctx.get(), dados + feito, &escrito, p, n) == 1 && escrito == n;
           })) {
        apagar();
        falhar("AES-256-GCM: decifra");
    }
    if (EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_SET_TAG, tamanhoDaTag, tag) != 1) {
        apagar();
        falhar("AES-256-GCM: tag");
    }
    unsigned char nada[16];
    if (EVP_DecryptFinal_ex(ctx.get(), nada, &escrito) != 1) {
        apagar();
        ERR_clear_error();
        return false;
    }
    cifradoComTag.truncate(tamanhoClaro);
    return true;
}

std::optional<QByteArray> abrirAesGcm(const QByteArray &cifradoComTag, const QByteArray &chave,
                                      const QByteArray &nonce, const QByteArray &dadosAssociados)
{
    conferirChaveENonce(chave, nonce);
    QByteArray claro(cifradoComTag.constData(), cifradoComTag.size());
    if (!abrirAesGcmNoLugar(claro, chave, nonce, dadosAssociados))
        return std::nullopt;
    return claro;
}

QByteArray hkdfSha256(const QByteArray &material, const QByteArray &sal, const QByteArray &info, int tamanho)
{
    if (tamanho < 0)
        throw ErroDePrimitiva("HKDF: tamanho negativo");
    QByteArray saida(tamanho, '\0');
    if (tamanho == 0)
        return saida;

    const CtxDeKdf ctx(EVP_KDF_CTX_new(kdfHkdf()));
    if (!ctx)
        falhar("HKDF: contexto");
    char digesto[] = "SHA256";
    // OpenSSL refuses an octet parameter whose pointer is null, even with length 0; an empty
    // salt or info is left out instead, which is the RFC's zero-length value.
    static char vazio = '\0';
    OSSL_PARAM parametros[5];
    OSSL_PARAM *p = parametros;
    *p++ = OSSL_PARAM_construct_utf8_string(OSSL_KDF_PARAM_DIGEST, digesto, 0);
    *p++ = OSSL_PARAM_construct_octet_string(
        OSSL_KDF_PARAM_KEY, material.isEmpty() ? &vazio : const_cast<char *>(material.constData()),
        static_cast<size_t>(material.size()));
    if (!sal.isEmpty())
        *p++ = OSSL_PARAM_construct_octet_string(OSSL_KDF_PARAM_SALT, const_cast<char *>(sal.constData()),
                                                 static_cast<size_t>(sal.size()));
    if (!info.isEmpty())
        *p++ = OSSL_PARAM_construct_octet_string(OSSL_KDF_PARAM_INFO, const_cast<char *>(info.constData()),
                                                 static_cast<size_t>(info.size()));
    *p = OSSL_PARAM_construct_end();

    if (EVP_KDF_derive(ctx.get(), bytesDe(saida), static_cast<size_t>(tamanho), parametros) != 1) {
        OPENSSL_cleanse(saida.data(), static_cast<size_t>(saida.size()));
        falhar("HKDF: derivação");
    }
    return saida;
}

namespace {
// An HMAC context with the digest fetched and the key set.
CtxDeMac contextoDeHmac(Hash hash, const QByteArray &chave)
{
    char sha1[] = "SHA1", sha256[] = "SHA256", sha512[] = "SHA512";
    char *digesto = hash == Hash::sha1 ? sha1 : hash == Hash::sha256 ? sha256 : sha512;
    const OSSL_PARAM parametros[] = {OSSL_PARAM_construct_utf8_string(OSSL_MAC_PARAM_DIGEST, digesto, 0),
                                     OSSL_PARAM_construct_end()};
    CtxDeMac ctx(EVP_MAC_CTX_new(macHmac()));
    if (!ctx)
        falhar("HMAC: contexto");
    // A null key pointer means "keep the previous key" to OpenSSL, so an empty key points somewhere.
    static const unsigned char vazio = 0;
    const unsigned char *bytesDaChave = chave.isEmpty() ? &vazio : bytesDe(chave);
    if (EVP_MAC_init(ctx.get(), bytesDaChave, static_cast<size_t>(chave.size()), parametros) != 1)
        falhar("HMAC: início");
    return ctx;
}
} // namespace

QByteArray hmac(Hash hash, const QByteArray &chave, const QByteArray &mensagem)
{
    const CtxDeMac ctx = contextoDeHmac(hash, chave);
    if (!mensagem.isEmpty() && !emPartes(bytesDe(mensagem), mensagem.size(), [&](const unsigned char *p, int n, qsizetype) {
            return EVP_MAC_update(ctx.get(), p, static_cast<size_t>(n)) == 1;
        }))
        falhar("HMAC: mensagem");

    QByteArray saida(EVP_MAX_MD_SIZE, '\0');
    size_t escrito = 0;
    if (EVP_MAC_final(ctx.get(), bytesDe(saida), &escrito, static_cast<size_t>(saida.size())) != 1)
        falhar("HMAC: fim");
    saida.truncate(static_cast<qsizetype>(escrito));
    return saida;
}

ParP256::ParP256() : chave_(EVP_PKEY_Q_keygen(nullptr, nullptr, "EC", "P-256"))
{
    if (!chave_)
        falhar("P-256: geração do par");
}

ParP256::~ParP256()
{
    EVP_PKEY_free(static_cast<EVP_PKEY *>(chave_));
}

ParP256::ParP256(ParP256 &&outro) noexcept : chave_(std::exchange(outro.chave_, nullptr)) {}

ParP256 &ParP256::operator=(ParP256 &&outro) noexcept
{
    std::swap(chave_, outro.chave_);
    return *this;
}

QByteArray ParP256::chavePublica() const
{
    if (!chave_)
        throw ErroDePrimitiva("P-256: par movido");
    QByteArray saida(tamanhoDoPonto, '\0');
    size_t escrito = 0;
    if (EVP_PKEY_get_octet_string_param(static_cast<EVP_PKEY *>(chave_), OSSL_PKEY_PARAM_PUB_KEY, bytesDe(saida),
                                        static_cast<size_t>(saida.size()), &escrito)
            != 1
        || escrito != static_cast<size_t>(tamanhoDoPonto))
        falhar("P-256: exportação da chave pública");
    return saida;
}

std::optional<QByteArray> ParP256::acordo(const QByteArray &chavePublicaDoOutro) const
{
    if (!chave_)
        throw ErroDePrimitiva("P-256: par movido");
    // Only the uncompressed X9.63 form is accepted, as it is the only one this system sends.
    if (chavePublicaDoOutro.size() != tamanhoDoPonto || chavePublicaDoOutro.front() != '\x04')
        return std::nullopt;

    // Build the peer key from its point; fromdata refuses points that are not on the curve.
    char grupo[] = "P-256";
    const OSSL_PARAM parametros[] = {
        OSSL_PARAM_construct_utf8_string(OSSL_PKEY_PARAM_GROUP_NAME, grupo, 0),
        OSSL_PARAM_construct_octet_string(OSSL_PKEY_PARAM_PUB_KEY, const_cast<char *>(chavePublicaDoOutro.constData()),
                                          static_cast<size_t>(chavePublicaDoOutro.size())),
        OSSL_PARAM_construct_end()};
    const CtxDeChave ctxImportacao(EVP_PKEY_CTX_new_from_name(nullptr, "EC", nullptr));
    if (!ctxImportacao || EVP_PKEY_fromdata_init(ctxImportacao.get()) != 1)
        falhar("P-256: importação");
    EVP_PKEY *bruta = nullptr;
    if (EVP_PKEY_fromdata(ctxImportacao.get(), &bruta, EVP_PKEY_PUBLIC_KEY, const_cast<OSSL_PARAM *>(parametros))
        != 1) {
        ERR_clear_error();
        return std::nullopt;
    }
    const Chave doOutro(bruta);

    const CtxDeChave ctx(EVP_PKEY_CTX_new_from_pkey(nullptr, static_cast<EVP_PKEY *>(chave_), nullptr));
    if (!ctx || EVP_PKEY_derive_init(ctx.get()) != 1)
        falhar("P-256: acordo");
    // validate_peer = 1 checks the point again (on the curve, not the identity) before use.
    if (EVP_PKEY_derive_set_peer_ex(ctx.get(), doOutro.get(), 1) != 1) {
        ERR_clear_error();
        return std::nullopt;
    }
    size_t tamanho = 0;
    if (EVP_PKEY_derive(ctx.get(), nullptr, &tamanho) != 1)
        falhar("P-256: acordo");
    QByteArray segredo(static_cast<qsizetype>(tamanho), '\0');
    if (EVP_PKEY_derive(ctx.get(), bytesDe(segredo), &tamanho) != 1) {
        OPENSSL_cleanse(segredo.data(), static_cast<size_t>(segredo.size()));
        ERR_clear_error();
        return std::nullopt;
    }
    segredo.truncate(static_cast<qsizetype>(tamanho));
    return segredo;
}

} // namespace Primitivas
