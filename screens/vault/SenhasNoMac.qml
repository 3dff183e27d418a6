// The passwords section: with no password at all, the illustrated empty state; otherwise the
// list of passwords the search leaves beside the chosen password's detail (or a placeholder).
// When the list comes on screen without a choice, its first password is chosen.
import QtQuick
import QtQuick.Controls.Basic
import Corvane.Comum
import Corvane.Cofre

Item {
    id: senhas

    required property EstadoDoApp estado
    required property JanelaDoCofre vista
    property Cofre cofre: estado.cofre
    property string busca: vista.busca
    property string escolhida
    readonly property alias itens: lista
    readonly property bool dividida: !lista.semItens
    // The detail's identity: the chosen id while the store has that password, else none.
    readonly property string mostrada: escolhido.existe ? senhas.escolhida : ""

    // Set once every binding has its value, so the first choice sees the search as given.
    property bool pronta: false

    function aparecer() {
        if (senhas.pronta && senhas.dividida)
            senhas.escolhida = lista.escolhaInicial(senhas.escolhida);
    }

    onDivididaChanged: senhas.aparecer()
    Component.onCompleted: {
        senhas.pronta = true;
        senhas.aparecer();
    }

    ItensDaLista {
        id: lista

        cofre: senhas.cofre
        busca: senhas.busca
        tipo: "senha"
    }
    ItemEscolhido {
        id: escolhido

        cofre: senhas.cofre
        idDoItem: senhas.escolhida
        tipo: "senha"
    }

    // qmllint disable unqualified
    // (6.4's qmllint takes the document's ids for unqualified names inside a delegate or an
    // inline component; they resolve in the document's context as intended)
    Loader {
        objectName: "vazioSemSenhas"
        anchors.fill: parent
        active: lista.semItens
        sourceComponent: VazioIlustradoNoMac {
            simbolo: "key.fill"
            titulo: "Nenhuma senha ainda"
            texto: RegrasDasSenhas.textoSemSenhas
            acao: "Guardar uma senha"
            onAgir: senhas.vista.novoItemDoTipo("senha")
        }
    }

    // The list and the detail with a divider the user drags: the list between 240 and 360
    // points (280 at first), the detail at least 360.
    SplitView {
        objectName: "divisaoDasSenhas"
        anchors.fill: parent
        visible: senhas.dividida
        orientation: Qt.Horizontal
        handle: DivisoriaDaSecao {}

        ListaDeItensNoMac {
            id: painelDaLista

            objectName: "listaDeSenhas"
            SplitView.minimumWidth: 240
            SplitView.preferredWidth: 280
            SplitView.maximumWidth: 360
            itens: lista
            escolhida: senhas.escolhida
            comIcone: true
            onEscolher: function (id) { senhas.escolhida = id; }
            onEditar: function (id) { senhas.vista.editar("senha", id); }
        }
        Item {
            id: painelDoDetalhe

            SplitView.minimumWidth: 360
            SplitView.fillWidth: true

            VazioNoMac {
                objectName: "escolhaUmaSenha"
                anchors.fill: parent
                visible: senhas.mostrada === ""
                simbolo: "key"
                titulo: "Escolha uma senha"
                texto: "Clique numa senha da lista para ver e copiar."
            }
            // One detail per chosen password: a new choice builds a new one.
            Repeater {
                model: senhas.mostrada !== "" ? [senhas.mostrada] : []

                DetalheDaSenhaNoMac {
                    objectName: "detalheDaSenha"
                    width: painelDoDetalhe.width
                    height: painelDoDetalhe.height
                    item: escolhido
                    estado: senhas.estado
                    onEditar: senhas.vista.editar("senha", senhas.escolhida)
                }
            }
        }
    }
    // qmllint enable unqualified
}
