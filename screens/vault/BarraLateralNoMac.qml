// The vault window's left column: the wordmark, one row per section with its count (the chosen
// row wears a white card that slides from row to row), the sync status line and the account
// card.
import QtQuick
import Corvane.App
import Corvane.Comum
import Corvane.Cofre

Rectangle {
    id: barra

    required property EstadoDoApp estado
    required property JanelaDoCofre janela
    required property ContagemDoCofre contagem
    required property AcoesDoCofre acoes
    // The sync status line (a later part of the window fills it).
    property Component situacaoDaSincronia
    // The sign-out confirmation is up.
    readonly property bool confirmandoSaida: cartaoDaConta.confirmandoSaida

    signal ajustesPedidos()

    color: Paleta.fundo

    Row {
        id: marca

        objectName: "marcaDaBarra"
        x: 20
        y: 16
        spacing: 10

        IconeDaMarca {
            anchors.verticalCenter: parent.verticalCenter
            tamanho: 28
            estilo: EstiloDaMarca.Azul
            animando: false
            abrindoEFechando: false
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: "<b>Cor</b>vane"
            textFormat: Text.StyledText
            font.family: Tipo.familia
            font.pixelSize: 16
            color: Paleta.texto
        }
    }

    Item {
        id: secoes

        anchors.top: marca.bottom
        anchors.topMargin: 22
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.leftMargin: 10
        anchors.rightMargin: 10
        height: colunaDeLinhas.height

        // The chosen row's card, one element that moves to the new row on a spring.
        Rectangle {
            id: selecao

            objectName: "cartaoDaSelecao"
            readonly property int posicao: barra.janela.posicaoMostrada

            width: parent.width
            height: 34
            y: posicao * 36
            radius: 10
            color: Paleta.superficie
            border.width: 1
            border.color: Paleta.borda
            visible: barra.janela.secao !== ""

            // Ink at 5 %, radius 4, 2 points down; painted once, then moved with the card.
            SombraSuave {
                objectName: "sombraDaSelecao"
                anchors.fill: parent
                anchors.margins: -margem
                z: -1
                margem: 10
                raio: 10
                desfoque: 4
                deslocamentoY: 2
                cor: Qt.rgba(Paleta.tinta.r, Paleta.tinta.g, Paleta.tinta.b, 0.05)
            }

            Behavior on y {
                NumberAnimation {
                    duration: Mola.duracao(0.35, 0.82)
                    // qmllint disable type
                    // (6.4's qmllint cannot type a C++ QEasingCurve; the assignment is valid)
                    easing: Mola.curva(0.35, 0.82)
                    // qmllint enable type
                }
            }
        }

        Column {
            id: colunaDeLinhas

            width: parent.width
            spacing: 2

            // qmllint disable unqualified
            // (6.4's qmllint takes the document's ids for unqualified names inside a delegate;
            // they resolve in the document's context as intended)
            Repeater {
                model: RegrasDoCofre.secoes

                LinhaDaSecaoNoMac {
                    required property string modelData

                    objectName: "linha-" + modelData
                    width: colunaDeLinhas.width
                    secao: modelData
                    total: barra.contagem.totais[modelData]
                    escolhida: barra.janela.secao === modelData
                    onClicked: barra.janela.secao = modelData
                }
            }
            // qmllint enable unqualified
        }
    }

    Column {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 10
        spacing: 8

        Loader {
            objectName: "situacaoDaSincronia"
            width: parent.width
            sourceComponent: barra.situacaoDaSincronia
        }

        CartaoDaContaNoMac {
            id: cartaoDaConta

            objectName: "cartaoDaConta"
            width: parent.width
            estado: barra.estado
            acoes: barra.acoes
            onAjustesPedidos: barra.ajustesPedidos()
        }
    }
}
