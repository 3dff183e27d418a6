import QtQuick
import Corvane.App
import Corvane.Conta
Rectangle {
    color: Paleta.fundo
    LinhaDaCifraNoMac { x: 500; y: 300; width: 380; original: RegrasDaVitrine.senhaDeExemplo; cifrado: RegrasDaVitrine.envelopeDeExemplo; ativa: true }
}
