// The screen of one application phase inside the root view: created anew when its phase
// begins, so its view state starts fresh, faded in; faded out and released when the phase ends.
import QtQuick
import Corvane.App

Item {
    id: tela

    required property string fase
    required property string faseAtual
    property Component conteudo
    readonly property bool ativa: fase === faseAtual
    readonly property QtObject item: carregador.item

    opacity: ativa ? 1 : 0
    visible: opacity > 0

    Behavior on opacity {
        NumberAnimation {
            duration: Mola.duracao(0.35, 1)
            // qmllint disable type
            // (6.4's qmllint cannot type a C++ QEasingCurve; the assignment is valid)
            easing: Mola.curva(0.35, 1)
            // qmllint enable type
        }
    }

    Loader {
        id: carregador

        anchors.fill: parent
        active: tela.ativa || tela.opacity > 0
        sourceComponent: tela.conteudo
    }
}
