// A typed defaults store: one JSON object per suite, kept in a file. Getters read the file anew
// each time and give nothing when the key is missing or holds another type; setters write
// through at once (atomically, under a lock beside the file, so two programs do not lose each
// other's keys). Failures are never thrown: setters return false, getters give nothing.
//
// Stored form: integers as JSON numbers, flags as JSON booleans, texts as strings, lists of
// texts as arrays of strings, bytes as {"dados": "<base64>"}.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The launch argument that wipes this computer's data (the session, the vault key, the local copy
// and these defaults) before the application's start routine runs.
inline constexpr const char *argumentoComecarDoZero = "-comecar-do-zero";

class Padroes {
public:
    // The store at `caminhoDoArquivo` (its folder must exist for writes to succeed).
    explicit Padroes(QString caminhoDoArquivo);

    // The application group's suite: "Library/Preferences/<grupo>.json" in the group container;
    // nothing when the container cannot be had, so the caller can use `padrao()` instead.
    [[nodiscard]] static std::optional<Padroes> doGrupo(const QString &grupo);
    // The standard suite: $XDG_CONFIG_HOME (default ~/.config) + "/corvane/padroes.json".
    [[nodiscard]] static Padroes padrao();

    [[nodiscard]] const QString &caminho() const { return caminho_; }

    [[nodiscard]] bool contem(const QString &chave) const;
    [[nodiscard]] std::optional<qint64> inteiro(const QString &chave) const;
    [[nodiscard]] std::optional<bool> logico(const QString &chave) const;
    [[nodiscard]] std::optional<QString> texto(const QString &chave) const;
    [[nodiscard]] std::optional<QByteArray> dados(const QString &chave) const;
    [[nodiscard]] std::optional<QStringList> listaDeTextos(const QString &chave) const;

    bool definirInteiro(const QString &chave, qint64 valor);
    bool definirLogico(const QString &chave, bool valor);
    bool definirTexto(const QString &chave, const QString &valor);
    bool definirDados(const QString &chave, const QByteArray &valor);
    bool definirListaDeTextos(const QString &chave, const QStringList &valor);
    // Removing a missing key is success.
    bool remover(const QString &chave);
    // Removes the whole suite (its file).
    bool removerTudo();

private:
    QString caminho_;
};
