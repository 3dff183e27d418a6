// One step of the account-creation wizard: its content in a centred column 14 points apart.
// A step that becomes current slides in from 28 points to the right while fading in (a 0.4
// spring, 0.1 s late); one that stops being current fades out in 0.1 s. The first step shown
// is simply there.
import QtQuick
import QtQuick.Layouts
import Corvane.App

Item {
    id: passo

    required property bool atual
    default property alias conteudo: coluna.data
    // The field that takes the keyboard when the step appears (a CampoNoMac), or none.
    property Item primeiroCampo: null
    // The field whose value the step's submission is refused for (a CampoNoMac): it takes the
    // keyboard after a refusal. The first field when the step names none or it is hidden.
    property Item campoDoErro: null
    // The step's first value is not a change of step.
    property bool criado: false

    // Puts the keyboard in the first field, so the person can type at once.
    function focarPrimeiroCampo() {
        passo.focar(passo.primeiroCampo);
    }
    // After a refused submission: the field at fault takes the keyboard.
    function focarCampoDoErro() {
        passo.focar(passo.campoDoErro !== null && passo.campoDoErro.visible ? passo.campoDoErro
                                                                           : passo.primeiroCampo);
    }
    function focar(campo: Item) {
        if (campo === null)
            return;
        // The field's input is the next item of the focus chain after the field itself.
        const entrada = campo.nextItemInFocusChain(true);
        if (entrada !== null)
            entrada.forceActiveFocus();
    }

    implicitWidth: coluna.implicitWidth
    implicitHeight: coluna.implicitHeight
    opacity: 0
    // The current step is visible from the start of its entrance, so its field can take focus.
    visible: opacity > 0 || atual
    // A step fading out no longer takes clicks or keys; one not yet faded in takes no click.
    enabled: atual
    Presenca.saindo: false

    onAtualChanged: {
        if (!criado)
            return;
        if (atual) {
            saida.stop();
            entrada.restart();
        } else {
            entrada.stop();
            saida.restart();
        }
    }
    // A step that has just become current takes the keyboard once it is enabled (the
    // enabled binding may follow `atual` after the handler above).
    onEnabledChanged: {
        if (criado && enabled && atual)
            passo.focarPrimeiroCampo();
    }
    Component.onCompleted: {
        passo.opacity = passo.atual ? 1 : 0;
        passo.criado = true;
        if (passo.atual)
            passo.focarPrimeiroCampo();
    }

    ColumnLayout {
        id: coluna

        width: passo.width
        spacing: 14
    }

    SequentialAnimation {
        id: entrada

        PropertyAction { target: passo; property: "opacity"; value: 0 }
        PropertyAction { target: coluna; property: "x"; value: 28 }
        PauseAnimation { duration: 100 }
        ParallelAnimation {
            NumberAnimation {
                target: passo
                property: "opacity"
                to: 1
                duration: Mola.duracao(0.4, 1)
                // qmllint disable type
                // (6.4's qmllint cannot type a C++ QEasingCurve; the assignment is valid)
                easing: Mola.curva(0.4, 1)
                // qmllint enable type
            }
            NumberAnimation {
                target: coluna
                property: "x"
                to: 0
                duration: Mola.duracao(0.4, 1)
                // qmllint disable type
                easing: Mola.curva(0.4, 1)
                // qmllint enable type
            }
        }
    }

    NumberAnimation {
        id: saida

        target: passo
        property: "opacity"
        to: 0
        duration: 100
        // qmllint disable type
        easing: Mola.easeOut
        // qmllint enable type
    }
}
