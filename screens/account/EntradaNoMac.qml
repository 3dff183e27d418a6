// The main window's screen while no account is on this computer: the opening animation once,
// then the account panel with the current account screen and, at 900 points wide or more, the
// onboarding showcase beside it. The account screens move the window only through `tela`; a
// change of its key replaces the screen: the old one fades out in 0.12 s, the new one slides
// 28 points in from the right and fades in just after it.
import QtQuick
import Corvane.App
import Corvane.Comum
import Corvane.Conta

Item {
    id: entrada

    required property EstadoDoApp estado
    // The showcase on wide windows.
    property Component vitrine: Component {
        VitrineNoMac {}
    }
    // The account-creation wizard; when left unset the panel's own is used.
    property Component telaDeCriacao: null
    // Read once, as the window comes on screen (the binding is dropped once built).
    property bool reduzir: MovimentoReduzido.ativo
    // With less motion the opening is dropped before anything is built: false from the start,
    // so its loader never creates it and the layout is simply there.
    property bool abrindo: !reduzir
    readonly property bool larga: width >= 900
    readonly property NavegacaoDaConta tela: navegacao

    objectName: "entradaNoMac"
    Component.onCompleted: entrada.reduzir = MovimentoReduzido.ativo

    NavegacaoDaConta {
        id: navegacao

        objectName: "navegacaoDaConta"
    }

    Rectangle {
        anchors.fill: parent
        color: Paleta.fundo
    }

    Loader {
        id: carregadorDaAbertura

        objectName: "carregadorDaAbertura"
        anchors.fill: parent
        z: 1
        active: entrada.abrindo || opacity > 0
        opacity: entrada.abrindo ? 1 : 0
        scale: entrada.abrindo ? 1 : 1.04
        sourceComponent: AberturaNoMac {}
        // Fading out after the hand-over, the opening lets clicks through to the form.
        Presenca.saindo: !entrada.abrindo

        Behavior on opacity { AnimacaoDeMola { resposta: 0.6 } }
        Behavior on scale { AnimacaoDeMola { resposta: 0.6 } }
    }

    Connections {
        target: carregadorDaAbertura.item
        ignoreUnknownSignals: true

        // Later calls (the timeline after a click) change nothing.
        function onAoTerminar() {
            entrada.abrindo = false;
        }
    }

    // The main layout, shown once the opening is over.
    Item {
        id: leiaute

        objectName: "leiauteDaEntrada"
        anchors.fill: parent
        visible: !entrada.abrindo
        opacity: entrada.abrindo ? 0 : 1

        Behavior on opacity { AnimacaoDeMola { resposta: 0.6 } }

        PainelDaConta {
            id: painel

            objectName: "painelDaConta"
            width: entrada.larga ? 460 : leiaute.width
            height: leiaute.height

            TrocaDeTelasDaConta {
                id: telas

                objectName: "trocaDeTelas"
                width: parent.width
                height: implicitHeight
                estado: entrada.estado
                navegacao: navegacao
                telaDeCriacao: entrada.telaDeCriacao !== null ? entrada.telaDeCriacao : painel.telaDeCriacao
            }
        }

        Item {
            id: colunaDaVitrine

            objectName: "colunaDaVitrine"
            x: 460 + (entrada.larga ? 0 : width)
            width: Math.max(0, leiaute.width - 460)
            height: leiaute.height
            opacity: entrada.larga ? 1 : 0
            visible: opacity > 0
            Presenca.saindo: !entrada.larga

            Behavior on x { AnimacaoDeMola { resposta: 0.35 } }
            Behavior on opacity { AnimacaoDeMola { resposta: 0.35 } }

            Loader {
                id: carregadorDaVitrine

                objectName: "vitrine"
                anchors.fill: parent
                anchors.margins: 16
                active: colunaDaVitrine.visible
                sourceComponent: entrada.vitrine
            }
            // The showcase runs only while it can be seen (see PresencaDaVitrine); nothing of it
            // runs otherwise, and it goes on from where it stopped.
            PresencaDaVitrine {
                id: presencaDaVitrine

                objectName: "presencaDaVitrine"
                larga: entrada.larga
                colunaVisivel: colunaDaVitrine.visible
                janela: entrada.Window.window
                trabalhando: entrada.estado.trabalhando !== undefined
            }
            Binding {
                target: carregadorDaVitrine.item
                property: "ativa"
                when: carregadorDaVitrine.item !== null
                value: presencaDaVitrine.ativa
            }
        }
    }
}
