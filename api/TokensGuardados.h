// The session tokens kept in memory and, as JSON, in the keychain item "sessao". The expiry is
// written as seconds since 2001-01-01T00:00:00Z, so both programs read the same record.
#pragma once

#include "core/CodificacaoJSON.h"
#include "core/ValorJSON.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

struct TokensGuardados {
    QString tokenDeAcesso;
    QDateTime expiraEm; // UTC
    QString tokenDeRenovacao;

    friend bool operator==(const TokensGuardados &, const TokensGuardados &) = default;

    [[nodiscard]] ValorJSON paraJSON() const;
    // Throws ErroDeDecodificacao when a key is missing, null or of another type.
    [[nodiscard]] static TokensGuardados deJSON(const ValorJSON &valor);

    // The keychain value, and its reading: nothing when the bytes are not such a record.
    [[nodiscard]] QByteArray paraDados() const;
    [[nodiscard]] static std::optional<TokensGuardados> deDados(const QByteArray &dados);
};
