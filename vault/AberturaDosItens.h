// Opening the sealed items of a whole vault: each item's decryption and content parsing depend
// on nothing else, so a large vault is opened on a few threads at once. Only the openings are
// computed there; the store applies them on its own thread, in the copy's order.
#pragma once

#include "core/Item.h"
#include "core/ItemCifrado.h"

#include <QByteArray>
#include <QList>

#include <exception>
#include <functional>
#include <optional>
#include <vector>

namespace AberturaDosItens {

// Below this many items the threads cost more than they save: the vault opens on the caller's.
inline constexpr qsizetype minimoEmParalelo = 512;
// At most this many threads (the caller's included) open one vault.
inline constexpr int maximoDeLinhas = 4;

// One item's opening: the open item, or none when it has no content or does not open with the
// key (sealed with another key, damaged). Any other failure is thrown.
[[nodiscard]] std::optional<ItemAberto> abrir(const ItemCifrado &item, const QByteArray &chave);

struct Abertura {
    std::optional<ItemAberto> aberto;
    std::exception_ptr falha; // a failure other than the item not opening, for the caller to rethrow
};

// How many threads open `itens` items on this machine.
[[nodiscard]] int linhasPara(qsizetype itens);

// Opens every item (as `abrir` does) on `linhasPara` threads, the caller's among them, and hands
// each opening to `aplicar` on the caller's thread, in the items' order, once it and all before it
// are done; so applying overlaps opening. Returns when all are applied; an exception from
// `aplicar` ends it early, after the other threads stopped.
void abrirEmOrdem(const QList<ItemCifrado> &itens, const QByteArray &chave,
                  const std::function<void(qsizetype, Abertura &)> &aplicar);

} // namespace AberturaDosItens
