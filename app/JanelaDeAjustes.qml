// The settings window, opened from "Ajustes…". Only its AutoFill section exists so far; the
// rest of the settings come later, and the window says so.
import QtQuick
import Corvane.App

JanelaDoCorvane {
    id: ajustes

    required property SituacaoDoPreenchimento preenchimento

    objectName: "ajustes"
    title: "Ajustes"
    width: 560
    height: 420
    minimumWidth: 480
    minimumHeight: 320

    // The status is read again each time the window is shown.
    onVisibleChanged: {
        if (ajustes.visible)
            ajustes.preenchimento.comecarAtualizacao();
    }

    Column {
        anchors.fill: parent
        anchors.margins: 24
        spacing: 20

        SecaoDoPreenchimento {
            width: parent.width
            situacao: ajustes.preenchimento
        }
        Text {
            width: parent.width
            text: "Os demais ajustes chegam em seguida."
            font: Tipo.subheadline
            color: Paleta.textoSecundario
            wrapMode: Text.WordWrap
        }
    }
}
