// The settings window, 480 by 640. Each time it is shown (or comes to the front) the AutoFill
// status and the owner check's availability are read again.
import QtQuick
import Corvane.App
import Corvane.Comum
import Corvane.Cofre
import Corvane.Barra

JanelaDoCorvane {
    id: janela

    required property EstadoDoApp estado
    required property VerificadorDeAtualizacao atualizacao
    required property SituacaoDoPreenchimento preenchimento
    // Set by the application where the desktop has no tray.
    property bool semBandeja: false

    signal painelPedido()

    objectName: "ajustes"
    title: "Ajustes"
    width: 480
    height: 640
    minimumWidth: 480
    maximumWidth: 480
    minimumHeight: 640
    maximumHeight: 640

    onVisibleChanged: {
        if (janela.visible)
            conteudo.aparecer();
    }
    onActiveChanged: {
        if (janela.active)
            conteudo.conferirDisponibilidade();
    }

    AjustesNoMac {
        id: conteudo

        objectName: "ajustesNoMac"
        anchors.fill: parent
        estado: janela.estado
        atualizacao: janela.atualizacao
        preenchimento: janela.preenchimento
        semBandeja: janela.semBandeja
        onPainelPedido: janela.painelPedido()
    }
}
