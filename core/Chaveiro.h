// The keychain store of the two secrets that survive a restart, the vault key and the session
// tokens: generic items of the fixed service "app.corvane", shared by both programs through the
// configured access group. It keeps nothing in memory; the secret store in use does the work.
#pragma once

#include "plataforma/CofreDeSegredos.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <exception>
#include <optional>
#include <string>

// A keychain write that failed, with the store's status code.
class ErroDoChaveiro : public std::exception {
public:
    explicit ErroDoChaveiro(std::int32_t status)
        : status(status), texto_("falha do chaveiro (status " + std::to_string(status) + ")")
    {
    }
    [[nodiscard]] static ErroDoChaveiro falha(std::int32_t status) { return ErroDoChaveiro(status); }

    [[nodiscard]] const char *what() const noexcept override { return texto_.c_str(); }

    friend bool operator==(const ErroDoChaveiro &a, const ErroDoChaveiro &b) { return a.status == b.status; }

    std::int32_t status;

private:
    std::string texto_;
};

namespace Chaveiro {

inline constexpr const char *servico = "app.corvane";
inline constexpr const char *contaDaChaveDoCofre = "chave-do-cofre";
inline constexpr const char *contaDaSessao = "sessao";
inline constexpr qsizetype tamanhoDaChaveDoCofre = 32;

// The base query: the fixed service, the account, and the access group from "GrupoDoChaveiro"
// only when it is set and does not begin with "$" (an unexpanded build variable).
[[nodiscard]] ConsultaDeSegredo consulta(const QString &conta);

// The item's bytes, or nothing when it is missing or the store could not be asked.
[[nodiscard]] std::optional<QByteArray> ler(const QString &conta);
// The same read, telling a missing item from a store that was unavailable, so that start-up does
// not take an unreachable keyring for a signed-out machine.
[[nodiscard]] LeituraDeSegredo lerComSituacao(const QString &conta);

// The 32-byte vault key, or nothing; a value of another size is treated as missing and left alone.
[[nodiscard]] std::optional<QByteArray> lerChaveDoCofre();
[[nodiscard]] LeituraDeSegredo lerChaveDoCofreComSituacao();

// Replaces the account's item in one step; on failure the previous value stays and
// `ErroDoChaveiro` is thrown with the status.
void gravar(const QByteArray &bytes, const QString &conta);
// Deletes the account's item; a missing item or a failure is ignored.
void apagar(const QString &conta);

} // namespace Chaveiro
