// The tray panel's window: frameless, on top, sized to the panel, placed by the application
// under the tray icon. It closes when it loses the focus or on Escape.
import QtQuick
import QtQuick.Window
import Corvane.Comum
import Corvane.Barra

Window {
    id: janela

    required property EstadoDoApp estado
    required property VerificadorDeAtualizacao atualizacao

    signal abrirJanelaPedida()
    signal ajustesPedidos()
    signal sairPedido()

    objectName: "janelaDaBarra"
    title: "Corvane"
    flags: Qt.Tool | Qt.FramelessWindowHint | Qt.WindowStaysOnTopHint
    color: "white"
    width: painel.width
    height: painel.implicitHeight
    // Fixed: a tiling compositor floats a fixed-size window instead of tiling it.
    minimumWidth: width
    maximumWidth: width
    minimumHeight: height
    maximumHeight: height
    onActiveChanged: {
        if (!janela.active)
            janela.close();
    }

    BarraDeMenus {
        id: painel

        objectName: "barraDeMenus"
        focus: true
        estado: janela.estado
        atualizacao: janela.atualizacao
        onAbrirJanelaPedida: {
            janela.close();
            janela.abrirJanelaPedida();
        }
        onAjustesPedidos: {
            janela.close();
            janela.ajustesPedidos();
        }
        onSairPedido: janela.sairPedido()
    }

    Shortcut {
        sequence: "Escape"
        onActivated: janela.close()
    }
}
