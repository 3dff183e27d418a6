// This program's windows stepped aside for a screen capture, and brought back where they were:
// same place, same state. Minimized windows are not on the screen and stay as they are. Main
// thread.
#pragma once

#include <QList>
#include <QPoint>
#include <QPointer>
#include <QWindow>

class JanelasAfastadas {
public:
    // Hides every shown top-level window that is not minimized.
    JanelasAfastadas();
    // Brings them back, if devolver() has not.
    ~JanelasAfastadas();
    JanelasAfastadas(const JanelasAfastadas &) = delete;
    JanelasAfastadas &operator=(const JanelasAfastadas &) = delete;

    [[nodiscard]] bool vazia() const { return guardadas_.isEmpty(); }
    // Shows each window again at its old position and in its old state, and gives the focus back
    // to the window that had it.
    void devolver();

private:
    struct Guardada {
        QPointer<QWindow> janela;
        QPoint posicao;
        Qt::WindowStates estado;
    };
    QList<Guardada> guardadas_;
    QPointer<QWindow> ativa_;
};
