// The order-preserving JSON value of item contents: a value, a key/value pair and an object whose
// members keep the order in which they were first written, with our own byte-exact parser and writer.
#pragma once

#include "core/ChaveJSON.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>
#include <variant>

struct ParJSON;
class ValorJSON;

// An object whose members keep document order. Objects are small, so every key operation is a
// linear scan of `pares`; keys compare by Unicode canonical equivalence.
class ObjetoJSON {
public:
    ObjetoJSON() = default;
    // Takes the pairs exactly as given (callers pass distinct keys).
    explicit ObjetoJSON(QList<ParJSON> pares);

    // The value of the first pair with this key, or null when there is none. The pointer is valid
    // until the object is next changed.
    [[nodiscard]] const ValorJSON *valor(const QString &chave) const;
    // Replaces the value in place, removes the pair (nothing given), appends a new pair, or does
    // nothing (missing key, nothing given). A key keeps the position where it was first written.
    void definir(const QString &chave, std::optional<ValorJSON> valor);

    // Typed readings; none converts between cases.
    // The text under the key, or empty text.
    [[nodiscard]] QString texto(const QString &chave) const;
    // The number under the key truncated toward zero, or `padrao` when the key is missing, holds
    // another case, or holds a number that is not finite or whose integral part is outside int64.
    [[nodiscard]] qint64 inteiro(const QString &chave, qint64 padrao) const;
    // The flag under the key, false otherwise (used for "favorito").
    [[nodiscard]] bool booleano(const QString &chave) const;
    // The text elements of the list under "sites", in order; other elements are skipped.
    [[nodiscard]] QList<QString> sites() const;

    [[nodiscard]] bool vazio() const { return pares.isEmpty(); }

    // Same length and equal pair by pair in order.
    friend bool operator==(const ObjetoJSON &a, const ObjetoJSON &b);

    QList<ParJSON> pares;
};

// A JSON value: exactly one of six cases. Plain value with copy semantics (copies share storage
// until changed, as Qt containers do). A long text whose UTF-8 is smaller than its UTF-16 (more
// than TextosCompartilhados::maiorTexto bytes, mostly Latin script: note bodies, sealed envelopes)
// is held as those UTF-8 bytes; any other text as QString. Which form holds a text depends only on
// the text, never on how the value was made, and is invisible to readings, equality and writing.
class ValorJSON {
public:
    enum class Caso { booleano, numero, texto, lista, objeto, nulo };

    ValorJSON() = default; // nulo

    [[nodiscard]] static ValorJSON booleano(bool valor);
    [[nodiscard]] static ValorJSON numero(double valor);
    // A whole number kept exactly, beside the nearest double: how the records coder writes 64-bit
    // integers such as revisions.
    [[nodiscard]] static ValorJSON inteiro(qint64 valor);
    [[nodiscard]] static ValorJSON texto(QString valor);
    // A text from its UTF-8 bytes. Ill-formed bytes are repaired as `ler` repairs them (each
    // maximal ill-formed subpart becomes U+FFFD); `reparado`, when given, says whether any was.
    [[nodiscard]] static ValorJSON textoDeUTF8(QByteArrayView bytes, bool *reparado = nullptr);
    [[nodiscard]] static ValorJSON lista(QList<ValorJSON> valores);
    [[nodiscard]] static ValorJSON objeto(ObjetoJSON objeto);
    [[nodiscard]] static ValorJSON nulo() { return {}; }

    [[nodiscard]] Caso caso() const
    {
        return conteudo_.index() == indiceDoUTF8 ? Caso::texto : static_cast<Caso>(conteudo_.index());
    }
    [[nodiscard]] bool ehBooleano() const { return caso() == Caso::booleano; }
    [[nodiscard]] bool ehNumero() const { return caso() == Caso::numero; }
    [[nodiscard]] bool ehTexto() const { return caso() == Caso::texto; }
    [[nodiscard]] bool ehLista() const { return caso() == Caso::lista; }
    [[nodiscard]] bool ehObjeto() const { return caso() == Caso::objeto; }
    [[nodiscard]] bool ehNulo() const { return caso() == Caso::nulo; }

