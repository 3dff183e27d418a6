// The program's main window: the frame's window with each phase's real screen.
import QtQuick
import Corvane.App
import Corvane.Conta
import Corvane.Cofre

JanelaPrincipal {
    id: janela

    // qmllint disable unqualified
    // (6.4's qmllint takes the window's id for an unqualified name inside an inline component;
    // it resolves in the document's context as intended)
    telaAberto: Component {
        CofreNoMac {
            estado: janela.estado
            preenchimento: janela.preenchimento
            onAjustesPedidos: janela.ajustesPedidos()
        }
    }
    // qmllint enable unqualified
}
