// The key hierarchy: argon2id password stretching, the login proof and wrapping key derived
// from it, the vault key unwrap, and the recovery code.
#pragma once

#include "core/Envelope.h"

#include <QByteArray>
#include <QHash>
#include <QString>

// Password-stretching parameters; JSON keys in this order: algoritmo, iteracoes, memoriaKiB, paralelismo.
struct ParametrosKdf {
    QString algoritmo;
    qint64 iteracoes = 0;
    qint64 memoriaKiB = 0;
    qint64 paralelismo = 0;

    // The parameters of a new account, the lowest accepted cost.
    [[nodiscard]] static ParametrosKdf padrao() { return {QStringLiteral("argon2id"), 3, 65536, 1}; }

    friend bool operator==(const ParametrosKdf &, const ParametrosKdf &) = default;
};

inline size_t qHash(const ParametrosKdf &p, size_t semente = 0)
{
    return qHashMulti(semente, p.algoritmo, p.iteracoes, p.memoriaKiB, p.paralelismo);
}

struct ChavesDaSenha {
    QString prova;              // base64url of the 32-byte login proof
    QByteArray chaveDeEmbrulho; // 32-byte wrapping key of the vault key
};

struct ChavesDeRecuperacao {
    QString prova;              // base64url of the 32-byte recovery proof
    QByteArray chaveDeEmbrulho; // 32-byte recovery wrapping key
};

namespace Cripto {

// Throws "kdf-fraco", "sal-invalido", "libsodium-indisponivel", "argon2-falhou". Blocks for the
// whole stretch: callers on the main thread run it through QtConcurrent.
[[nodiscard]] QByteArray derivarChaveMestra(const QString &senha, const QByteArray &sal,
                                            const ParametrosKdf &parametros);
[[nodiscard]] ChavesDaSenha derivarChavesDaSenha(const QString &senha, const QByteArray &sal,
                                                 const ParametrosKdf &parametros);
// Opens the sealed vault key; throws "chave-do-cofre-invalida" and every code of envelope opening.
[[nodiscard]] QByteArray abrirChaveDoCofre(const QString &chaveDoCofreProtegida, const QByteArray &chaveDeEmbrulho);

// Cuts a code into groups of four joined with "-".
[[nodiscard]] QString agruparCodigoDeRecuperacao(const QString &codigo);
// The 20 code bytes; throws "codigo-de-recuperacao-invalido".
[[nodiscard]] QByteArray lerCodigoDeRecuperacao(const QString &codigo);
[[nodiscard]] ChavesDeRecuperacao derivarChavesDeRecuperacao(const QString &codigo);

} // namespace Cripto
