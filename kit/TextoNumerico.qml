// A number or code whose changes count up: the old text rises and fades out while the new one
// rises from below and fades in, moved by a spring. Nothing runs between changes, so a grid of
// many codes pays only when a code turns over; the first value shows at once, and with reduced
// motion every change does.
import QtQuick
import Corvane.App

Item {
    id: numerico

    property string text
    property alias font: atual.font
    property alias color: atual.color
    // The spring of the change.
    property real resposta: 0.5
    property real amortecimento: 0.85
    // 0 as a change starts → 1 at rest.
    property real progresso: 1
    readonly property bool mudando: troca.running
    property string ultimo
    property bool pronto: false

    implicitWidth: atual.implicitWidth
    implicitHeight: atual.implicitHeight
    baselineOffset: atual.baselineOffset

    onTextChanged: {
        if (pronto && !MovimentoReduzido.ativo && ultimo !== text) {
            anterior.text = ultimo;
            troca.restart();
        }
        ultimo = text;
    }
    Component.onCompleted: {
        ultimo = text;
        pronto = true;
    }

    NumberAnimation {
        id: troca

        target: numerico
        property: "progresso"
        from: 0
        to: 1
        duration: Mola.duracao(numerico.resposta, numerico.amortecimento)
        // qmllint disable type
        // (6.4's qmllint cannot type a C++ QEasingCurve; the assignment is valid)
        easing: Mola.curva(numerico.resposta, numerico.amortecimento)
        // qmllint enable type
    }

    Text {
        id: atual

        objectName: "textoAtual"
        y: (1 - numerico.progresso) * height * 0.5
        opacity: Math.min(1, numerico.progresso)
        text: numerico.text
        textFormat: Text.PlainText
    }
    Text {
        id: anterior

        objectName: "textoAnterior"
        y: -numerico.progresso * height * 0.5
        visible: troca.running
        opacity: Math.max(0, 1 - numerico.progresso)
        textFormat: Text.PlainText
        font: atual.font
        color: atual.color
    }
}
