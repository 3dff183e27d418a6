// The program's main window: the frame's window with each phase's real screen.
import QtQuick
import Corvane.App
import Corvane.Comum
import Corvane.Conta
import Corvane.Cofre
import Corvane.Editores
import Corvane.Quadro

JanelaPrincipal {
    id: janela

    // qmllint disable unqualified
    // (6.4's qmllint takes an inline component's access to this document's ids for an unqualified
    // one; the id is in scope there)
    telaSemConta: Component { EntradaNoMac { estado: janela.estado } }
    telaBloqueado: Component { DesbloqueioNoMac { estado: janela.estado } }
    telaAberto: Component {
        CofreNoMac {
            id: cofreDoPrograma

            estado: janela.estado
            preenchimento: janela.preenchimento
            onAjustesPedidos: janela.ajustesPedidos()
            secaoDeSenhas: Component { SenhasNoMac { estado: janela.estado; vista: cofreDoPrograma.vista } }
            secaoDeNotas: Component { NotasNoMac { estado: janela.estado; vista: cofreDoPrograma.vista } }
            situacaoDaSincronia: Component {
                SituacaoDaSincroniaNoMac {
                    estado: janela.estado
                    onEntrarDeNovo: cofreDoPrograma.vista.entrandoDeNovo = true
                }
            }
            faixaDoCofre: Component { FaixaDoCofreNoMac {} }
            folhaDeEntrarDeNovo: Component { EntrarDeNovoNoMac {} }
            // The edit sheet: the editor centred over the dimmed window, 460 points wide. It
            // closes itself through the state.
            folhaDeEdicao: Component {
                FocusScope {
                    property var edicao
                    property Cofre cofre
                    property EstadoDoApp estado

                    signal fechar()

                    Rectangle {
                        objectName: "cartaoDoEditor"
                        anchors.centerIn: parent
                        width: editorDaFolha.implicitWidth
                        height: Math.min(editorDaFolha.implicitHeight, parent.height - 48)
                        radius: 12
                        color: Paleta.superficie
                        border.width: 1
                        border.color: Paleta.borda
                        clip: true

                        EditorNoMac {
                            id: editorDaFolha

                            anchors.fill: parent
                            focus: true
                            estado: janela.estado
                        }
                    }
                }
            }
        }
    }
    // qmllint enable unqualified
}
