// The main window's content: one screen per application phase, the waiting screen over it while
// a long operation runs, the toast at the top and the update banner above everything, pushing
// the content down. Starts the start-up work when first shown.
import QtQml
import QtQuick
import Corvane.App
import Corvane.Comum
import Corvane.Cofre
import Corvane.Barra
import Corvane.Quadro

Item {
    id: raiz

    required property EstadoDoApp estado
    required property VerificadorDeAtualizacao atualizacao
    required property SituacaoDoPreenchimento preenchimento
    // The program starts the start-up work with the window; screen tests drive the phases.
    property bool comecarAoMostrar: true
    // The screens of the three phases. The program's window sets the real ones (their modules
    // build on this one); alone, each phase shows a plain screen naming it.
    property Component telaSemConta: Component {
        TelaProvisoria {
            fase: "semConta"
            explicacao: "Sem conta neste computador."
        }
    }
    property Component telaBloqueado: Component {
        TelaProvisoria {
            fase: "bloqueado"
            explicacao: "O cofre está bloqueado."
        }
    }
    property Component telaAberto: Component {
        TelaProvisoria {
            fase: "aberto"
            explicacao: "O cofre está aberto."
        }
    }
    readonly property string fase: estado.nomeDaFase
    readonly property var trabalhando: estado.trabalhando
    // The last operation's texts stay while the waiting screen fades out.
    property var ultimoTrabalho: undefined
    // The waiting screen is still fading out.
    property bool esperaSaindo: false

    onTrabalhandoChanged: {
        if (raiz.trabalhando !== undefined)
            raiz.ultimoTrabalho = raiz.trabalhando;
        else if (espera.item !== null)
            raiz.esperaSaindo = true;
    }
    Component.onCompleted: {
        if (raiz.trabalhando !== undefined)
            raiz.ultimoTrabalho = raiz.trabalhando;
        if (raiz.comecarAoMostrar)
            tarefas.comecarDepoisDoPrimeiroQuadro(raiz.Window.window);
    }

    TarefasDaRaiz {
        id: tarefas

        estado: raiz.estado
        atualizacao: raiz.atualizacao
        preenchimento: raiz.preenchimento
    }

    FaixaDeAtualizacao {
        id: faixa

        objectName: "faixaDeAtualizacao"
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        height: implicitHeight
        atualizacao: raiz.atualizacao
    }

    Item {
        id: conteudo

        objectName: "conteudoDaRaiz"
        anchors.top: faixa.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom

        // Starting: the plain background, no transition.
        Rectangle {
            objectName: "telaIniciando"
            anchors.fill: parent
            color: Paleta.fundo
            visible: raiz.fase === "iniciando"
        }
        TelaDaFase {
            objectName: "telaSemConta"
            anchors.fill: parent
            fase: "semConta"
            faseAtual: raiz.fase
            conteudo: raiz.telaSemConta
        }
        TelaDaFase {
            objectName: "telaBloqueado"
            anchors.fill: parent
            fase: "bloqueado"
            faseAtual: raiz.fase
            conteudo: raiz.telaBloqueado
        }
        // Open: the vault window for the open store; with none, nothing at all.
        TelaDaFase {
            objectName: "telaAberto"
            anchors.fill: parent
            fase: "aberto"
            faseAtual: raiz.estado.cofre !== null ? raiz.fase : ""
            conteudo: raiz.telaAberto
        }

        Loader {
            id: espera

            objectName: "carregadorDaEspera"
            anchors.fill: parent
            z: 5
            active: raiz.trabalhando !== undefined || raiz.esperaSaindo
            sourceComponent: TelaDeEspera {
                objectName: "telaDeEspera"
                titulo: ""
                detalhe: ""
            }

            // The screen shows the last operation's texts, also while it fades out, and is
            // released once it has faded.
            Binding {
                target: espera.item
                property: "titulo"
                value: raiz.ultimoTrabalho !== undefined ? raiz.ultimoTrabalho.titulo : ""
            }
            Binding {
                target: espera.item
                property: "detalhe"
                value: raiz.ultimoTrabalho !== undefined ? raiz.ultimoTrabalho.detalhe : ""
            }
            Binding {
                target: espera.item
                property: "mostrada"
                value: raiz.trabalhando !== undefined
            }
            Connections {
                target: espera.item
                ignoreUnknownSignals: true
                function onSaiu() {
                    if (raiz.trabalhando === undefined)
                        raiz.esperaSaindo = false;
                }
            }
        }

        AvisosNoMac {
            objectName: "avisosNoMac"
            anchors.fill: parent
            z: 10
            avisos: raiz.estado.avisos
        }
    }
}
