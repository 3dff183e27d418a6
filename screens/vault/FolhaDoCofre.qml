// Presents one sheet of the vault window while `aberta`: the sheet's component over a dimmed
// window that takes every click, handed the edit, the store and the state; its `fechar()`
// dismisses it.
import QtQuick
import Corvane.App
import Corvane.Comum
import Corvane.Cofre

Rectangle {
    id: fundo

    property bool aberta: false
    property Component componente
    property var edicao
    property Cofre cofre
    property EstadoDoApp estado

    signal fechada()

    visible: fundo.aberta
    color: Qt.rgba(Paleta.tinta.r, Paleta.tinta.g, Paleta.tinta.b, 0.18)

    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        acceptedButtons: Qt.AllButtons
    }

    Loader {
        id: carregador

        anchors.fill: parent
        active: fundo.aberta
        sourceComponent: fundo.componente
        onLoaded: (carregador.item as Item)?.forceActiveFocus()

        Binding {
            target: carregador.item
            property: "edicao"
            value: fundo.edicao
            when: carregador.item !== null
        }
        Binding {
            target: carregador.item
            property: "cofre"
            value: fundo.cofre
            when: carregador.item !== null
        }
        Binding {
            target: carregador.item
            property: "estado"
            value: fundo.estado
            when: carregador.item !== null
        }
        Connections {
            target: carregador.item
            ignoreUnknownSignals: true
            function onFechar() {
                fundo.fechada();
            }
        }
    }
}
