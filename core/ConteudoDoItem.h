// The opened content of a vault item: one ordered JSON object per item, wrapped in a type per
// kind, so keys this version does not know survive an edit and a new seal. Also the readings that
// listings, search and AutoFill use (titles, favourites, host names).
#pragma once

#include "core/Totp.h"
#include "core/ValorJSON.h"

#include <QList>
#include <QString>

#include <optional>
#include <variant>

// The kind of an item; stored as its raw text ("codigo", "senha", "nota").
enum class TipoDeItem { codigo, senha, nota };

// Every kind, in the order in which kinds are listed.
inline constexpr TipoDeItem todosOsTiposDeItem[] = {TipoDeItem::codigo, TipoDeItem::senha, TipoDeItem::nota};

[[nodiscard]] QString valorBruto(TipoDeItem tipo);
// Exact match of the raw text; anything else gives nothing.
[[nodiscard]] std::optional<TipoDeItem> tipoDeItem(const QString &valorBruto);

// The host name a site typed by the user stands for: trimmed, "https://" assumed when no scheme
// is given, lower case, without a leading "www." and without scheme, user, port, path or query.
// Nothing for an empty text, an address the URL parser refuses or one without a host.
[[nodiscard]] std::optional<QString> normalizarSite(const QString &site);

// A one-time-code item: "emissor", "conta", "segredo", "algoritmo", "digitos", "periodo",
// "favorito", "notas" and, once linked to sites, "sites".
struct DadosDeCodigo {
    ObjetoJSON json;

    DadosDeCodigo() = default;
    explicit DadosDeCodigo(ObjetoJSON objeto) : json(std::move(objeto)) {}

    // A new content with every key of the kind, in stored order ("favorito" false, "notas"
    // empty, no "sites").
    [[nodiscard]] static DadosDeCodigo novo(const QString &emissor, const QString &conta, const QString &segredo,
                                            AlgoritmoTotp algoritmo, qint64 digitos, qint64 periodo);

    // The trimmed issuer, else the trimmed account name, else "Sem nome".
    [[nodiscard]] QString titulo() const;
    // Hosts of "sites", then the issuer and the account name when they look like host names;
    // without repeats.
    [[nodiscard]] QList<QString> dominios() const;
    // An empty list removes "sites"; otherwise it is set in place (or appended).
    void definirSites(const QList<QString> &sites);

    // SHA1 unless "algoritmo" is exactly "SHA256" or "SHA512".
    [[nodiscard]] AlgoritmoTotp algoritmo() const;
    // "digitos" with default 6, as stored: a count outside what codes accept is refused only when
    // a code is computed (ParametrosTotp::codigo), never narrowed into a valid one here.
    [[nodiscard]] qint64 digitos() const;
    // "periodo" with default 30; below 1 reads as 1, so nothing divides by zero.
    [[nodiscard]] qint64 periodo() const;
    // What computing the code needs, from the readings above and "segredo".
    [[nodiscard]] ParametrosTotp parametros() const;

    friend bool operator==(const DadosDeCodigo &, const DadosDeCodigo &) = default;
};

// The one-time code attached to a password ("codigo" object of the content).
struct CodigoDaSenha {
    QString segredo; // base32, as stored
    AlgoritmoTotp algoritmo = AlgoritmoTotp::sha1;
    qint64 digitos = 6;  // as stored, unbounded
    qint64 periodo = 30; // at least 1

    [[nodiscard]] ParametrosTotp parametros() const { return {segredo, algoritmo, digitos, periodo}; }

    friend bool operator==(const CodigoDaSenha &, const CodigoDaSenha &) = default;
};

// A website password: "titulo", "usuario", "senha", "sites", "notas", "favorito" and optionally
// "codigo".
struct DadosDeSenha {
    ObjetoJSON json;

    DadosDeSenha() = default;
    explicit DadosDeSenha(ObjetoJSON objeto) : json(std::move(objeto)) {}

    // A new content with every key of the kind, in stored order.
    [[nodiscard]] static DadosDeSenha novo(const QString &titulo, const QString &usuario, const QString &senha,
                                           const QList<QString> &sites, const QString &notas, bool favorito);

    // Hosts of "sites" in order; entries without a host are dropped, repeats stay.
    [[nodiscard]] QList<QString> dominios() const;
    // The attached code; nothing without a "codigo" object or with an empty secret.
    [[nodiscard]] std::optional<CodigoDaSenha> codigo() const;
    // Always sets "sites"; an empty list is stored as an empty list.
    void definirSites(const QList<QString> &sites);

    friend bool operator==(const DadosDeSenha &, const DadosDeSenha &) = default;
};

// A secure note: "titulo", "texto", "favorito".
struct DadosDeNota {
    ObjetoJSON json;

    DadosDeNota() = default;
    explicit DadosDeNota(ObjetoJSON objeto) : json(std::move(objeto)) {}
    DadosDeNota(const QString &titulo, const QString &texto, bool favorito);

    friend bool operator==(const DadosDeNota &, const DadosDeNota &) = default;
};

// The content of an opened item: exactly one of the three kinds. Two contents are equal when they
// are the same kind and their objects are equal member by member, in order.
class ConteudoDoItem {
public:
    using Caso = std::variant<DadosDeCodigo, DadosDeSenha, DadosDeNota>;

    ConteudoDoItem(DadosDeCodigo dados) : caso_(std::move(dados)) {}
    ConteudoDoItem(DadosDeSenha dados) : caso_(std::move(dados)) {}
    ConteudoDoItem(DadosDeNota dados) : caso_(std::move(dados)) {}

    // The case named by `tipo` wrapping `objeto`.
    [[nodiscard]] static ConteudoDoItem de(TipoDeItem tipo, ObjetoJSON objeto);

    [[nodiscard]] TipoDeItem tipo() const;
    [[nodiscard]] const Caso &caso() const { return caso_; }

    // The payload when the content is of that kind, null otherwise.
    [[nodiscard]] const DadosDeCodigo *codigo() const { return std::get_if<DadosDeCodigo>(&caso_); }
    [[nodiscard]] DadosDeCodigo *codigo() { return std::get_if<DadosDeCodigo>(&caso_); }
    [[nodiscard]] const DadosDeSenha *senha() const { return std::get_if<DadosDeSenha>(&caso_); }
    [[nodiscard]] DadosDeSenha *senha() { return std::get_if<DadosDeSenha>(&caso_); }
    [[nodiscard]] const DadosDeNota *nota() const { return std::get_if<DadosDeNota>(&caso_); }
    [[nodiscard]] DadosDeNota *nota() { return std::get_if<DadosDeNota>(&caso_); }

    // The wrapped object, whatever the kind (what gets written and sealed).
    [[nodiscard]] const ObjetoJSON &json() const;
    [[nodiscard]] ObjetoJSON &json();

    // The display title: a code's `titulo()`; a password's "titulo" when not empty, else its
    // first host, else "Sem título"; a note's "titulo" when not empty, else "Sem título".
    [[nodiscard]] QString titulo() const;
    // The "favorito" flag; false when missing or not a flag.
    [[nodiscard]] bool favorito() const;

    friend bool operator==(const ConteudoDoItem &, const ConteudoDoItem &) = default;

private:
    Caso caso_;
};
