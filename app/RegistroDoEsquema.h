// The "corvane:" URL scheme's handler for a program run from its build folder: when no desktop
// entry handles the scheme yet (none installed, no default chosen, or the chosen one's program is
// gone), a hidden user-level desktop entry for this very program is written and made the
// scheme's default in the user's mimeapps.list. An installed corvane.desktop is never shadowed.
#pragma once

#include <QString>
#include <QStringList>

namespace RegistroDoEsquema {

inline constexpr const char *tipoDoEsquema = "x-scheme-handler/corvane";
inline constexpr const char *entradaLocal = "corvane-local.desktop";

// Where the desktop looks: the user's and the system's folders (XDG base directories).
struct Pastas {
    QString configuracaoDoUsuario; // $XDG_CONFIG_HOME
    QStringList configuracaoDoSistema; // $XDG_CONFIG_DIRS
    QString dadosDoUsuario; // $XDG_DATA_HOME
    QStringList dadosDoSistema; // $XDG_DATA_DIRS

    [[nodiscard]] static Pastas doAmbiente();
};

// Whether a desktop entry handles the scheme: a default in a mimeapps.list whose entry exists
// and whose program exists, or an installed "corvane.desktop".
[[nodiscard]] bool temManipulador(const Pastas &pastas);

// Registers `programa` (an absolute path) when nothing handles the scheme; true when it wrote
// the entry. Failures to write are not errors: the scheme then stays without a handler.
bool registrarSeFaltar(const Pastas &pastas, const QString &programa);

} // namespace RegistroDoEsquema
