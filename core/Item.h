// An item once opened with the vault key, and everything the item model offers (the encrypted
// record and the contents).
#pragma once

#include "core/ConteudoDoItem.h"
#include "core/ItemCifrado.h"

#include <QString>

struct ItemAberto {
    QString id;
    qint64 revisao = 0;
    QString criadoEm;
    QString atualizadoEm;
    ConteudoDoItem conteudo{DadosDeNota()};

    // The record's fields copied and the content read as the record's kind.
    [[nodiscard]] static ItemAberto de(const ItemCifrado &item, ObjetoJSON conteudo);

    [[nodiscard]] QString titulo() const { return conteudo.titulo(); }
    [[nodiscard]] bool favorito() const { return conteudo.favorito(); }

    friend bool operator==(const ItemAberto &, const ItemAberto &) = default;
};
