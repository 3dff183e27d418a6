// One-time codes of two-step verification: HOTP (RFC 4226) over the time-based counter of
// TOTP (RFC 6238), display grouping, seconds left and the cleaning of a typed secret.
#pragma once

#include "core/ErroDeCripto.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <memory>
#include <optional>

// The HMAC hash of a code; stored and shown as its raw text ("SHA1", "SHA256", "SHA512").
enum class AlgoritmoTotp { sha1, sha256, sha512 };

// Every case in the order in which the choices are listed.
inline constexpr AlgoritmoTotp todosOsAlgoritmosTotp[] = {AlgoritmoTotp::sha1, AlgoritmoTotp::sha256,
                                                          AlgoritmoTotp::sha512};

[[nodiscard]] QString valorBruto(AlgoritmoTotp algoritmo);
// Exact, case-sensitive match of the raw text; anything else gives nullopt.
[[nodiscard]] std::optional<AlgoritmoTotp> algoritmoTotp(const QString &valorBruto);

// What is needed to compute a code. `digitos` outside 6-10 is refused when a code is asked
// for; `periodo` below 1 counts as 1.
struct ParametrosTotp {
    QString segredo; // base32, as stored
    AlgoritmoTotp algoritmo = AlgoritmoTotp::sha1;
    qint64 digitos = 6;
    qint64 periodo = 30;

    // The code valid at `em`; throws ErroDeCripto "base32-invalido" or "digitos-invalidos".
    [[nodiscard]] QString codigo(const QDateTime &em) const;

    friend bool operator==(const ParametrosTotp &, const ParametrosTotp &) = default;
};

namespace Primitivas {
class HmacPreparado;
}

// The codes of one item, for a list that shows them again and again: the secret is decoded and
// the HMAC key set up once, when the item is listed, and kept only as long as this object (the
// key schedule is wiped when it goes). Gives the same codes as ParametrosTotp::codigo.
class GeradorDeCodigos {
public:
    // Throws ErroDeCripto "base32-invalido" for a bad secret.
    explicit GeradorDeCodigos(const ParametrosTotp &parametros);
    ~GeradorDeCodigos();
    GeradorDeCodigos(GeradorDeCodigos &&) noexcept;
    GeradorDeCodigos &operator=(GeradorDeCodigos &&) noexcept;

    // The code valid at `em`; throws ErroDeCripto "digitos-invalidos". Main thread (or one
    // thread at a time).
    [[nodiscard]] QString codigo(const QDateTime &em) const;

private:
    std::unique_ptr<Primitivas::HmacPreparado> hmac_;
    qint64 digitos_;
    qint64 periodo_;
};

namespace Totp {

// The HOTP code of `contador` as exactly `digitos` decimal digits; throws "digitos-invalidos"
// unless 6 <= digitos <= 10.
[[nodiscard]] QString gerar(const QByteArray &chave, quint64 contador, qint64 digitos, AlgoritmoTotp algoritmo);

// "123456" → "123 456", 7 digits → 4 + 3, 8 digits → 4 + 4; any other length unchanged.
[[nodiscard]] QString formatarParaExibir(const QString &codigo);

// Seconds until the next code, from 1 to `periodo`. A period below 1 counts as 1 and a time
// before 1970 (or an invalid one) counts as the epoch, as for the code itself.
[[nodiscard]] qint64 segundosRestantes(qint64 periodo, const QDateTime &em);

// Upper-cases the secret and drops "=", "-" and whitespace, then checks that what is left
// decodes as base32 (throws "base32-invalido"); gives the cleaned text, which is what is stored.
[[nodiscard]] QString normalizarSegredo(const QString &segredo);

} // namespace Totp
