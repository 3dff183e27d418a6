// One code card: the logo in its countdown ring, the title (with a star for a favourite) and the
// account, the current code in large digits or "Chave inválida", and in the last seconds the
// next code. A click anywhere copies the code; the edit button shows while the pointer is over
// the card or the keyboard is on it (Tab goes from the card to its edit button); the context
// menu copies or edits.
import QtQuick
import QtQuick.Controls.Basic
import Corvane.App
import Corvane.Cofre

Item {
    id: cartao

    property string titulo
    property string conta
    property bool favorito: false
    property string icone
    property var dominios: []
    property int periodo: 30
    property string codigo
    property string codigoExibido
    property string proximo
    property string proximoExibido
    property real fracao: 1
    property bool acabando: false
    // Copies made by clicking this card; each starts the border's flash.
    property int pulso: 0
    // The context menu, built on the first right click (a grid of many cards builds none).
    property Menu menu: null
    readonly property bool sobre: area.containsMouse || botaoEditar.hovered
    // The edit button shows under the pointer and while the keyboard is on the card or on it.
    readonly property bool editarMostrado: cartao.sobre || cartao.activeFocus || botaoEditar.activeFocus
    readonly property real alturaDoCartao: 149

    // A click on the card (the grid copies and, when it did, flashes the border).
    signal clicado()
    signal copiarDoMenu()
    signal editar()

    implicitWidth: 360
    implicitHeight: alturaDoCartao
    // Tab reaches the card (a click does not focus it); Space or Return copy as a click does.
    activeFocusOnTab: true
    Accessible.role: Accessible.Button
    Accessible.name: cartao.conta !== "" ? cartao.titulo + ", " + cartao.conta : cartao.titulo
    Accessible.onPressAction: cartao.clicado()
    Keys.onSpacePressed: cartao.clicado()
    Keys.onReturnPressed: cartao.clicado()
    Keys.onEnterPressed: cartao.clicado()
    onProximoExibidoChanged: if (proximoExibido !== "") proximoCodigo.ultimo = proximoExibido
    Component.onCompleted: proximoCodigo.ultimo = proximoExibido

    // The card's own ring, first of its items (drawn above them all by its z), so it is the
    // one a search of the card's items meets before the edit button's.
    AnelDeFoco {
        anchors.fill: fundo
        mostrado: cartao.activeFocus
        raio: 22
        scale: fundo.scale
    }

    SombraDoCartao {
        objectName: "sombraDoCartao"
        anchors.fill: fundo
        raio: 22
        opacity: cartao.sobre ? 1 : 0
        visible: opacity > 0
        scale: fundo.scale

        Behavior on opacity {
            NumberAnimation {
                duration: 180
                easing.type: Easing.OutQuad
            }
        }
    }

    Rectangle {
        id: fundo

        objectName: "fundoDoCartao"
        anchors.fill: parent
        radius: 22
        color: Paleta.superficie
        border.width: 1
        border.color: cartao.sobre ? Qt.rgba(211 / 255, 216 / 255, 225 / 255, 1) : Paleta.borda
        scale: cartao.sobre ? 1.006 : 1

        Behavior on scale {
            NumberAnimation {
                duration: 180
                easing.type: Easing.OutQuad
            }
        }
        Behavior on border.color {
            ColorAnimation {
                duration: 180
                easing.type: Easing.OutQuad
            }
        }

        Loader {
            objectName: "carregadorDoPulso"
            anchors.fill: parent
            active: cartao.pulso >= 1
            // qmllint disable unqualified
            // (6.4's qmllint takes the document's ids for unqualified names inside an inline
            // component; they resolve in the document's context as intended)
            sourceComponent: PulsoDeCopia {
                objectName: "pulsoDeCopia"
                chave: cartao.pulso
            }
            // qmllint enable unqualified
        }

        MouseArea {
            id: area

            objectName: "areaDoCartao"
            anchors.fill: parent
            hoverEnabled: true
            acceptedButtons: Qt.LeftButton | Qt.RightButton
            cursorShape: Qt.PointingHandCursor
            onClicked: function (evento) {
                if (evento.button === Qt.RightButton) {
                    if (cartao.menu === null)
                        cartao.menu = fabricaDoMenu.createObject(cartao) as Menu;
                    cartao.menu.popup();
                } else
                    cartao.clicado();
            }
            ToolTip.visible: area.containsMouse && (cartao.menu === null || !cartao.menu.visible)
            ToolTip.delay: 1000
            ToolTip.text: "Clique para copiar o código"
        }

        Item {
            anchors.fill: parent
            anchors.margins: 20

            AnelComLogoNoMac {
                id: anel

                objectName: "anelDoCartao"
                nome: cartao.titulo
                dicas: cartao.dominios
                escolhido: cartao.icone
                periodo: cartao.periodo
                fracao: cartao.fracao
                acabando: cartao.acabando
                tamanho: 50
            }

            Column {
                anchors.left: anel.right
                anchors.leftMargin: 14
                anchors.right: botaoEditar.left
                anchors.rightMargin: 8
                anchors.verticalCenter: anel.verticalCenter
                spacing: 2

                Row {
                    width: parent.width
                    spacing: 5

                    Text {
                        objectName: "tituloDoCartao"
                        width: Math.min(implicitWidth, parent.width - (estrela.visible ? 15 : 0))
                        anchors.verticalCenter: parent.verticalCenter
                        text: cartao.titulo
                        textFormat: Text.PlainText
                        elide: Text.ElideRight
                        maximumLineCount: 1
                        font.family: Tipo.familia
                        font.pixelSize: 15
                        font.weight: Font.DemiBold
                        color: Paleta.texto
                    }
                    Simbolo {
                        id: estrela

                        objectName: "estrelaDoCartao"
                        anchors.verticalCenter: parent.verticalCenter
                        width: 10
                        height: 10
                        visible: cartao.favorito
                        nome: "star.fill"
                        cor: Paleta.ambar
                    }
                }
                Text {
                    objectName: "contaDoCartao"
                    width: parent.width
                    visible: cartao.conta !== ""
                    text: cartao.conta
                    textFormat: Text.PlainText
                    elide: Text.ElideRight
                    maximumLineCount: 1
                    font.family: Tipo.familia
                    font.pointSize: 12.5 * 0.75 // 12.5 px at the layout's 96 dpi
                    color: Paleta.textoApagado
                }
            }

            AbstractButton {
                id: botaoEditar

                objectName: "botaoEditar"
                anchors.right: parent.right
                anchors.verticalCenter: anel.verticalCenter
                width: 28
                height: 28
                hoverEnabled: true
                // Tab from the focused card reaches it; a click does not take the keyboard.
                focusPolicy: Qt.TabFocus
                Accessible.name: "Editar"
                Keys.onReturnPressed: botaoEditar.clicked()
                Keys.onEnterPressed: botaoEditar.clicked()
                opacity: cartao.editarMostrado ? 1 : 0
                // Hidden, it takes no click: the card's own click copies there too.
                Presenca.saindo: !cartao.editarMostrado
                onClicked: cartao.editar()
                ToolTip.visible: botaoEditar.hovered
                ToolTip.delay: 1000
                ToolTip.text: "Editar"

                Behavior on opacity {
                    NumberAnimation {
                        duration: 180
                        easing.type: Easing.OutQuad
                    }
                }

                background: Rectangle {
                    radius: 14
                    color: Paleta.fundo
                }
                contentItem: Item {
                    Simbolo {
                        anchors.centerIn: parent
                        width: 13
                        height: 13
                        nome: "ellipsis"
                        cor: Paleta.textoSecundario
                    }
                }

                AnelDeFoco {
                    mostrado: botaoEditar.visualFocus
                    raio: 14
                }
            }

            Item {
                objectName: "linhaDoCodigo"
                anchors.left: parent.left
                anchors.right: parent.right
                anchors.bottom: parent.bottom
                height: 41

                TextoNumerico {
                    objectName: "codigoDoCartao"
                    anchors.left: parent.left
                    anchors.baseline: parent.bottom
                    anchors.baselineOffset: -9
                    visible: cartao.codigo !== ""
                    text: cartao.codigoExibido
                    font.family: Tipo.familiaDosDigitos
                    font.pixelSize: 34
                    font.weight: Font.Medium
                    font.letterSpacing: -0.5
                    color: Paleta.texto
                }
                Text {
                    objectName: "chaveInvalida"
                    anchors.left: parent.left
                    anchors.baseline: parent.bottom
                    anchors.baselineOffset: -9
                    visible: cartao.codigo === ""
                    text: "Chave inválida"
                    textFormat: Text.PlainText
                    font: Tipo.callout
                    color: Paleta.vermelho
                }

                // Enters rising 4 points from below its place and leaves sinking 4 points while it
                // fades, still showing the last next code it had.
                Text {
                    id: proximoCodigo

                    property string ultimo

                    objectName: "proximoCodigo"
                    anchors.right: parent.right
                    anchors.baseline: parent.bottom
                    anchors.baselineOffset: cartao.proximo !== "" ? -9 : -5
                    opacity: cartao.proximo !== "" ? 1 : 0
                    visible: opacity > 0
                    text: ultimo
                    textFormat: Text.PlainText
                    font.family: Tipo.familiaDosDigitos
                    font.pixelSize: 13
                    color: Paleta.textoApagado

                    Behavior on opacity {
                        NumberAnimation {
                            duration: 250
                            easing.type: Easing.OutQuad
                        }
                    }
                    Behavior on anchors.baselineOffset {
                        NumberAnimation {
                            duration: 250
                            easing.type: Easing.OutQuad
                        }
                    }
                }
                Simbolo {
                    objectName: "iconeDeCopiar"
                    anchors.right: parent.right
                    anchors.bottom: parent.bottom
                    anchors.bottomMargin: 10
                    width: 15
                    height: 15
                    nome: "doc.on.doc"
                    cor: cartao.sobre ? Paleta.azul : Paleta.textoApagado
                    opacity: cartao.proximo === "" ? 1 : 0

                    Behavior on opacity {
                        NumberAnimation {
                            duration: 250
                            easing.type: Easing.OutQuad
                        }
                    }
                }
            }
        }
    }

    // qmllint disable unqualified
    // (6.4's qmllint takes the document's ids for unqualified names inside an inline component;
    // they resolve in the document's context as intended)
    Component {
        id: fabricaDoMenu

        Menu {
            objectName: "menuDoCartao"
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
                objectName: "menuCopiarCodigo"
                text: "Copiar código"
                // A code that cannot be computed has nothing to copy.
                enabled: cartao.codigo !== ""
                onTriggered: cartao.copiarDoMenu()
            }
            MenuItem {
                objectName: "menuEditar"
                text: "Editar"
                onTriggered: cartao.editar()
            }
        }
    }
    // qmllint enable unqualified
}
