// The changes made to the local copy since it was last written whole, kept beside it in
// "cofre-diario.jsonl", one change a line: a large vault that changes in a few items costs a
// line, not a rewrite. Reading the copy replays the complete lines in order; a line cut short by
// a crash, and anything after it, is ignored, which leaves the copy as it was after an earlier
// change. Writing the copy whole removes the journal first.
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

    friend bool operator==(const MudancaDaCopia &, const MudancaDaCopia &) = default;

    // One compact JSON object and its newline.
    [[nodiscard]] QByteArray linha() const;
    // Throws ErroDeDecodificacao.
    [[nodiscard]] static MudancaDaCopia deJSON(const Leitor &leitor);
};

namespace DiarioDaCopia {

[[nodiscard]] QString arquivo();
// The journal's size in bytes; 0 when it is missing.
[[nodiscard]] qint64 tamanho();
// Appends one change when the journal is `tamanhoEsperado` bytes long (what the caller last left
// it at), and gives its new size; nothing when it had another size or the line could not be
// written whole (the caller then writes the copy whole).
[[nodiscard]] std::optional<qint64> acrescentar(const MudancaDaCopia &mudanca, qint64 tamanhoEsperado);
void apagar();
// Replays the complete lines of `bytes` onto `copia`, in order, up to the first line that is cut
// short or does not decode; true when every byte was replayed.
bool aplicar(CopiaDoCofre &copia, const QByteArray &bytes);

} // namespace DiarioDaCopia
