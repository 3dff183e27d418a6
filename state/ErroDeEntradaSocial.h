// The error of a sign-in that goes through the browser (Apple, Google or a passkey).
#pragma once

#include <QString>

#include <exception>
#include <optional>
#include <string>

class ErroDeEntradaSocial : public std::exception {
public:
    enum class Caso {
        // The wait was replaced or cancelled, or the page reported that the person gave up.
        cancelado,
        // The page address could not be built, the callback lacked what it needs, or the
        // envelope's content was refused.
        falhou,
    };

    [[nodiscard]] static ErroDeEntradaSocial cancelado() { return ErroDeEntradaSocial(Caso::cancelado); }
    [[nodiscard]] static ErroDeEntradaSocial falhou() { return ErroDeEntradaSocial(Caso::falhou); }

    [[nodiscard]] Caso caso() const { return caso_; }
    // The Portuguese sentence a screen shows; none for `cancelado`, which screens ignore.
    [[nodiscard]] std::optional<QString> errorDescription() const;
    [[nodiscard]] const char *what() const noexcept override { return texto_.c_str(); }

    friend bool operator==(const ErroDeEntradaSocial &a, const ErroDeEntradaSocial &b) { return a.caso_ == b.caso_; }

private:
    explicit ErroDeEntradaSocial(Caso caso);

    Caso caso_;
    std::string texto_;
};
