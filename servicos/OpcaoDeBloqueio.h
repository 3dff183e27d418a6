// The delay after which an application left in the background locks: a closed set of four
// choices, each an exact number of seconds.
#pragma once

#include <QString>

#include <optional>

enum class OpcaoDeBloqueio : qint64 {
    imediato = 0,
    umMinuto = 60,
    cincoMinutos = 300,
    quinzeMinutos = 900,
};

// Every option, in the order the settings list them.
inline constexpr OpcaoDeBloqueio todasAsOpcoesDeBloqueio[] = {
    OpcaoDeBloqueio::imediato, OpcaoDeBloqueio::umMinuto, OpcaoDeBloqueio::cincoMinutos,
    OpcaoDeBloqueio::quinzeMinutos};

// The delay in seconds.
[[nodiscard]] constexpr qint64 valorBruto(OpcaoDeBloqueio opcao) { return static_cast<qint64>(opcao); }
// Exactly 0, 60, 300 or 900; nothing for any other number of seconds.
[[nodiscard]] std::optional<OpcaoDeBloqueio> opcaoDeBloqueio(qint64 segundos);
// The label shown in settings ("Imediato", "1 minuto", …).
[[nodiscard]] QString nome(OpcaoDeBloqueio opcao);
