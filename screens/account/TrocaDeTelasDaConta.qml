// The account screen chosen by the window's `tela`, replaced whenever its key changes: the old
// screen fades out (ease-out, 0.12 s) and is released; the new one waits 0.12 s, then slides in
// from 28 points to the right while fading in (spring 0.4). The first screen appears in place.
// On each replacement the switch's height moves from the old screen's to the new one's with a
// spring of 0.35 instead of jumping, so the whole panel follows.
import QtQuick
import Corvane.App
import Corvane.Conta

Item {
    id: troca

    required property EstadoDoApp estado
    required property NavegacaoDaConta navegacao
    property Component telaDeCriacao
    // The frame of the screen on display (a QuadroDaTela; untyped, since a component's own type
    // is not the same type in every engine).
    property var atual: null

    // Set for the length of the height's spring after a replacement.
    property bool mudandoDeTela: false

    implicitHeight: atual ? atual.alturaDaTela : 0

    Behavior on implicitHeight {
        enabled: troca.mudandoDeTela

        AnimacaoDeMola { resposta: 0.35 }
    }

    SequentialAnimation {
        id: molaDaAltura

        PauseAnimation { duration: Mola.duracao(0.35, 1) }
        PropertyAction { target: troca; property: "mudandoDeTela"; value: false }
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
        return quadro;
    }

    function trocar() {
        troca.mudandoDeTela = true;
        molaDaAltura.restart();
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
