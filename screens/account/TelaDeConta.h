// Which account screen the signed-out window shows, the key that gives that screen its
// identity (a change of key replaces the screen with the window's transition), and the rule by
// which a screen moves on after an Apple, Google or passkey identification.
#pragma once

#include "api/Respostas.h"

#include <QString>

#include <optional>

struct TelaDeConta {
    enum class Caso { criar, senhaSocial, entrar };

    Caso caso = Caso::entrar;
    // The server's answer of the social step: optional for `criar`, always there for
    // `senhaSocial`, never for `entrar`.
    std::optional<RespostaSocial> social;

    [[nodiscard]] static TelaDeConta entrar() { return {Caso::entrar, std::nullopt}; }
    [[nodiscard]] static TelaDeConta criar(std::optional<RespostaSocial> resposta = std::nullopt)
    {
        return {Caso::criar, std::move(resposta)};
    }
    [[nodiscard]] static TelaDeConta senhaSocial(RespostaSocial resposta) { return {Caso::senhaSocial, std::move(resposta)}; }

    friend bool operator==(const TelaDeConta &, const TelaDeConta &) = default;
};

// "entrar", "criar-" + the answer's e-mail ("criar-" without an answer), "social-" + e-mail.
[[nodiscard]] QString chaveDaTela(const TelaDeConta &tela);

// Where an identified account goes: the creation wizard for a new one ("nova", exactly), the
// vault password for any other answer.
[[nodiscard]] TelaDeConta telaDepoisDaIdentificacao(const RespostaSocial &resposta);
