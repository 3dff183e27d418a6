// The secure-note editor: "Título", "Texto" and "Favorito" in the edit sheet.
import QtQuick
import Corvane.Comum
import Corvane.Conta
import Corvane.Editores

FolhaDeEdicaoNoMac {
    id: raiz

    required property EstadoDoApp estado
    required property string item

    objectName: "editorDeNota"
    titulo: modelo.tituloDaFolha
    podeSalvar: modelo.podeSalvar
    salvando: modelo.salvando
    erro: modelo.erro
    podeApagar: modelo.existente
    tituloParaApagar: modelo.tituloParaApagar
    onSalvar: modelo.salvar()
    onApagar: modelo.apagar()
    onFechar: modelo.cancelar()
    onFocoInicial: campoTitulo.focar()
    Component.onCompleted: modelo.carregar()

    ModeloDoEditorDeNota {
        id: modelo

        objectName: "modelo"
        estado: raiz.estado
        item: raiz.item
    }

    CampoNoMac {
        id: campoTitulo

        objectName: "campoTitulo"
        rotulo: "Título"
        dica: "Wi-Fi de casa, documentos…"
        texto: modelo.titulo
        onTextoChanged: modelo.titulo = texto
    }

    AreaDeTextoNoMac {
        objectName: "campoTexto"
        rotulo: "Texto"
        altura: 200
        texto: modelo.texto
        onTextoChanged: modelo.texto = texto
    }

    AlternadorNoMac {
        objectName: "favorito"
        text: "Favorito"
        checked: modelo.favorito
        onToggled: modelo.favorito = checked
    }
}
