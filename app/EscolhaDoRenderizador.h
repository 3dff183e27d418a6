// Which scene-graph backend the program's windows use. On a machine without a GPU, Qt Quick's
// OpenGL backend runs on Mesa's llvmpipe, whose loading and shader compilation cost most of the
// start-up (measured here: 1.2 s of processor time against 0.47 s with the software renderer,
// under load). There the software renderer draws the same windows: the kit draws its shadows in
// software and uses no shader effects. A backend the user or the desktop chose is kept.
#pragma once

#include <QStringList>

namespace EscolhaDoRenderizador {

struct Ambiente {
    bool backendEscolhido = false;  // QT_QUICK_BACKEND or QSG_RHI_BACKEND set
    bool softwareForcado = false;   // LIBGL_ALWAYS_SOFTWARE=1: Mesa would rasterise on the CPU
    QStringList nosDeRenderizacao;  // the DRM render nodes present ("renderD128", …)

    // The process's environment and /dev/dri.
    [[nodiscard]] static Ambiente doSistema();
};

// True when the software renderer should draw: no backend chosen, and no GPU to render with
// (no DRM render node) or Mesa forced onto the CPU.
[[nodiscard]] bool usarSoftware(const Ambiente &ambiente);

// Sets the software renderer for every window when `usarSoftware` says so; before any window.
void aplicar(const Ambiente &ambiente = Ambiente::doSistema());

// The software renderer for every window, paced at the display's 60 frames a second: with no
// vertical sync to wait for, Qt would otherwise answer an animation's update requests every
// 5 ms and paint twice as many frames as a screen shows (a pace the user set is kept).
void usarRenderizadorDeSoftware();

} // namespace EscolhaDoRenderizador
