// One of the opening's three progress dots: a faint 8-point capsule that fills to a solid
// 22-point one, 0.12 s after the dot before it.
import QtQuick
import Corvane.App

Rectangle {
    id: ponto

    property int indice
    property bool cheio: false

    width: 8
    height: 4
    radius: 2
    color: Qt.rgba(Paleta.azul.r, Paleta.azul.g, Paleta.azul.b, 0.2)
    onCheioChanged: if (ponto.cheio) enchimento.start()

    SequentialAnimation {
        id: enchimento

        PauseAnimation { duration: 120 * ponto.indice }
        ParallelAnimation {
            AnimacaoDeMola { target: ponto; property: "width"; to: 22; resposta: 0.5 }
            ColorAnimation { target: ponto; property: "color"; to: Paleta.azul; duration: Mola.duracao(0.5, 1) }
        }
    }
}
