// The copy flash of a card: a 2-point blue border that shows at 60 % and fades out over 0.7
// seconds each time `chave` changes, and when it first appears.
import QtQuick
import Corvane.App
import Corvane.Cofre

Rectangle {
    id: pulso

    property int chave: 0
    property real raio: 22

    function piscar() {
        desvanecer.stop();
        pulso.opacity = 0.6;
        desvanecer.start();
    }

    radius: raio
    color: "transparent"
    border.width: 2
    border.color: Paleta.azul
    opacity: 0

    onChaveChanged: pulso.piscar()
    Component.onCompleted: pulso.piscar()

    NumberAnimation {
        id: desvanecer

        target: pulso
        property: "opacity"
        to: 0
        duration: 700
        easing.type: Easing.OutQuad
    }
}
