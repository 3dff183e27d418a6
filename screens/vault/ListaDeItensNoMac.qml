// The left pane of the password and note sections: one row per listed item, the chosen one
// highlighted, a click chooses it and the context menu's "Editar" opens its editor. Password
// rows carry the service's logo; note rows are text only.
import QtQuick
import QtQuick.Controls.Basic
import Corvane.App
import Corvane.Cofre

Rectangle {
    id: painel

    required property ItensDaLista itens
    property string escolhida
    property bool comIcone: false

    signal escolher(string id)
    signal editar(string id)

    // The arrow keys choose the row above or below and keep it in view.
    function mover(passo) {
        const id = painel.itens.vizinho(painel.escolhida, passo);
        if (id === "")
            return;
        painel.escolher(id);
        lista.positionViewAtIndex(painel.itens.posicao(id), ListView.Contain);
    }

    color: Paleta.superficie

    ListView {
        id: lista

        objectName: "listaDeItens"
        anchors.fill: parent
        anchors.margins: 8
        model: painel.itens
        spacing: 2
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        activeFocusOnTab: true
        keyNavigationEnabled: false
        Keys.onUpPressed: painel.mover(-1)
        Keys.onDownPressed: painel.mover(1)
        ScrollBar.vertical: ScrollBar {}

        // qmllint disable unqualified
        // (6.4's qmllint takes the document's ids for unqualified names inside a delegate or an
        // inline component; they resolve in the document's context as intended)
        delegate: Rectangle {
            id: linha

            required property string idDoItem
            required property string titulo
            required property string subtitulo
            required property var dominios
            readonly property bool escolhida: linha.idDoItem === painel.escolhida

            objectName: "linha-" + linha.idDoItem
            width: ListView.view.width
            height: conteudo.implicitHeight + 6 + 12
            radius: 7
            color: linha.escolhida ? Paleta.azul : (area.containsMouse ? Paleta.fundo : "transparent")

            Row {
                id: conteudo

                anchors.left: parent.left
                anchors.leftMargin: 8
                anchors.right: parent.right
                anchors.rightMargin: 8
                anchors.verticalCenter: parent.verticalCenter
                spacing: painel.comIcone ? 10 : 0

                IconeDoServico {
                    anchors.verticalCenter: parent.verticalCenter
                    visible: painel.comIcone
                    nome: linha.titulo
                    dicas: linha.dominios
                    tamanho: 30
                }
                Column {
                    anchors.verticalCenter: parent.verticalCenter
                    width: parent.width - (painel.comIcone ? 40 : 0)
                    spacing: painel.comIcone ? 1 : 2

                    Text {
                        objectName: "tituloDaLinha"
                        width: parent.width
                        text: linha.titulo
                        textFormat: Text.PlainText
                        elide: Text.ElideRight
                        maximumLineCount: 1
                        font: Tipo.fonte(Tipo.Body, Font.Medium)
                        color: linha.escolhida ? "#ffffff" : Paleta.texto
                    }
                    Text {
                        objectName: "subtituloDaLinha"
                        width: parent.width
                        // One line: a note's text is cut at its first line break.
                        text: linha.subtitulo.split("\n")[0]
                        textFormat: Text.PlainText
                        elide: Text.ElideRight
                        maximumLineCount: 1
                        font: Tipo.caption
                        color: linha.escolhida ? Qt.rgba(1, 1, 1, 0.8) : Paleta.textoApagado
                    }
                }
            }

            MouseArea {
                id: area

                objectName: "areaDaLinha"
                anchors.fill: parent
                hoverEnabled: true
                acceptedButtons: Qt.LeftButton | Qt.RightButton
                onClicked: function (evento) {
                    if (evento.button === Qt.RightButton) {
                        menu.idDoItem = linha.idDoItem;
                        menu.popup();
                    } else {
                        lista.forceActiveFocus();
                        painel.escolher(linha.idDoItem);
                    }
                }
            }
        }
        // qmllint enable unqualified
    }

    Menu {
        id: menu

        property string idDoItem

        objectName: "menuDaLinha"
        topPadding: 4
        bottomPadding: 4

        background: Rectangle {
            implicitWidth: 200
            radius: 10
            color: Paleta.superficie
            border.width: 1
            border.color: Paleta.borda
        }

        MenuItem {
            objectName: "menuEditarItem"
            text: "Editar"
            onTriggered: painel.editar(menu.idDoItem)
        }
    }
}
