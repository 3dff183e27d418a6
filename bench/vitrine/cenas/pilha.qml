import QtQuick
import Corvane.App
import Corvane.Conta
Rectangle {
    color: Paleta.fundo
    PilhaDaVitrine { x: 504; y: 120; width: 492; height: 300; ordem: [0, 1, 2]; ativa: true }
}
