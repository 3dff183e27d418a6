// The AutoFill credential identity store: for each provider, the identities the host may offer in
// its suggestions (which user name or which one-time-code label it can fill on which domain, and
// the record id to ask the provider for) and the switch that says whether the user has enabled
// that provider. The real store is a JSON file owned by the AutoFill host, shared with the
// application and the extension; every read-modify-write holds the lock beside it.
#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <memory>
#include <variant>

// A password the provider can fill on `dominio` for `usuario` (possibly empty).
struct IdentidadeDeSenha {
    QString dominio;
    QString usuario;
    QString idDoRegistro;

    friend bool operator==(const IdentidadeDeSenha &, const IdentidadeDeSenha &) = default;
};

// A one-time code the provider can fill on `dominio`, shown with `rotulo`.
struct IdentidadeDeCodigo {
    QString dominio;
    QString rotulo;
    QString idDoRegistro;

    friend bool operator==(const IdentidadeDeCodigo &, const IdentidadeDeCodigo &) = default;
};

using IdentidadeDoPreenchimento = std::variant<IdentidadeDeSenha, IdentidadeDeCodigo>;

// The identities of some records as they are now, by record id; an empty list removes a record's.
using IdentidadesPorRegistro = QHash<QString, QList<IdentidadeDoPreenchimento>>;

// The provider name under which the application and its extension register their identities.
inline constexpr const char *provedorDoCorvane = "app.corvane.mac";

class RepositorioDeIdentidades {
public:
    virtual ~RepositorioDeIdentidades() = default;

    // Whether the user has switched this provider on; false when that cannot be known.
    [[nodiscard]] virtual bool ligado() = 0;
    // Replaces all of this provider's identities in one step; false (nothing changed) on failure.
    [[nodiscard]] virtual bool substituirTodas(const QList<IdentidadeDoPreenchimento> &identidades) = 0;
    // Adds one identity unless an equal one is already there (then it is a success). A store
    // whose provider is switched off refuses it: false, nothing changed.
    [[nodiscard]] virtual bool adicionar(const IdentidadeDoPreenchimento &identidade) = 0;
    // Adds each identity unless an equal one is already there; true when all are there after.
    // This default adds them one by one; a store that can do it in one step does.
    [[nodiscard]] virtual bool adicionarVarias(const QList<IdentidadeDoPreenchimento> &identidades);
    // Removes every identity of this provider; having none is a success.
    virtual bool removerTodas() = 0;
    // Whether `substituirDosRegistros` is supported. A store without it is always given the
    // whole list.
    [[nodiscard]] virtual bool substituiPorRegistro() const { return false; }
    // Replaces, in one step, the identities of each record named in `mudancas` with the ones
    // given for it (none: the record leaves), keeping every other identity where it is; the new
    // ones go at the end, each record's in its given order. False (nothing changed) on failure;
    // this default does nothing and fails.
    [[nodiscard]] virtual bool substituirDosRegistros(const IdentidadesPorRegistro &mudancas);

    // The store this process uses: the host's file for `provedorDoCorvane` unless `usar`
    // installed another (tests install fakes).
    [[nodiscard]] static std::shared_ptr<RepositorioDeIdentidades> atual();
    // nullptr restores the default.
    static void usar(std::shared_ptr<RepositorioDeIdentidades> repositorio);
};

// The host's file. Layout:
//   {"provedores": {"<provedor>": {"ligado": <bool>, "identidades": [
//       {"tipo": "senha", "dominio": …, "usuario": …, "idDoRegistro": …},
//       {"tipo": "codigo", "dominio": …, "rotulo": …, "idDoRegistro": …}, …]}}}
// A missing file is an empty store (every provider off). A damaged file reads as empty and is
// replaced by the next write; a file that exists but cannot be read is never overwritten.
// Entries of other providers and keys this version does not know are kept on every rewrite.
class RepositorioDeIdentidadesEmArquivo final : public RepositorioDeIdentidades {
public:
    explicit RepositorioDeIdentidadesEmArquivo(QString caminho = caminhoPadrao(),
                                               QString provedor = QString::fromLatin1(provedorDoCorvane));

    // $XDG_DATA_HOME (default ~/.local/share) + "/corvane-anfitriao/identidades.json".
    [[nodiscard]] static QString caminhoPadrao();

    [[nodiscard]] const QString &caminho() const { return caminho_; }

    [[nodiscard]] bool ligado() override;
    [[nodiscard]] bool substituirTodas(const QList<IdentidadeDoPreenchimento> &identidades) override;
    [[nodiscard]] bool adicionar(const IdentidadeDoPreenchimento &identidade) override;
    // One rewrite of the file for all of them: n identities cost one pass rather than n. False
    // (nothing changed) on failure.
    [[nodiscard]] bool adicionarVarias(const QList<IdentidadeDoPreenchimento> &identidades) override;
    bool removerTodas() override;
    // One rewrite of the file, as the host reads it: the file holds one JSON document, replaced
    // whole so that an unlocked reader always sees one consistent version.
    [[nodiscard]] bool substituiPorRegistro() const override { return true; }
    [[nodiscard]] bool substituirDosRegistros(const IdentidadesPorRegistro &mudancas) override;

    // The host's side: its switch and its reading of the suggestions. Entries it cannot
    // understand are skipped.
    [[nodiscard]] bool definirLigado(bool ligado);
    [[nodiscard]] QList<IdentidadeDoPreenchimento> identidades();

private:
    QString caminho_;
    QString provedor_;
};