    // The payload when the value is of that case; nothing (or null) otherwise.
    [[nodiscard]] std::optional<bool> comoBooleano() const;
    [[nodiscard]] std::optional<double> comoNumero() const;
    // A text held as UTF-8 is decoded on each call: callers take it once.
    [[nodiscard]] std::optional<QString> comoTexto() const;
    // The text in the form it is held (see above): its UTF-8 bytes, or its QString; null for the
    // other form and for any other value. For code that handles both forms without converting.
    [[nodiscard]] const QByteArray *textoEmUTF8() const { return std::get_if<QByteArray>(&conteudo_); }
    [[nodiscard]] const QString *textoEmUTF16() const { return std::get_if<QString>(&conteudo_); }
    [[nodiscard]] const QList<ValorJSON> *comoLista() const;
    [[nodiscard]] QList<ValorJSON> *comoLista();
    [[nodiscard]] const ObjetoJSON *comoObjeto() const;
    [[nodiscard]] ObjetoJSON *comoObjeto();
    // A number truncated toward zero; nothing for another case, a non-finite number or one whose
    // integral part is outside the signed 64-bit range (never undefined behaviour).
    [[nodiscard]] std::optional<qint64> comoInteiro() const;
    // The exact integer of a number: the one given to `inteiro` or read from integer digits by
    // `lerEstrito`, otherwise the double itself when it is a whole number inside int64. Nothing for
    // any other value.
    [[nodiscard]] std::optional<qint64> comoInteiroExato() const;

    // Parses UTF-8 JSON text. Every failure throws ErroDeCripto "json-invalido". Nesting is limited
    // to 64 containers; numbers beyond the range of a double fail too.
    [[nodiscard]] static ValorJSON ler(const QByteArray &bytes);
    // Parses as the platform's JSON decoder does, for every record that is not an item content: the
    // standard number grammar (no "+1", "01", ".5" or "5."), integer digits kept exact, no raw
    // control characters, well-formed UTF-8 and paired surrogate escapes only. Throws as `ler`.
    [[nodiscard]] static ValorJSON lerEstrito(const QByteArray &bytes);

    // Appends the compact JSON text of the value (no whitespace, keys in stored order).
    void escrever(QString &em) const;
    // The same text as UTF-8, which is what gets sealed and stored.
    [[nodiscard]] QByteArray escritoEmUTF8() const;
    [[nodiscard]] QString escrito() const;
    // The writer's own pieces, for records written straight to bytes with the same text: a JSON
    // string (quoted and escaped), a number and an exact integer.
    static void escreverTextoEm(QByteArray &saida, const QString &texto);
    static void escreverNumeroEm(QByteArray &saida, double numero);
    static void escreverInteiroEm(QByteArray &saida, qint64 inteiro);

    // Same case and equal payloads: texts by canonical equivalence, numbers by IEEE equality (and
    // by their exact integers when both carry one).
    friend bool operator==(const ValorJSON &a, const ValorJSON &b);

    // Integral part of `valor` when finite and within int64; the rule every integer reading uses.
    [[nodiscard]] static std::optional<qint64> truncarParaInteiro(double valor);
    // Text equality by Unicode canonical equivalence, with a fast path for identical or plain texts.
    [[nodiscard]] static bool textosEquivalentes(const QString &a, const QString &b);

private:
    struct Numero {
        double valor = 0;
        std::optional<qint64> exato; // integer digits, when known exactly
    };

    // The first six alternatives follow `Caso`; the last is the text case held as UTF-8.
    std::variant<bool, Numero, QString, QList<ValorJSON>, ObjetoJSON, std::monostate, QByteArray> conteudo_{
        std::monostate{}};
    static constexpr std::size_t indiceDoUTF8 = 6;
};

// One member of an object.
struct ParJSON {
    ChaveJSON chave;
    ValorJSON valor;

    friend bool operator==(const ParJSON &a, const ParJSON &b) { return a.chave == b.chave && a.valor == b.valor; }
};

// While one is alive, short texts that ValorJSON::ler reads on its thread share one
// copy with an equal text read before under it: opening a whole vault, its contents repeat user
// names, issuers, algorithms and dates. The table goes with it; the texts live as long as the
// values holding them. Scopes do not nest (an inner one is a no-op).
class TextosCompartilhados {
public:
    TextosCompartilhados();
    ~TextosCompartilhados();
    TextosCompartilhados(const TextosCompartilhados &) = delete;
    TextosCompartilhados &operator=(const TextosCompartilhados &) = delete;

    // The longest text shared, in UTF-8 bytes: longer ones rarely repeat (and may be held as UTF-8).
    static constexpr qsizetype maiorTexto = 64;

private:
    bool dono_ = false;
};
