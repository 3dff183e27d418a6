// The white account panel, the signed-out window's left column: the brand line at the top, the
// current account screen in a scrolling middle area (at most 360 points wide, centred, and
// centred vertically when it is shorter than the area), and three reassurance labels at the
// bottom. It fades in while sliding 24 points from the left when it first comes on screen.
// A window too short for the screen (the menu bar takes its share of the height) first closes
// up the panel's own paddings, down to a minimum each; what still does not fit scrolls, shown
// from its top, with a fade at the edge where more lies beyond.
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Corvane.App
import Corvane.Conta

Item {
    id: painel

    // The account screen on display.
    default property alias conteudo: areaDaTela.data
    // The account-creation wizard, made with `social`, `tela` and `estado`; its social buttons
    // move the window themselves, and its way back to the sign-in form goes through `tela`.
    property Component telaDeCriacao: Component {
        CriarContaNoMac {
            id: criacao

            // qmllint disable unqualified
            // (6.4's qmllint does not follow ids into a nested inline Component; `criacao` is
            // in scope there)
            botoesSociais: Component {
                BotoesSociaisNoMac {
                    estado: criacao.estado
                    tela: criacao.tela as NavegacaoDaConta
                }
            }
            // qmllint enable unqualified
            onEntrarPedido: (criacao.tela as NavegacaoDaConta).irParaEntrar()
            onIdentificada: resposta => (criacao.tela as NavegacaoDaConta).aoIdentificar(resposta)
        }
    }
    property bool apareceu: false
    // The account screen's own height, so the area scrolls only when it does not fit.
    readonly property real alturaDaTela: areaDaTela.childrenRect.height
    // How far the paddings close up: 0 with room to spare, 1 at their minimums. Each padding
    // goes from the layout's own value to its minimum: above the brand line 28 → 10, the two
    // spacers 16 → 6, around the screen 8 → 0, under the reassurance line 22 → 10.
    readonly property real aperto: {
        const natural = 28 + linhaDaMarca.height + 16 + painel.alturaDaTela + 16 + 16 + linhaDeGarantias.height + 22;
        const folgaMaxima = (28 - 10) + 2 * (16 - 6) + 2 * (8 - 0) + (22 - 10);
        return Math.max(0, Math.min(1, (natural - painel.height) / folgaMaxima));
    }
    readonly property real margemDeCima: 28 - 18 * aperto
    readonly property real espaco: 16 - 10 * aperto
    readonly property real recheio: 8 - 8 * aperto
    readonly property real margemDeBaixo: 22 - 12 * aperto

    // The entrance plays the first time the panel is on screen; with reduced motion the panel
    // is simply there from its first frame, fully opaque and taking clicks.
    function aparecer() {
        if (MovimentoReduzido.ativo)
            painel.apareceu = true;
        else
            entrada.start();
    }
    Component.onCompleted: if (painel.visible || MovimentoReduzido.ativo) painel.aparecer()
    onVisibleChanged: if (painel.visible && !painel.apareceu) painel.aparecer()

    SequentialAnimation {
        id: entrada

        PauseAnimation { duration: 50 }
        PropertyAction { target: painel; property: "apareceu"; value: true }
    }

    Item {
        id: corpo

        anchors.fill: parent
        opacity: painel.apareceu ? 1 : 0
        transform: Translate {
            x: painel.apareceu ? 0 : -24

            Behavior on x {
                enabled: !MovimentoReduzido.ativo

                AnimacaoDeMola { resposta: 0.6 }
            }
        }

        Behavior on opacity {
            enabled: !MovimentoReduzido.ativo

            AnimacaoDeMola { resposta: 0.6 }
        }

        Rectangle {
            anchors.fill: parent
            color: Paleta.superficie
        }

        RowLayout {
            id: linhaDaMarca

            objectName: "linhaDaMarca"
            x: 36
            y: painel.margemDeCima
            width: parent.width - 72
            spacing: 10

            IconeDaMarca {
                tamanho: 28
                estilo: EstiloDaMarca.Azul
            }
            Text {
                text: "Corvane"
                font: Tipo.headline
                color: Paleta.texto
            }
            Item { Layout.fillWidth: true }
        }

        // Between the brand line and the reassurance line, 16 points clear of each: the screen,
        // centred vertically, scrolling when it does not fit.
        Item {
            id: meio

            anchors.top: linhaDaMarca.bottom
            anchors.bottom: linhaDeGarantias.top
            anchors.topMargin: painel.espaco
            anchors.bottomMargin: painel.espaco
            width: parent.width

            Flickable {
                id: rolagem

                objectName: "rolagemDaConta"
                readonly property real alturaDoConteudo: painel.alturaDaTela + 2 * painel.recheio
                readonly property bool maisEmCima: contentY > 0.5
                readonly property bool maisEmBaixo: contentY + height < contentHeight - 0.5

                // Shown from the top; a change of size keeps the place the user scrolled to, within
                // the new bounds.
                function centrar() {
                    if (!rolagem.moving)
                        rolagem.contentY = Math.max(0, Math.min(rolagem.contentY, rolagem.contentHeight - rolagem.height));
                }

                y: Math.max(0, (meio.height - height) / 2)
                width: parent.width
                height: Math.min(meio.height, alturaDoConteudo)
                clip: true
                contentWidth: width
                contentHeight: alturaDoConteudo
                boundsBehavior: Flickable.StopAtBounds
                interactive: contentHeight > height
                // Starts scrolled to the middle of a screen taller than the area.
                onHeightChanged: centrar()
                onContentHeightChanged: centrar()
                // The indicator shows only while the area scrolls (or its handle is dragged),
                // then fades out after a short pause; at rest, or hovered, it stays hidden.
                ScrollBar.vertical: ScrollBar {
                    id: barra

                    objectName: "barraDaRolagem"
                    readonly property bool rolando: (rolagem.moving || barra.pressed) && barra.size < 1

                    policy: ScrollBar.AsNeeded
                    contentItem: Rectangle {
                        objectName: "alcaDaRolagem"
                        implicitWidth: 6
                        implicitHeight: 6
                        radius: width / 2
                        color: Paleta.textoApagado
                        opacity: 0

                        states: State {
                            name: "rolando"
                            when: barra.rolando

                            PropertyChanges { barra.contentItem.opacity: 0.75 }
                        }
                        transitions: Transition {
                            from: "rolando"

                            SequentialAnimation {
                                PauseAnimation { duration: 450 }
                                NumberAnimation { target: barra.contentItem; property: "opacity"; to: 0; duration: 200 }
                            }
                        }
                    }
                }

                Item {
                    id: areaDaTela

                    objectName: "areaDaTela"
                    x: Math.max(36, (rolagem.width - width) / 2)
                    y: painel.recheio
                    width: Math.min(360, rolagem.width - 72)
                    height: painel.alturaDaTela
                }
            }

            // The sign that the screen goes on past an edge: the panel's white fading in over the
            // last 28 points there. Decoration only: clicks pass through to the screen.
            Rectangle {
                objectName: "esmaecimentoDeCima"
                x: rolagem.x
                y: rolagem.y
                width: rolagem.width
                height: 28
                visible: rolagem.maisEmCima
                gradient: Gradient {
                    GradientStop { position: 0; color: Paleta.superficie }
                    GradientStop { position: 1; color: Qt.rgba(1, 1, 1, 0) }
                }
            }
            Rectangle {
                objectName: "esmaecimentoDeBaixo"
                x: rolagem.x
                y: rolagem.y + rolagem.height - height
                width: rolagem.width
                height: 28
                visible: rolagem.maisEmBaixo
                gradient: Gradient {
                    GradientStop { position: 0; color: Qt.rgba(1, 1, 1, 0) }
                    GradientStop { position: 1; color: Paleta.superficie }
                }
            }
        }

        Row {
            id: linhaDeGarantias

            objectName: "linhaDeGarantias"
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.bottom: parent.bottom
            anchors.bottomMargin: painel.margemDeBaixo
            spacing: 14

            Repeater {
                model: [
                    { texto: "Grátis", simbolo: "gift" },
                    { texto: "Conhecimento zero", simbolo: "lock.shield" },
                    { texto: "Sincroniza com o iPhone", simbolo: "arrow.triangle.2.circlepath" }
                ]

                Row {
                    id: garantia

                    required property var modelData

                    spacing: 4

                    Simbolo {
                        anchors.verticalCenter: parent.verticalCenter
                        width: 12
                        height: 12
                        nome: garantia.modelData.simbolo
                        cor: Paleta.textoApagado
                    }
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        text: garantia.modelData.texto
                        font: Tipo.caption
                        color: Paleta.textoApagado
                    }
                }
            }
        }

        // The hairline on the trailing edge.
        Rectangle {
            objectName: "filete"
            anchors.right: parent.right
            anchors.top: parent.top
            anchors.bottom: parent.bottom
            width: 1
            color: Paleta.borda
        }
    }
}
