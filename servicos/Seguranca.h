// Device-owner authentication and the biometry kind. The services never prompt by themselves:
// they call the authenticator the program registered at start (the application's password
// dialog checked through PAM; a fake in tests). With none registered, authentication is
// unavailable and every check answers false.
#pragma once

#include <QCoro/QCoroTask>
#include <QString>

#include <functional>

enum class TipoDeBiometria { faceID, touchID, opticID, nenhuma };

// "Face ID", "Touch ID", "Optic ID", "senha do computador".
[[nodiscard]] QString nome(TipoDeBiometria tipo);
// "faceid", "touchid", "opticid", "lock".
[[nodiscard]] QString simbolo(TipoDeBiometria tipo);
// The name with the article that agrees with it, for texts built around it: "o Touch ID",
// "a senha do computador".
[[nodiscard]] QString nomeComArtigo(TipoDeBiometria tipo);

// This machine's biometric sensor; there is none this program can use here, so always
// `nenhuma` (the owner check asks for the login password). Any thread.
[[nodiscard]] TipoDeBiometria tipoDeBiometria();

// Asks the person at the machine to prove they are its owner, showing `motivo`. True only when
// the registered authenticator confirms; false when none is registered, when it is unavailable,
// refused, cancelled or failed. Never throws. Main thread.
[[nodiscard]] QCoro::Task<bool> autenticarDono(QString motivo);

namespace Seguranca {

// Shows its prompt with the reason and answers whether the owner was confirmed. It may capture
// state: the services keep their own copy alive while the prompt runs.
using Autenticador = std::function<QCoro::Task<bool>(QString motivo)>;
// Whether the authenticator can check the owner at all (a prompt could be shown).
using Disponibilidade = std::function<bool()>;

// Installs the process's authenticator (the application at start, tests with a fake); an
// empty `disponivel` means always available while registered. Main thread.
void registrarAutenticador(Autenticador autenticador, Disponibilidade disponivel = {});
// Back to no authenticator.
void removerAutenticador();

// Whether device-owner authentication is available: an authenticator is registered and says it
// can check. What locking asks before it locks.
[[nodiscard]] bool podeAutenticar();

} // namespace Seguranca
