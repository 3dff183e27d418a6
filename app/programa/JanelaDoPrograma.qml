// The program's main window: the frame's window with each phase's real screen.
import QtQuick
import Corvane.App
import Corvane.Conta

JanelaPrincipal {
    id: janela

    // qmllint disable unqualified
    // (the screens are made in this window's context, where `janela` resolves; 6.4's qmllint does
    // not follow ids into an inline Component)
    telaSemConta: Component { EntradaNoMac { estado: janela.estado } }
    // qmllint enable unqualified
}
