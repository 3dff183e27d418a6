// The website-password editor: name, site, user, the password with "Mostrar"/"Esconder",
// "Gerar senha forte" and the strength line, notes and "Favorito".
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Corvane.App
import Corvane.Comum
import Corvane.Conta
import Corvane.Editores

FolhaDeEdicaoNoMac {
    id: raiz

    required property EstadoDoApp estado
    required property string item

    objectName: "editorDeSenha"
    titulo: modelo.tituloDaFolha
    podeSalvar: modelo.podeSalvar
    salvando: modelo.salvando
    erro: modelo.erro
    podeApagar: modelo.existente
    tituloParaApagar: modelo.tituloParaApagar
    onSalvar: modelo.salvar()
    onApagar: modelo.apagar()
    onFechar: modelo.cancelar()
    onFocoInicial: campoNome.focar()
    Component.onCompleted: modelo.carregar()

    ModeloDoEditorDeSenha {
        id: modelo

        objectName: "modelo"
        estado: raiz.estado
        item: raiz.item
    }

    CampoNoMac {
        id: campoNome

        objectName: "campoNome"
        rotulo: "Nome"
        dica: "Netflix, banco, e-mail…"
        texto: modelo.titulo
        onTextoChanged: modelo.titulo = texto
    }

    CampoNoMac {
        objectName: "campoSite"
        rotulo: "Site"
        dica: "exemplo.com.br"
        texto: modelo.site
        onTextoChanged: modelo.site = texto
    }

    CampoNoMac {
        objectName: "campoUsuario"
        rotulo: "Usuário ou e-mail"
        dica: "como você entra no site"
        texto: modelo.usuario
        onTextoChanged: modelo.usuario = texto
    }

    // The label row sits above the field but comes after it in the item order, so Tab goes from
    // "Usuário ou e-mail" to "Senha" and only then to "Mostrar" and "Gerar senha forte".
    GridLayout {
        Layout.fillWidth: true
        columns: 1
        rowSpacing: 6

        TextField {
            id: campoSenha

            objectName: "campoSenha"
            Layout.row: 1
            Layout.fillWidth: true
            Layout.preferredHeight: 38
            leftPadding: 12
            rightPadding: 12
            topPadding: 0
            bottomPadding: 0
            verticalAlignment: TextInput.AlignVCenter
            placeholderText: "A senha do site"
            placeholderTextColor: Paleta.textoApagado
            echoMode: modelo.mostrar ? TextInput.Normal : TextInput.Password
            passwordCharacter: "•"
            // A password is never offered to the primary selection, shown or not.
            selectByMouse: false
            font.family: modelo.mostrar ? "monospace" : Tipo.body.family
            font.pixelSize: Tipo.body.pixelSize
            color: Paleta.texto
            text: modelo.senha
            onTextEdited: modelo.senha = text
            // Masked, the field copies nothing and the keyboard may select in it; shown, it keeps
            // no selection, so the password never reaches a selection buffer.
            onSelectedTextChanged: if (modelo.mostrar && selectedText !== "") deselect()

            background: Rectangle {
                radius: 10
                color: Paleta.fundo
                border.width: 1
                border.color: Paleta.borda
            }
        }

        RowLayout {
            Layout.row: 0
            Layout.fillWidth: true

            Text {
                Layout.fillWidth: true
                text: "Senha"
                textFormat: Text.PlainText
                font: Tipo.fonte(Tipo.Callout, Font.Medium)
                color: Paleta.textoSecundario
            }

            BotaoNoMac {
                objectName: "botaoMostrar"
                text: modelo.mostrar ? "Esconder" : "Mostrar"
                estilo: "semBorda"
                corDoTexto: Paleta.azul
                onClicked: modelo.mostrar = !modelo.mostrar
            }

            BotaoNoMac {
                objectName: "botaoGerar"
                text: "Gerar senha forte"
                estilo: "semBorda"
                corDoTexto: Paleta.azul
                onClicked: modelo.gerarSenhaForte()
            }
        }

        Text {
            objectName: "linhaDeForca"
            Layout.row: 2
            visible: modelo.forca !== ""
            text: modelo.forca
            textFormat: Text.PlainText
            font: Tipo.caption
            color: Paleta.textoApagado
        }
    }

    AreaDeTextoNoMac {
        objectName: "campoNotas"
        rotulo: "Notas"
        altura: 80
        texto: modelo.notas
        onTextoChanged: modelo.notas = texto
    }

    AlternadorNoMac {
        objectName: "favorito"
        text: "Favorito"
        checked: modelo.favorito
        onToggled: modelo.favorito = checked
    }
}
