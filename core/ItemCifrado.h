// An item as stored in the local copy and exchanged with the server: identity, kind, revision,
// the server's dates as texts and the sealed content; and the opening of that content.
#pragma once

#include "core/CodificacaoJSON.h"
#include "core/ConteudoDoItem.h"
#include "core/TextoSelado.h"
#include "core/ValorJSON.h"

#include <QByteArray>
#include <QString>

#include <optional>

struct ItemCifrado {
    QString id;
    TipoDeItem tipo = TipoDeItem::codigo;
    std::optional<TextoSelado> dados; // the envelope; absent for a deleted item
    qint64 revisao = 0;
    QString criadoEm;             // the server's text, never parsed
    QString atualizadoEm;         // likewise
    std::optional<QString> apagadoEm; // present only on a deleted item

    friend bool operator==(const ItemCifrado &, const ItemCifrado &) = default;

    // Keys "id", "tipo", "dados", "revisao", "criadoEm", "atualizadoEm", "apagadoEm"; the two
    // optional ones are written only when present and read as absent when missing or null. An
    // unknown "tipo" throws ErroDeDecodificacao.
    [[nodiscard]] static ItemCifrado deJSON(const Leitor &leitor);
    [[nodiscard]] static ItemCifrado deJSON(const ValorJSON &valor);
    [[nodiscard]] ValorJSON paraJSON() const;

    // Opens `dados` sealed for the item `id` with the vault key and parses the content object.
    // Throws the envelope's ErroDeCripto codes unchanged and "json-invalido" for text that does
    // not parse or is not an object.
    [[nodiscard]] static ObjetoJSON abrir(const QString &dados, const QString &id, const QByteArray &chave);
    [[nodiscard]] static ObjetoJSON abrir(const TextoSelado &dados, const QString &id, const QByteArray &chave);
    // The same for this item; a deleted item (no `dados`) throws "formato-desconhecido".
    [[nodiscard]] ObjetoJSON abrir(const QByteArray &chave) const;
};
