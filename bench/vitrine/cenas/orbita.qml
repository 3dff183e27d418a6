import QtQuick
import Corvane.App
import Corvane.Conta
Rectangle {
    color: Paleta.fundo
    OrbitaDaVitrine { x: 504; y: 120; width: 492; height: 300; ativa: true }
}
