// The bodies the server answers with. Each reads one JSON object by key name: a required key
// that is missing, null or of another JSON type throws ErroDeDecodificacao; an optional one that
// is missing or null is absent; unknown keys are ignored.
#pragma once

#include "core/Chaves.h"
#include "core/CodificacaoJSON.h"
#include "core/Conta.h"
#include "core/ItemCifrado.h"
#include "core/ValorJSON.h"

#include <QList>
#include <QString>

#include <optional>

// Sign-in, account creation and renewal: a session for an account.
struct RespostaDeSessao {
    QString tokenDeAcesso;
    QString expiraEm; // the server's ISO 8601 text, parsed when the session is kept
    std::optional<QString> tokenDeRenovacao;
    Conta conta;

    friend bool operator==(const RespostaDeSessao &, const RespostaDeSessao &) = default;

    [[nodiscard]] static RespostaDeSessao deJSON(const Leitor &leitor);
    [[nodiscard]] static RespostaDeSessao deJSON(const ValorJSON &valor);
};

// A pull of the vault ("/v1/cofre", with or without "desde") and the answer of a batch.
struct RespostaDoCofre {
    qint64 revisao = 0;
    std::optional<bool> completo; // true when `itens` is the whole vault
    QList<ItemCifrado> itens;

    friend bool operator==(const RespostaDoCofre &, const RespostaDoCofre &) = default;

    [[nodiscard]] static RespostaDoCofre deJSON(const ValorJSON &valor);
};

// The social sign-in step. `situacao` "nova" means no account exists yet for this identity.
struct RespostaSocial {
    QString situacao;
    QString email;
    std::optional<QString> sal;
    std::optional<ParametrosKdf> kdf;
    QString tokenSocial;
    std::optional<QString> nomeSugerido; // never on the wire: filled from the browser callback

    friend bool operator==(const RespostaSocial &, const RespostaSocial &) = default;

    [[nodiscard]] static RespostaSocial deJSON(const ValorJSON &valor);
};

size_t qHash(const RespostaSocial &resposta, size_t semente = 0);

// The first step of password sign-in: how to stretch the password.
struct RespostaDePreEntrada {
    QString sal;
    ParametrosKdf kdf;

    [[nodiscard]] static RespostaDePreEntrada deJSON(const ValorJSON &valor);
};

// An e-mail code was sent; another may be asked for after `reenviarEm`.
struct RespostaDoCodigoDeEmail {
    qint64 reenviarEm = 0;

    [[nodiscard]] static RespostaDoCodigoDeEmail deJSON(const ValorJSON &valor);
};

// The e-mail code was right: proof to send with the new account.
struct RespostaDaConferenciaDoEmail {
    QString comprovanteDeEmail;

    [[nodiscard]] static RespostaDaConferenciaDoEmail deJSON(const ValorJSON &valor);
};

// Which social providers are offered.
struct ProvedoresDisponiveis {
    bool apple = false;
    bool google = false;

    friend bool operator==(const ProvedoresDisponiveis &, const ProvedoresDisponiveis &) = default;

    [[nodiscard]] static ProvedoresDisponiveis deJSON(const ValorJSON &valor);
};
