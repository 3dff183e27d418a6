// The program's main window: the frame's window with each phase's real screen.
import QtQuick
import Corvane.App
import Corvane.Conta
import Corvane.Cofre

JanelaPrincipal {
    id: janela

    // qmllint disable unqualified
    // (6.4's qmllint takes an inline component's access to this document's ids for an unqualified
    // one; the id is in scope there)
    telaBloqueado: Component { DesbloqueioNoMac { estado: janela.estado } }
    telaAberto: Component {
        CofreNoMac {
            estado: janela.estado
            preenchimento: janela.preenchimento
            onAjustesPedidos: janela.ajustesPedidos()
        }
    }
    // qmllint enable unqualified
}
