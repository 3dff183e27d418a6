// One still image of every screen. On X11 each screen is grabbed directly, with this program's
// windows hidden for the moment of the grab (they would cover what the user shows) and restored
// at once; on Wayland the desktop's screenshot portal is asked over D-Bus. Main thread.
#pragma once

#include <QCoro/QCoroTask>
#include <QImage>
#include <QList>

class EstadoDoApp;

namespace CapturaDaTela {

// Throws LeitorDaTelaNoMac::SemPermissao when the portal refuses, FalhaNaCaptura otherwise.
// While it runs, `estado` (may be null) does not take hidden windows or the portal's dialog for
// the user leaving the program.
[[nodiscard]] QCoro::Task<QList<QImage>> capturar(EstadoDoApp *estado);

} // namespace CapturaDaTela
