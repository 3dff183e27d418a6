// The changes made to the local copy since it was last written whole, kept beside it in
// "cofre-diario.jsonl", one change a line: a large vault that changes in a few items costs a
// line, not a rewrite. Reading the copy replays the complete lines in order; a line cut short by
// a crash, and anything after it, is ignored, which leaves the copy as it was after an earlier
// change. The first line names the copy file the journal extends (its size, inode and change
// time): writing the copy whole replaces the file first and removes the journal after, and a
// journal left beside another copy by a crash in between is not replayed. A journal whose first
// line names no copy (an older version's) extends whatever copy is there; it is removed before a
// whole write, as that version did.
#pragma once

#include "core/CopiaDoCofre.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

struct MudancaDaCopia {
    std::optional<Conta> conta;  // present when the account record changed
    qint64 revisao = 0;          // the copy's revision after the change
    QList<ItemCifrado> gravados; // stored or replaced items
    QList<QString> removidos;    // ids no longer stored
    std::optional<QString> copia; // the first line's: the copy file it extends (`marcaDaCopia`)

    friend bool operator==(const MudancaDaCopia &, const MudancaDaCopia &) = default;

    // One compact JSON object and its newline.
    [[nodiscard]] QByteArray linha() const;
    // Throws ErroDeDecodificacao.
    [[nodiscard]] static MudancaDaCopia deJSON(const Leitor &leitor);
};

namespace DiarioDaCopia {

[[nodiscard]] QString arquivo();
// The copy file as it is now on disk: "<size>-<inode>-<change time in ns>"; nothing when there is
// none. Every whole write makes a new file, so a new mark.
[[nodiscard]] std::optional<QString> marcaDaCopia();
// Whether the journal on disk names the copy it extends (it does unless an older version began it).
[[nodiscard]] bool nomeiaACopia();
// The journal's size in bytes; 0 when it is missing.
[[nodiscard]] qint64 tamanho();
// Appends one change when the journal is `tamanhoEsperado` bytes long (what the caller last left
// it at), and gives its new size; nothing when it had another size, the line could not be
// written whole, or (for a first line, which names the copy) there is no copy: the caller then
// writes the copy whole.
[[nodiscard]] std::optional<qint64> acrescentar(const MudancaDaCopia &mudanca, qint64 tamanhoEsperado);
void apagar();
// Replays the complete lines of `bytes` onto `copia`, in order, up to the first line that is cut
// short or does not decode; true when every byte was replayed. When the first line names a copy
// other than `marca` (the file `copia` was read from), nothing is replayed and the result is false.
bool aplicar(CopiaDoCofre &copia, const QByteArray &bytes, const std::optional<QString> &marca = std::nullopt);

} // namespace DiarioDaCopia
