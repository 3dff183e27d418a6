// The key of a JSON object member as an 8-byte handle: every vault item repeats the same few key
// names, so a member holds a pointer to one shared copy of its name instead of a text of its own.
#pragma once

#include <QLatin1String>
#include <QString>

#include <atomic>
#include <utility>

namespace ChavesJSON {

// The shared text of a key name. Known names and pooled ones live for the whole process; a name
// the pool does not take (it is full, or the name is long) is owned by the handles that hold it.
struct Nome {
    QString texto;
    bool simples = false; // every code unit below U+0300: equivalent to another such text only when identical
    bool proprio = false; // owned: freed with its last handle
    mutable std::atomic<int> referencias{1}; // counted only for owned names
};

// How many names the process-wide pool takes, and the longest name it takes (in code units):
// anything beyond is owned by its handles, so no input can grow the pool without bound.
inline constexpr std::size_t maisNomesNoConjunto = 1024;
inline constexpr qsizetype maiorNomeNoConjunto = 64;

// The empty key's name, also what a moved-from handle holds.
inline constinit const Nome nomeVazio{QString(), true, false};

// How many names the pool holds now (known names are not in it).
[[nodiscard]] std::size_t nomesNoConjunto();

} // namespace ChavesJSON

// A key: converts implicitly from texts, reads as a `const QString &`, and compares with another
// key by Unicode canonical equivalence (two handles to one name are equal at once).
class ChaveJSON {
public:
    ChaveJSON() : nome_(&ChavesJSON::nomeVazio) {} // the empty key
    ChaveJSON(const QString &texto);
    ChaveJSON(QLatin1String texto);
    ChaveJSON(const char *utf8);
    // A key from its text in printable ASCII (no byte below 0x20 or from 0x80), as the parser
    // finds it between quotes; a known or pooled name is found without building a text.
    [[nodiscard]] static ChaveJSON deAscii(const char *bytes, qsizetype tamanho);

    ChaveJSON(const ChaveJSON &outra) noexcept : nome_(outra.nome_) { reter(); }
    ChaveJSON(ChaveJSON &&outra) noexcept : nome_(outra.nome_)
    {
        if (nome_->proprio)
            outra.nome_ = &ChavesJSON::nomeVazio;
    }
    ChaveJSON &operator=(const ChaveJSON &outra) noexcept
    {
        ChaveJSON copia(outra);
        std::swap(nome_, copia.nome_);
        return *this;
    }
    ChaveJSON &operator=(ChaveJSON &&outra) noexcept
    {
        std::swap(nome_, outra.nome_);
        return *this;
    }
    ~ChaveJSON() { soltar(); }

    [[nodiscard]] const QString &texto() const { return nome_->texto; }
    operator const QString &() const { return nome_->texto; }
    // Whether every code unit is below U+0300 (such keys are equivalent only when identical).
    [[nodiscard]] bool simples() const { return nome_->simples; }
    // Whether two handles hold the very same name (not merely equal texts).
    [[nodiscard]] bool mesmoNome(const ChaveJSON &outra) const { return nome_ == outra.nome_; }

    // By canonical equivalence, as keys compare.
    friend bool operator==(const ChaveJSON &a, const ChaveJSON &b);
    // Against a plain text the key compares as its text does: exactly.
    friend bool operator==(const ChaveJSON &a, const QString &b) { return a.texto() == b; }

private:
    explicit ChaveJSON(const ChavesJSON::Nome *nome) : nome_(nome) {}
    void reter() const noexcept
    {
        if (nome_->proprio)
            nome_->referencias.fetch_add(1, std::memory_order_relaxed);
    }
    void soltar() const noexcept
    {
        if (nome_->proprio && nome_->referencias.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete nome_;
    }

    const ChavesJSON::Nome *nome_;
};

static_assert(sizeof(ChaveJSON) == sizeof(void *));
