// The two small files through which the AutoFill extension hands work to the application: new
// passwords saved from the AutoFill panel ("novas-senhas.json") and links from a one-time-code
// item to the domain it was filled on ("vinculos-de-codigos.json"). The extension appends, the
// application removes what it has handled; both hold an exclusive lock on "<file>.lock" around
// every read-modify-write, so an append that meets a removal is never lost.
#pragma once

#include "core/CodificacaoJSON.h"

#include <QDateTime>
#include <QHashFunctions>
#include <QList>
#include <QSet>
#include <QString>

#include <optional>

// One password saved by the extension, sealed for its future item id.
struct NovaDoPreenchimento {
    QString id;        // the future item id, a lower-case UUID
    QString dados;     // the password content sealed with the vault key for `id`
    QDateTime criadaEm; // written as seconds since 2001-01-01T00:00:00Z

    friend bool operator==(const NovaDoPreenchimento &, const NovaDoPreenchimento &) = default;

    // The group container's "Library/Application Support/novas-senhas.json"; nothing without a
    // container (there is no fallback, so that both programs always meet at the same file).
    [[nodiscard]] static std::optional<QString> urlDoArquivo();
    // The file's records; a missing, unreadable or undecodable file gives an empty list.
    [[nodiscard]] static QList<NovaDoPreenchimento> ler();
    // Removes the records with these ids, deleting the file when none is left. A file that exists
    // but cannot be read or decoded is left in place, as are its entries on any failure.
    static void remover(const QSet<QString> &ids);
    // The extension's save: appends the record. False without a container, when the file exists
    // but cannot be read or decoded (it is never overwritten), or when the write fails.
    [[nodiscard]] static bool acrescentar(const NovaDoPreenchimento &nova);

    // Keys "id", "dados", "criadaEm", all required. Throws ErroDeDecodificacao.
    [[nodiscard]] static NovaDoPreenchimento deJSON(const Leitor &leitor);
    [[nodiscard]] ValorJSON paraJSON() const;
};

// A link from a code item to a web domain; equal when both fields are.
struct VinculoDoPreenchimento {
    QString id;      // of the code item
    QString dominio; // where the code was filled

    friend bool operator==(const VinculoDoPreenchimento &, const VinculoDoPreenchimento &) = default;

    // The group container's "Library/Application Support/vinculos-de-codigos.json", or nothing.
    [[nodiscard]] static std::optional<QString> urlDoArquivo();
    // As for new passwords: problems read as an empty list.
    [[nodiscard]] static QList<VinculoDoPreenchimento> ler();
    // Removes the records equal to one of `vinculos`, with the same care as for new passwords.
    static void remover(const QSet<VinculoDoPreenchimento> &vinculos);
    // The extension's save: appends the link unless an equal one is already there (then nothing is
    // written and the result is true). False as for new passwords.
    [[nodiscard]] static bool acrescentar(const VinculoDoPreenchimento &vinculo);
    // The same for several links in one rewrite of the file (those already there, or repeated in
    // `vinculos`, are written once), so n links cost one pass rather than n.
    [[nodiscard]] static bool acrescentarVarios(const QList<VinculoDoPreenchimento> &vinculos);

    // Keys "id", "dominio", both required. Throws ErroDeDecodificacao.
    [[nodiscard]] static VinculoDoPreenchimento deJSON(const Leitor &leitor);
    [[nodiscard]] ValorJSON paraJSON() const;
};

size_t qHash(const VinculoDoPreenchimento &vinculo, size_t semente = 0);
