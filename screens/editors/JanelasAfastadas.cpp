#include "JanelasAfastadas.h"

#include <QGuiApplication>

JanelasAfastadas::JanelasAfastadas() : ativa_(QGuiApplication::focusWindow())
{
    for (QWindow *janela : QGuiApplication::topLevelWindows()) {
        if (!janela->isVisible() || janela->windowStates().testFlag(Qt::WindowMinimized))
            continue;
        guardadas_.append({janela, janela->position(), janela->windowStates()});
        janela->hide();
    }
}

JanelasAfastadas::~JanelasAfastadas()
{
    devolver();
}

void JanelasAfastadas::devolver()
{
    for (const Guardada &guardada : std::as_const(guardadas_)) {
        if (!guardada.janela)
            continue;
        // A position set by the program is one the window manager keeps when the window is mapped
        // again; without it the manager places the window anew, as it does a new one.
        if (!guardada.estado.testAnyFlags(Qt::WindowMaximized | Qt::WindowFullScreen))
            guardada.janela->setPosition(guardada.posicao);
        guardada.janela->setWindowStates(guardada.estado);
        guardada.janela->show();
    }
    guardadas_.clear();
    if (ativa_)
        ativa_->requestActivate();
    ativa_.clear();
}
