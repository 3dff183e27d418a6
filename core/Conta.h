// The signed-in account as the server describes it, and one linked sign-in provider, with their
// JSON coding (keys in field order; optional keys left out when absent).
#pragma once

#include "core/Chaves.h"
#include "core/CodificacaoJSON.h"
#include "core/ValorJSON.h"

#include <QHashFunctions>
#include <QList>
#include <QString>

#include <optional>

struct Vinculo {
    QString provedor;             // such as "apple" or "google"
    std::optional<QString> email; // of the provider account, when known

    friend bool operator==(const Vinculo &, const Vinculo &) = default;

    // Throws ErroDeDecodificacao.
    [[nodiscard]] static Vinculo deJSON(const Leitor &leitor);
    [[nodiscard]] static Vinculo deJSON(const ValorJSON &valor);
    [[nodiscard]] ValorJSON paraJSON() const;
};

size_t qHash(const Vinculo &vinculo, size_t semente = 0);

struct Conta {
    QString id;
    QString email;
    QString nome;
    QString sal;
    ParametrosKdf kdf;
    QString chaveDoCofreProtegida;
    bool autenticadorLigado = false;
    std::optional<bool> temSenha;
    QString criadaEm; // the server's text, kept as sent
    std::optional<QList<Vinculo>> vinculos; // an absent list differs from an empty one

    friend bool operator==(const Conta &, const Conta &) = default;

    // The first word of the name.
    [[nodiscard]] QString primeiroNome() const;
    // The avatar letter: the first character of the name as stored, untrimmed (or of the e-mail
    // when the name is blank), upper-cased; "?" when there is none.
    [[nodiscard]] QString inicial() const;

    // Throws ErroDeDecodificacao.
    [[nodiscard]] static Conta deJSON(const Leitor &leitor);
    [[nodiscard]] static Conta deJSON(const ValorJSON &valor);
    [[nodiscard]] ValorJSON paraJSON() const;
};

// Coding of the password-stretching parameters: keys algoritmo, iteracoes, memoriaKiB,
// paralelismo, all required.
[[nodiscard]] ValorJSON paraJSON(const ParametrosKdf &parametros);
[[nodiscard]] ParametrosKdf parametrosKdfDeJSON(const Leitor &leitor);
[[nodiscard]] ParametrosKdf parametrosKdfDeJSON(const ValorJSON &valor);
