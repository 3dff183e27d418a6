// The last known state of the vault kept on disk, still encrypted, in "cofre.json" inside the
// application-group container: it lets the application start without the network and is the
// AutoFill extension's only source of items (the extension reads it and never writes it).
#pragma once

#include "core/CodificacaoJSON.h"
#include "core/Conta.h"
#include "core/ItemCifrado.h"

#include <QList>
#include <QString>

#include <optional>

struct CopiaDoCofre {
    qint64 versao = 1; // as read; not checked, and always written as 1
    Conta conta;
    qint64 revisao = 0;
    QList<ItemCifrado> itens; // every stored item, including those this Mac cannot open
    // Not stored: the journal's size when `ler` replayed it to its end (0: there was none); none
    // when a line was cut short or damaged, or the copy did not come from `ler`. A store built
    // from this copy may go on appending to that journal only when it is set.
    std::optional<qint64> diarioLido;

    // The stored contents; how the copy was read does not count.
    friend bool operator==(const CopiaDoCofre &a, const CopiaDoCofre &b)
    {
        return a.versao == b.versao && a.conta == b.conta && a.revisao == b.revisao && a.itens == b.itens;
    }

    // The container's "Library/Application Support"; the user's data folder itself when the
    // group has no usable container.
    [[nodiscard]] static QString pasta();
    [[nodiscard]] static QString arquivo();

    // Replaces the file atomically (owner-only permissions), then removes the journal, so a
    // reader in another process sees either the old copy or the whole new one. Any failure leaves
    // the previous file as it was and is not reported to the user (the application keeps working
    // from memory); the result says whether the file now holds this copy.
    static bool salvar(const CopiaDoCofre &copia);
    // Removes "cofre.json" and its journal only; a missing file is fine.
    static void apagar();
    // The stored copy with its journal replayed; nothing when the file is missing, unreadable or
    // does not decode.
    [[nodiscard]] static std::optional<CopiaDoCofre> ler();

    // Keys "versao", "conta", "revisao", "itens", all four required. Throws ErroDeDecodificacao.
    [[nodiscard]] static CopiaDoCofre deJSON(const Leitor &leitor);
    [[nodiscard]] ValorJSON paraJSON() const;
    // The compact text of paraJSON(), byte for byte, written without the value tree.
    [[nodiscard]] QByteArray emBytes() const;
};
