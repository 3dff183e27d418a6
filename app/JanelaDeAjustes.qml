// The frame's stand-in for the settings window, opened from "Ajustes…" when the program names
// no window of its own: the AutoFill section only.
import QtQuick
import Corvane.App
import Corvane.Comum
import Corvane.Cofre
import Corvane.Barra

JanelaDoCorvane {
    id: ajustes

    required property SituacaoDoPreenchimento preenchimento
    // Handed to every settings window; the stand-in does not use them.
    property EstadoDoApp estado
    property VerificadorDeAtualizacao atualizacao

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
