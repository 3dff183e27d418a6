// Cryptographic primitives over OpenSSL 3 (EVP): AES-256-GCM, HKDF-SHA256, HMAC and P-256
// key agreement. Nothing above this layer includes OpenSSL headers.
#pragma once

#include <QByteArray>

#include <cstddef>
#include <optional>
#include <stdexcept>

namespace Primitivas {

// Raised when OpenSSL itself fails (not for authentication failures, which open as nullopt).
struct ErroDePrimitiva : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// AES-256-GCM with a 32-byte key, a 12-byte nonce and a 16-byte tag appended to the ciphertext.
[[nodiscard]] QByteArray selarAesGcm(const QByteArray &textoClaro, const QByteArray &chave, const QByteArray &nonce,
                                     const QByteArray &dadosAssociados);
// Gives nullopt when the tag does not authenticate (wrong key, label or any changed byte).
[[nodiscard]] std::optional<QByteArray> abrirAesGcm(const QByteArray &cifradoComTag, const QByteArray &chave,
                                                    const QByteArray &nonce, const QByteArray &dadosAssociados);

// Opens in place: on success `cifradoComTag` holds just the plaintext; on failure it is wiped
// to zeros and false is returned. Saves a copy for callers that own the decoded bytes anyway.
[[nodiscard]] bool abrirAesGcmNoLugar(QByteArray &cifradoComTag, const QByteArray &chave, const QByteArray &nonce,
                                      const QByteArray &dadosAssociados);

// Incremental AES-256-GCM sealing, for a caller that encodes the ciphertext as it comes out
// instead of holding all of it (the envelope writes its text this way).
class SeladorAesGcm {
public:
    SeladorAesGcm(const QByteArray &chave, const QByteArray &nonce, const QByteArray &dadosAssociados);
    ~SeladorAesGcm();
    SeladorAesGcm(const SeladorAesGcm &) = delete;
    SeladorAesGcm &operator=(const SeladorAesGcm &) = delete;

    // Encrypts `tamanho` bytes of `origem` into `destino` (the same count; may be `origem`).
    void cifrar(const char *origem, qsizetype tamanho, char *destino);
    // Ends the message and writes its 16-byte tag at `tag`.
    void finalizar(char *tag);

private:
    void *ctx_ = nullptr; // EVP_CIPHER_CTX
};

// HKDF-SHA256 (RFC 5869); an empty salt is the RFC's zero-length salt.
[[nodiscard]] QByteArray hkdfSha256(const QByteArray &material, const QByteArray &sal, const QByteArray &info,
                                    int tamanho);

enum class Hash { sha1, sha256, sha512 };
[[nodiscard]] QByteArray hmac(Hash hash, const QByteArray &chave, const QByteArray &mensagem);

// An HMAC whose key is set up once (the padded key absorbed into the inner and outer digest
// states, RFC 2104) and reused for every message, for callers that authenticate many short
// messages with one key: each message costs a copy of each state and the compressions of the
// message, with no allocation.
class HmacPreparado {
public:
    HmacPreparado(Hash hash, const QByteArray &chave);
    ~HmacPreparado();
    HmacPreparado(const HmacPreparado &) = delete;
    HmacPreparado &operator=(const HmacPreparado &) = delete;
    HmacPreparado(HmacPreparado &&) noexcept;
    HmacPreparado &operator=(HmacPreparado &&) noexcept;

    // Writes the MAC of `mensagem` at `saida` (room for 64 bytes) and gives its length. The
    // prepared states are only read, so threads may share one object.
    std::size_t calcular(const char *mensagem, std::size_t tamanho, unsigned char *saida) const;

private:
    struct Estado;
    Estado *estado_ = nullptr; // wiped and freed with this object
};

// An ephemeral P-256 key pair; the public key is the 65-byte X9.63 form (0x04 || X || Y).
class ParP256 {
public:
    ParP256();
    ~ParP256();
    ParP256(const ParP256 &) = delete;
    ParP256 &operator=(const ParP256 &) = delete;
    ParP256(ParP256 &&) noexcept;
    ParP256 &operator=(ParP256 &&) noexcept;

    [[nodiscard]] QByteArray chavePublica() const;
    // ECDH shared secret (32 bytes) with a peer's X9.63 public key; nullopt for an invalid point.
    [[nodiscard]] std::optional<QByteArray> acordo(const QByteArray &chavePublicaDoOutro) const;

private:
    void *chave_ = nullptr; // EVP_PKEY
};

} // namespace Primitivas
