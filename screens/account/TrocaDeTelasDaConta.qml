// The account screen chosen by the window's `tela`, replaced whenever its key changes: the old
// screen fades out (ease-out, 0.12 s) and is released; the new one waits 0.12 s, then slides in
// from 28 points to the right while fading in (spring 0.4). The first screen appears in place.
// On each replacement the switch's height moves from the old screen's to the new one's with a
// spring of 0.35 instead of jumping, so the whole panel follows; a screen's change of step moves
// it with the spring that screen names. A change that keeps the key
// (the wizard by e-mail given an answer with an empty e-mail) reaches the screen in place.
import QtQuick
import Corvane.Comum
import Corvane.Conta

Item {
    id: troca

    required property EstadoDoApp estado
    required property NavegacaoDaConta navegacao
    property Component telaDeCriacao
    // The frame of the screen on display (a QuadroDaTela; untyped, since a component's own type
    // is not the same type in every engine).
    property var atual: null
    // The key of the screen on display.
    property string chaveAtual: ""

    // The height the switch shows: the screen's own, except while it follows a spring after a
    // replacement (0.35) or a change of step inside the screen (the screen's own spring). The
    // spring runs from the height shown when it was started to the screen's height of the
    // moment, so a height that settles a frame later is followed on the same curve.
    readonly property real alturaDaTela: atual ? atual.alturaDaTela : 0
    property real alturaDeInicio: 0
    // 0 → 1 along the spring.
    property real progresso: 1
    property real respostaDaAltura: 0.35
    readonly property real alturaMostrada: mola.running || progresso < 1
                                           ? alturaDeInicio + (alturaDaTela - alturaDeInicio) * progresso
                                           : alturaDaTela
    // The height shown before a jump in the current event, or -1: a step change may reach the
    // switch just after the new height did.
    property real antesDoSalto: -1
    property real ultimaMostrada: 0

    implicitHeight: alturaMostrada
    onAlturaMostradaChanged: {
        if (!mola.running && troca.antesDoSalto < 0) {
            troca.antesDoSalto = troca.ultimaMostrada;
            fimDoEvento.restart();
        }
        troca.ultimaMostrada = troca.alturaMostrada;
    }

    function soltarSalto() {
        troca.antesDoSalto = -1;
    }
    // The height follows the spring of `resposta` from now on; a jump made in this same event
    // is taken back and animated.
    function seguir(resposta) {
        const de = troca.antesDoSalto >= 0 ? troca.antesDoSalto : troca.alturaMostrada;
        mola.stop();
        troca.respostaDaAltura = resposta;
        troca.alturaDeInicio = de;
        troca.progresso = 0;
        mola.start();
    }

    // Fires once the current event is over.
    Timer {
        id: fimDoEvento

        interval: 0
        onTriggered: troca.soltarSalto()
    }

    AnimacaoDeMola {
        id: mola

        target: troca
        property: "progresso"
        from: 0
        to: 1
        resposta: troca.respostaDaAltura
    }

    function criar(comTransicao) {
        const quadro = quadroDaTela.createObject(troca, {
            chegando: comTransicao,
            width: Qt.binding(() => troca.width)
        });
        const propriedades = {
            width: Qt.binding(() => quadro.width),
            tela: troca.navegacao,
            estado: troca.estado
        };
        let componente = formulario;
        if (troca.navegacao.caso === "criar") {
            componente = troca.telaDeCriacao;
            propriedades.social = troca.navegacao.social;
        } else if (troca.navegacao.caso === "senhaSocial") {
            componente = senhaSocial;
            propriedades.social = troca.navegacao.social;
        }
        quadro.tela = componente.createObject(quadro, propriedades);
        troca.chaveAtual = troca.navegacao.chave;
        return quadro;
    }

    function trocar() {
        troca.seguir(0.35);
        if (troca.atual)
            troca.atual.sair();
        troca.atual = troca.criar(true);
    }

    Component.onCompleted: troca.atual = troca.criar(false)

    Connections {
        target: troca.navegacao

        function onChaveMudou() {
            troca.trocar();
        }
        // Emitted before the key's own signal: only a change that keeps the key updates the
        // screen on display; one that changes it builds the next screen with its answer.
        function onTelaMudou() {
            if (troca.atual && troca.navegacao.chave === troca.chaveAtual && "social" in troca.atual.tela)
                troca.atual.tela.social = troca.navegacao.social;
        }
    }

    // A screen with steps of its own announces each change of step with its spring.
    Connections {
        target: troca.atual ? troca.atual.tela : null
        ignoreUnknownSignals: true

        function onMudouDePasso(resposta) {
            troca.seguir(resposta);
        }
    }

    Component {
        id: quadroDaTela

        QuadroDaTela {}
    }

    Component {
        id: formulario

        FormularioDeEntradaNoMac {}
    }

    Component {
        id: senhaSocial

        SenhaDaContaSocialNoMac {}
    }
}
