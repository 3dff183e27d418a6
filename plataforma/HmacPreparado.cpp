// The prepared HMAC over the digests' plain state structures: a state is a value that can be
// copied, so the key's inner and outer blocks are absorbed once and each message starts from a
// copy of them. (OpenSSL 3's EVP layer duplicates a context by allocating a new one for every
// HMAC, which costs more than the two compressions of a short message.)
#define OPENSSL_SUPPRESS_DEPRECATED // the SHA*_Init/Update/Final state API
#include "plataforma/Primitivas.h"

#include <openssl/crypto.h>
#include <openssl/sha.h>

#include <cstring>
#include <utility>

namespace Primitivas {

namespace {

// One digest's state type and functions.
template <typename Ctx, int (*Init)(Ctx *), int (*Update)(Ctx *, const void *, size_t),
          int (*Final)(unsigned char *, Ctx *), std::size_t tamanhoDoBloco, std::size_t tamanhoDoResumo>
struct Digesto {
    using Contexto = Ctx;
    static constexpr std::size_t bloco = tamanhoDoBloco;
    static constexpr std::size_t resumo = tamanhoDoResumo;

    static void iniciar(Ctx *c) { Init(c); }
    static void absorver(Ctx *c, const void *p, std::size_t n) { Update(c, p, n); }
    static void terminar(unsigned char *saida, Ctx *c) { Final(saida, c); }
};

using Sha1 = Digesto<SHA_CTX, SHA1_Init, SHA1_Update, SHA1_Final, 64, 20>;
using Sha256 = Digesto<SHA256_CTX, SHA256_Init, SHA256_Update, SHA256_Final, 64, 32>;
using Sha512 = Digesto<SHA512_CTX, SHA512_Init, SHA512_Update, SHA512_Final, 128, 64>;

template <typename D>
void preparar(const QByteArray &chave, typename D::Contexto &interno, typename D::Contexto &externo)
{
    // A key longer than a block is replaced by its digest; a shorter one is padded with zeros.
    unsigned char bloco[D::bloco] = {};
    if (std::size_t(chave.size()) > D::bloco) {
        typename D::Contexto c;
        D::iniciar(&c);
        D::absorver(&c, chave.constData(), std::size_t(chave.size()));
        D::terminar(bloco, &c);
        OPENSSL_cleanse(&c, sizeof c);
    } else if (!chave.isEmpty()) {
        std::memcpy(bloco, chave.constData(), std::size_t(chave.size()));
    }
    unsigned char preenchido[D::bloco];
    for (std::size_t i = 0; i < D::bloco; ++i)
        preenchido[i] = bloco[i] ^ 0x36;
    D::iniciar(&interno);
    D::absorver(&interno, preenchido, D::bloco);
    for (std::size_t i = 0; i < D::bloco; ++i)
        preenchido[i] = bloco[i] ^ 0x5c;
    D::iniciar(&externo);
    D::absorver(&externo, preenchido, D::bloco);
    OPENSSL_cleanse(bloco, sizeof bloco);
    OPENSSL_cleanse(preenchido, sizeof preenchido);
}

template <typename D>
std::size_t calcularCom(const typename D::Contexto &interno, const typename D::Contexto &externo,
                        const char *mensagem, std::size_t tamanho, unsigned char *saida)
{
    typename D::Contexto c = interno;
    unsigned char resumoInterno[D::resumo];
    D::absorver(&c, mensagem, tamanho);
    D::terminar(resumoInterno, &c);
    c = externo;
    D::absorver(&c, resumoInterno, D::resumo);
    D::terminar(saida, &c);
    OPENSSL_cleanse(&c, sizeof c);
    OPENSSL_cleanse(resumoInterno, sizeof resumoInterno);
    return D::resumo;
}

} // namespace

struct HmacPreparado::Estado {
    Hash hash;
    union {
        SHA_CTX sha1;
        SHA256_CTX sha256;
        SHA512_CTX sha512;
    } interno, externo;
};

HmacPreparado::HmacPreparado(Hash hash, const QByteArray &chave) : estado_(new Estado{})
{
    estado_->hash = hash;
    switch (hash) {
    case Hash::sha1:
        preparar<Sha1>(chave, estado_->interno.sha1, estado_->externo.sha1);
        break;
    case Hash::sha256:
        preparar<Sha256>(chave, estado_->interno.sha256, estado_->externo.sha256);
        break;
    case Hash::sha512:
        preparar<Sha512>(chave, estado_->interno.sha512, estado_->externo.sha512);
        break;
    }
}

HmacPreparado::~HmacPreparado()
{
    if (estado_)
        OPENSSL_cleanse(estado_, sizeof *estado_);
    delete estado_;
}

HmacPreparado::HmacPreparado(HmacPreparado &&outro) noexcept : estado_(std::exchange(outro.estado_, nullptr)) {}

HmacPreparado &HmacPreparado::operator=(HmacPreparado &&outro) noexcept
{
    std::swap(estado_, outro.estado_);
    return *this;
}

std::size_t HmacPreparado::calcular(const char *mensagem, std::size_t tamanho, unsigned char *saida) const
{
    if (!estado_)
        throw ErroDePrimitiva("HMAC: preparo movido");
    switch (estado_->hash) {
    case Hash::sha1:
        return calcularCom<Sha1>(estado_->interno.sha1, estado_->externo.sha1, mensagem, tamanho, saida);
    case Hash::sha256:
        return calcularCom<Sha256>(estado_->interno.sha256, estado_->externo.sha256, mensagem, tamanho, saida);
    case Hash::sha512:
        return calcularCom<Sha512>(estado_->interno.sha512, estado_->externo.sha512, mensagem, tamanho, saida);
    }
    throw ErroDePrimitiva("HMAC: digesto desconhecido");
}

} // namespace Primitivas
