// Start-up marks for the start-up benchmark: with CORVANE_MEDIR_PARTIDA=1 in the environment,
// each mark prints "partida <name> <ms>" on standard error, the milliseconds counted from the
// process's own start (so the loading of libraries before main counts too). Otherwise nothing.
#pragma once

namespace MarcasDaPartida {

[[nodiscard]] bool ligadas();
// Prints the mark when enabled; cheap when not.
void marcar(const char *nome);

} // namespace MarcasDaPartida
