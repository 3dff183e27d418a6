// What the AutoFill host asked the extension for, and one thing the extension can fill.
#pragma once

#include "core/ConteudoDoItem.h"
#include "core/Totp.h"

#include <QList>
#include <QString>

#include <optional>

// The request mode. `direto` asks for the credential of one identity the host offered in its own
// suggestions: `id` is that identity's record id, `codigo` says a one-time code is wanted.
struct ModoDoPreenchimento {
    enum class Caso { direto, senhas, codigos, configuracao };

    Caso caso = Caso::senhas;
    QString id;          // only for `direto`
    bool codigo = false; // only for `direto`

    [[nodiscard]] static ModoDoPreenchimento direto(QString id, bool codigo)
    {
        return {Caso::direto, std::move(id), codigo};
    }
    [[nodiscard]] static ModoDoPreenchimento senhas() { return {Caso::senhas, {}, false}; }
    [[nodiscard]] static ModoDoPreenchimento codigos() { return {Caso::codigos, {}, false}; }
    [[nodiscard]] static ModoDoPreenchimento configuracao() { return {Caso::configuracao, {}, false}; }

    // The modes whose lists show codes: `codigos`, and `direto` asking for a code.
    [[nodiscard]] bool pedeCodigo() const { return caso == Caso::codigos || (caso == Caso::direto && codigo); }

    // Same case; two direct modes also need the same id and flag.
    friend bool operator==(const ModoDoPreenchimento &a, const ModoDoPreenchimento &b)
    {
        if (a.caso != b.caso)
            return false;
        return a.caso != Caso::direto || (a.id == b.id && a.codigo == b.codigo);
    }
};

// A requested site as the host names it: a bare domain or a URL.
struct IdentificadorDeServico {
    enum class Tipo { dominio, url };

    QString identificador;
    Tipo tipo = Tipo::dominio;

    friend bool operator==(const IdentificadorDeServico &, const IdentificadorDeServico &) = default;
};

// One fillable thing: a password item (perhaps with an attached code), a code item, or a new
// password the extension saved and the application has not uploaded yet. `tipo` says which kind
// of item it came from, so a password item without a password is never taken for a code item.
struct OpcaoDePreenchimento {
    QString id;
    QString titulo;
    QString usuario;
    QString senha; // empty for a code item
    QList<QString> dominios;
    std::optional<ParametrosTotp> codigo;
    TipoDeItem tipo = TipoDeItem::senha;

    friend bool operator==(const OpcaoDePreenchimento &, const OpcaoDePreenchimento &) = default;
};
