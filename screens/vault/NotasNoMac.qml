// The notes section: with no note at all, the illustrated empty state; otherwise the list of
// notes the search leaves beside the chosen note's full text (or a placeholder). When the list
// comes on screen without a choice, its first note is chosen. The text is drawn as plain text
// the mouse cannot select, so it never reaches the primary selection; "Copiar" puts it on the
// clipboard as a concealed copy.
import QtQuick
import QtQuick.Controls.Basic
import Corvane.App
import Corvane.Comum
import Corvane.Cofre

Item {
    id: notas

    required property EstadoDoApp estado
    required property JanelaDoCofre vista
    property Cofre cofre: estado.cofre
    property string busca: vista.busca
    property string escolhida
    readonly property alias itens: lista
    readonly property bool dividida: !lista.semItens
    readonly property string mostrada: notaEscolhida.existe ? notas.escolhida : ""

    // Set once every binding has its value, so the first choice sees the search as given.
    property bool pronta: false

    function aparecer() {
        if (notas.pronta && notas.dividida)
            notas.escolhida = lista.escolhaInicial(notas.escolhida);
    }

    onDivididaChanged: notas.aparecer()
    Component.onCompleted: {
        notas.pronta = true;
        notas.aparecer();
    }

    ItensDaLista {
        id: lista

        cofre: notas.cofre
        busca: notas.busca
        tipo: "nota"
    }
    ItemEscolhido {
        id: notaEscolhida

        cofre: notas.cofre
        idDoItem: notas.escolhida
        tipo: "nota"
    }

    // qmllint disable unqualified
    // (6.4's qmllint takes the document's ids for unqualified names inside a delegate or an
    // inline component; they resolve in the document's context as intended)
    Loader {
        objectName: "vazioSemNotas"
        anchors.fill: parent
        active: lista.semItens
        sourceComponent: VazioIlustradoNoMac {
            simbolo: "note.text"
            titulo: "Nenhuma nota ainda"
            texto: RegrasDasSenhas.textoSemNotas
            acao: "Nova nota"
            onAgir: notas.vista.novoItemDoTipo("nota")
        }
    }

    // The list and the detail with a divider the user drags: the list between 240 and 360
    // points (280 at first), the detail at least 360.
    SplitView {
        objectName: "divisaoDasNotas"
        anchors.fill: parent
        visible: notas.dividida
        orientation: Qt.Horizontal
        handle: DivisoriaDaSecao {}

        ListaDeItensNoMac {
            id: painelDaLista

            objectName: "listaDeNotas"
            SplitView.minimumWidth: 240
            SplitView.preferredWidth: 280
            SplitView.maximumWidth: 360
            itens: lista
            escolhida: notas.escolhida
            onEscolher: function (id) { notas.escolhida = id; }
            onEditar: function (id) { notas.vista.editar("nota", id); }
        }
        Item {
            id: painelDoDetalhe

            SplitView.minimumWidth: 360
            SplitView.fillWidth: true

            VazioNoMac {
                objectName: "escolhaUmaNota"
                anchors.fill: parent
                visible: notas.mostrada === ""
                simbolo: "note.text"
                titulo: "Escolha uma nota"
                texto: "Clique numa nota da lista para ler."
            }
            Repeater {
                model: notas.mostrada !== "" ? [notas.mostrada] : []

                Flickable {
                    id: rolagem

                    objectName: "detalheDaNota"
                    width: painelDoDetalhe.width
                    height: painelDoDetalhe.height
                    contentWidth: width
                    contentHeight: pilha.implicitHeight + 48
                    boundsBehavior: Flickable.StopAtBounds
                    clip: true

                    ScrollBar.vertical: ScrollBar {
                        policy: rolagem.contentHeight > rolagem.height ? ScrollBar.AlwaysOn : ScrollBar.AsNeeded
                    }

                    Column {
                        id: pilha

                        x: 24
                        y: 24
                        width: rolagem.width - 48
                        spacing: 14

                        Item {
                            width: parent.width
                            height: Math.max(tituloDaNota.implicitHeight, botaoEditar.implicitHeight, botaoCopiar.implicitHeight)

                            Text {
                                id: tituloDaNota

                                objectName: "tituloDaNota"
                                anchors.left: parent.left
                                anchors.right: botaoCopiar.left
                                anchors.rightMargin: 8
                                anchors.verticalCenter: parent.verticalCenter
                                text: notaEscolhida.titulo
                                textFormat: Text.PlainText
                                elide: Text.ElideRight
                                font: Tipo.fonte(Tipo.Title2, Font.Bold)
                                color: Paleta.texto
                            }
                            // The text leaves only through the concealed copy: the mouse
                            // cannot select it.
                            BotaoNoMac {
                                id: botaoCopiar

                                objectName: "botaoCopiarNota"
                                anchors.right: botaoEditar.left
                                anchors.rightMargin: 8
                                anchors.verticalCenter: parent.verticalCenter
                                text: "Copiar"
                                enabled: notaEscolhida.texto !== ""
                                onClicked: RegrasDasSenhas.copiar(notaEscolhida.texto, "Nota copiada",
                                                                  notas.estado.avisos)
                            }
                            BotaoNoMac {
                                id: botaoEditar

                                objectName: "botaoEditarNota"
                                anchors.right: parent.right
                                anchors.verticalCenter: parent.verticalCenter
                                text: "Editar"
                                enabled: notas.estado.podeSincronizar
                                onClicked: notas.vista.editar("nota", notas.escolhida)
                            }
                        }
                        Text {
                            objectName: "textoDaNota"
                            width: parent.width
                            text: notaEscolhida.texto
                            textFormat: Text.PlainText
                            wrapMode: Text.Wrap
                            font: Tipo.body
                            color: Paleta.texto
                        }
                    }
                }
            }
        }
    }
    // qmllint enable unqualified
}
