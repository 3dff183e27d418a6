import QtQuick
import Corvane.App
import Corvane.Conta
Rectangle {
    color: Paleta.fundo
    PontoPulsante { x: 504; y: 60; ativa: true }
}
