import QtQuick
import Corvane.App
import Corvane.Conta
Rectangle {
    color: Paleta.fundo
    Rectangle { x: 476; y: 16; width: 548; height: 648; radius: 28; color: Qt.rgba(238 / 255, 242 / 255, 251 / 255, 1) }
    ManchasDaVitrine { x: 476; y: 16; width: 548; height: 648; raioDoRecorte: 28; ativa: true }
}
