// Whole-file reads and atomic, owner-only writes: a reader in another process sees either the
// old file or the whole new one, never a part.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonObject>
#include <QString>

#include <functional>
#include <optional>

namespace ArquivoAtomico {

// The file's bytes; nothing when it is missing or cannot be read.
[[nodiscard]] std::optional<QByteArray> ler(const QString &caminho);
// Hands the file's bytes to `ler` mapped into memory instead of copied: a large file read once is
// neither copied nor given fresh pages to fill. The bytes are valid only during the call. Only for
// files that are replaced whole by `gravar` (a rename): the mapped file itself never changes under
// the reader. False, without calling `ler`, when the file is missing or cannot be read.
[[nodiscard]] bool lerMapeado(const QString &caminho, const std::function<void(QByteArrayView)> &ler);
// Writes to a temporary file beside `caminho` with permissions 0600, flushes it to disk and
// renames it over `caminho`. The folder must exist. On failure the previous file is untouched.
// A small JSON store's whole object: a missing file is an empty object, a damaged one reads as
// empty too (the next write replaces it), an unreadable one gives nothing so it is never overwritten.
[[nodiscard]] std::optional<QJsonObject> lerObjetoJSON(const QString &caminho);
[[nodiscard]] bool gravar(const QString &caminho, const QByteArray &bytes);
// Creates `caminho` and any missing parents with permissions 0700; an existing folder is fine
// (its permissions are left as they are).
[[nodiscard]] bool criarPastaProtegida(const QString &caminho);

} // namespace ArquivoAtomico
