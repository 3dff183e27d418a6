// The codes section: the user's codes as a grid of cards that follows the screens' clock each
// second, filtered by the window's search; the illustrated empty state without codes and a plain
// one when the search finds nothing.
import QtQuick
import QtQuick.Controls.Basic
import Corvane.App
import Corvane.Comum
import Corvane.Cofre

Item {
    id: grade

    required property EstadoDoApp estado
    required property JanelaDoCofre janela
    property Cofre cofre: estado.cofre
    property string busca: janela.busca
    readonly property alias codigos: lista
    readonly property int colunas: RegrasDoCofre.colunas(grade.width - 56)
    readonly property real larguraDaColuna: RegrasDoCofre.larguraDaColuna(grade.width - 56)

    // The grid itself does not clip, so the cards' shadows and hover keep their room at its
    // sides; the section's area does, so scrolled cards never cover what lies above it.
    clip: true

    CodigosDaGrade {
        id: lista

        cofre: grade.cofre
        busca: grade.busca
        agora: Relogio.agora
    }

    // qmllint disable unqualified
    // (6.4's qmllint takes the document's ids for unqualified names inside a delegate or an
    // inline component; they resolve in the document's context as intended)
    Loader {
        objectName: "vazioSemCodigos"
        anchors.fill: parent
        active: lista.semCodigos
        sourceComponent: VazioIlustradoNoMac {
            simbolo: "number"
            titulo: "Nenhum código ainda"
            texto: "Abra o QR Code do site que você quer proteger e use Ler da tela. O código aparece aqui e no iPhone."
            acao: "Adicionar código"
            habilitado: grade.estado.podeSincronizar
            onAgir: grade.janela.novoItemDoTipo("codigo")
        }
    }

    VazioNoMac {
        objectName: "nadaEncontrado"
        anchors.fill: parent
        visible: !lista.semCodigos && lista.quantidade === 0
        simbolo: "magnifyingglass"
        titulo: "Nada encontrado"
        texto: RegrasDoCofre.nadaEncontrado(grade.busca)
    }

    GridView {
        id: cartoes

        objectName: "gradeDeCodigos"
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        anchors.horizontalCenter: parent.horizontalCenter
        // The cards and the gaps between them, centred; the last column's gap hangs outside.
        width: grade.colunas * (grade.larguraDaColuna + 16)
        anchors.horizontalCenterOffset: 8
        visible: lista.quantidade > 0
        model: lista
        cellWidth: grade.larguraDaColuna + 16
        cellHeight: 149 + 16
        topMargin: 14
        bottomMargin: 28 - 16
        clip: false
        boundsBehavior: Flickable.StopAtBounds
        reuseItems: false

        ScrollBar.vertical: ScrollBar {
            parent: grade
            x: grade.width - width
            y: 0
            height: grade.height
        }

        delegate: EntradaEmCascata {
            id: celula

            required property int index
            required property string idDoItem
            required property string titulo
            required property string conta
            required property bool favorito
            required property string icone
            required property var dominios
            required property int periodo
            required property string codigo
            required property string codigoExibido
            required property string proximo
            required property string proximoExibido
            required property real fracao
            required property bool acabando

            objectName: "celula-" + celula.idDoItem
            width: cartoes.cellWidth
            height: cartoes.cellHeight
            indice: celula.index

            CartaoDeCodigoNoMac {
                id: cartao

                objectName: "cartao-" + celula.idDoItem
                width: grade.larguraDaColuna
                height: cartao.alturaDoCartao
                titulo: celula.titulo
                conta: celula.conta
                favorito: celula.favorito
                icone: celula.icone
                dominios: celula.dominios
                periodo: celula.periodo
                codigo: celula.codigo
                codigoExibido: celula.codigoExibido
                proximo: celula.proximo
                proximoExibido: celula.proximoExibido
                fracao: celula.fracao
                acabando: celula.acabando
                onClicado: {
                    if (lista.copiarAoClicar(celula.index, grade.estado.avisos))
                        cartao.pulso += 1;
                }
                onCopiarDoMenu: lista.copiarDoMenu(celula.index, grade.estado.avisos)
                onEditar: grade.janela.editar("codigo", celula.idDoItem)
            }
        }
    }
    // qmllint enable unqualified
}
