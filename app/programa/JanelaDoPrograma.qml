// The program's main window: the frame's window with each phase's real screen.
import QtQuick
import Corvane.App
import Corvane.Conta

JanelaPrincipal {
    id: janela
}
