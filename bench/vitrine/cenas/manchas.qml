import QtQuick
import Corvane.App
import Corvane.Conta
Rectangle {
    color: Paleta.fundo
    FundoDaVitrine {
        x: 476; y: 16; width: 548; height: 648
        cor: Qt.rgba(238 / 255, 242 / 255, 251 / 255, 1)
        raioDoRecorte: 28
        manchas: camada.lista
    }
    ManchasDaVitrine { id: camada; x: 476; y: 16; width: 548; height: 648; ativa: true }
}
