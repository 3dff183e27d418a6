// Any error as the one line of Portuguese text a screen shows for it.
#pragma once

#include <QString>

#include <exception>

// The API client's errors read as their own sentence; sign-in and vault store errors have texts
// of their own here; anything else (crypto, keychain, owner check, cancellation, files) is
// "Algo não deu certo. Tente de novo.". Never empty; reads only the error; any thread.
[[nodiscard]] QString mensagemDoErro(const std::exception &erro);
