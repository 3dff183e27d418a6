// The bodies the client sends to the server, the device description inside them and the empty
// body. Each writes one flat JSON object with its keys in field order; an absent optional field
// is left out (only `CorpoDoItem.revisaoEsperada` is written as null).
#pragma once

#include "core/Chaves.h"
#include "core/CodificacaoJSON.h"
#include "core/ConteudoDoItem.h"
#include "core/ValorJSON.h"

#include <QList>
#include <QString>

#include <optional>

// The device that signs in or creates an account: its name and platform ("macos").
struct Dispositivo {
    QString nome;
    QString tipo;

    friend bool operator==(const Dispositivo &, const Dispositivo &) = default;

    [[nodiscard]] ValorJSON paraJSON() const;
    // Throws ErroDeDecodificacao.
    [[nodiscard]] static Dispositivo deJSON(const Leitor &leitor);
    [[nodiscard]] static Dispositivo deJSON(const ValorJSON &valor);
};

// POST "/v1/sessao": sign-in with a password proof or a social token.
struct CorpoDeEntrada {
    std::optional<QString> email;
    std::optional<QString> tokenSocial;
    QString prova;
    std::optional<QString> codigoDoAutenticador;
    Dispositivo dispositivo;

    [[nodiscard]] ValorJSON paraJSON() const;
};

// POST "/v1/conta": a new account.
struct CorpoDeCadastro {
    std::optional<QString> email;
    std::optional<QString> tokenSocial;
    std::optional<QString> comprovanteDeEmail;
    QString nome;
    QString sal;
    ParametrosKdf kdf;
    QString prova;
    QString chaveDoCofreProtegida;
    QString chaveDoCofreRecuperacao;
    QString provaDeRecuperacao;
    Dispositivo dispositivo;

    [[nodiscard]] ValorJSON paraJSON() const;
};

// POST "/v1/conta/social": the provider's identity token.
struct CorpoSocial {
    QString provedor;
    QString tokenDeIdentidade;
    std::optional<QString> nonce;

    [[nodiscard]] ValorJSON paraJSON() const;
};

// PUT "/v1/cofre/itens/<id>": one sealed item, checked against the revision this Mac last saw.
struct CorpoDoItem {
    TipoDeItem tipo = TipoDeItem::codigo;
    QString dados;
    std::optional<qint64> revisaoEsperada; // written as null when absent: an unchecked write

    [[nodiscard]] ValorJSON paraJSON() const;
};

// One new item of a batch.
struct ItemDoLote {
    QString id;
    TipoDeItem tipo = TipoDeItem::codigo;
    QString dados;

    [[nodiscard]] ValorJSON paraJSON() const;
};

// POST "/v1/cofre/lote": new items in the caller's order.
struct CorpoDoLote {
    QList<ItemDoLote> itens;

    [[nodiscard]] ValorJSON paraJSON() const;
};

// The empty body: written as {}, and as an answer accepted whatever the bytes are.
struct Vazio {
    friend bool operator==(const Vazio &, const Vazio &) = default;

    [[nodiscard]] ValorJSON paraJSON() const { return ValorJSON::objeto({}); }
    [[nodiscard]] static Vazio deJSON(const ValorJSON &) { return {}; }
};
