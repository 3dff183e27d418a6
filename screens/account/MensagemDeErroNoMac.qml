// The one-line (wrapping) error of an account screen, in red, aligned to the leading edge.
// A line that appears after its screen is built fades in with the screens' default animation
// (spring 0.55, damping 1); one shown from the start is simply there, and hiding is immediate.
import QtQuick
import QtQuick.Layouts
import Corvane.App

Text {
    id: mensagem

    required property string texto

    Layout.fillWidth: true
    text: texto
    textFormat: Text.PlainText
    font: Tipo.callout
    color: Paleta.vermelho
    horizontalAlignment: Text.AlignLeft
    wrapMode: Text.Wrap

    onVisibleChanged: {
        surgir.stop();
        mensagem.opacity = 0;
        if (mensagem.visible)
            surgir.start();
    }

    AnimacaoDeMola {
        id: surgir

        target: mensagem
        property: "opacity"
        from: 0
        to: 1
        resposta: 0.55
    }
}
