// The extension's sheet as a window of its own: 440 × 560 points, never smaller than the
// screen's minimum, always in the light appearance.
import QtQuick
import QtQuick.Window
import Corvane.App
import Corvane.Preenchimento

Window {
    id: janela

    required property ModeloDoPreenchimento modelo

    title: "Corvane"
    width: 440
    height: 560
    minimumWidth: 420
    minimumHeight: 500
    color: Paleta.fundo

    TelaDoPreenchimentoNoMac {
        objectName: "tela"
        anchors.fill: parent
        modelo: janela.modelo
    }
}
