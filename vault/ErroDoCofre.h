// The errors of the vault store's write operations, and the mark a batch import leaves on the
// error of a request that failed after some of its slices were already saved.
#pragma once

#include "core/ItemCifrado.h"

#include <QString>

#include <exception>
#include <optional>
#include <string>
#include <utility>

class ErroDoCofre : public std::exception {
public:
    enum class Caso { conflito, falhaAoCifrar };

    // The server refused the write because the item changed elsewhere; `atual` is the server's
    // current version when its answer carried one.
    [[nodiscard]] static ErroDoCofre conflito(std::optional<ItemCifrado> atual);
    // The content could not be sealed, or the server's answer did not open with this Mac's key.
    [[nodiscard]] static ErroDoCofre falhaAoCifrar();

    [[nodiscard]] Caso caso() const { return caso_; }
    // The Portuguese sentence a screen shows.
    [[nodiscard]] QString errorDescription() const;
    [[nodiscard]] const char *what() const noexcept override { return texto_.c_str(); }

    friend bool operator==(const ErroDoCofre &a, const ErroDoCofre &b)
    {
        return a.caso_ == b.caso_ && a.atual == b.atual;
    }

    std::optional<ItemCifrado> atual; // only for `conflito`

private:
    ErroDoCofre(Caso caso, std::optional<ItemCifrado> atual);

    Caso caso_;
    std::string texto_;
};

// How many items of a failed batch import had already been saved (on the server, in memory, in
// the local copy and in the AutoFill identities), so the caller does not send them again.
class ItensJaSalvos {
public:
    explicit ItensJaSalvos(qint64 quantidade) : salvos(quantidade) {}
    virtual ~ItensJaSalvos() = default;

    qint64 salvos;
};

// The request's own error, still caught as its type `E` (ErroDaAPI, ErroDeCancelamento), with the
// count attached.
template <typename E>
class ErroNoLote final : public E, public ItensJaSalvos {
public:
    ErroNoLote(E erro, qint64 quantidade) : E(std::move(erro)), ItensJaSalvos(quantidade) {}
};

// The count carried by an error a batch import threw; nothing when no slice had been saved.
[[nodiscard]] inline std::optional<qint64> itensJaSalvos(const std::exception &erro)
{
    if (const auto *marca = dynamic_cast<const ItensJaSalvos *>(&erro))
        return marca->salvos;
    return std::nullopt;
}
