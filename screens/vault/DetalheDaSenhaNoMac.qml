// The chosen password: its logo, title and first host with "Editar", the box of fields (user
// name, password, the attached code live on the screens' clock), its sites and its notes. Built
// afresh for each chosen password, so a revealed password is hidden again when the choice moves.
import QtQuick
import QtQuick.Controls.Basic
import Corvane.App
import Corvane.Comum
import Corvane.Cofre

Item {
    id: detalhe

    required property ItemEscolhido item
    required property EstadoDoApp estado
    readonly property string primeiroDominio: detalhe.item.dominios.length > 0 ? detalhe.item.dominios[0] : ""

    signal editar()

    Flickable {
        id: rolagem

        anchors.fill: parent
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
            width: Math.min(620, rolagem.width) - 48
            spacing: 18

            Item {
                objectName: "cabecalhoDaSenha"
                width: parent.width
                height: Math.max(52, tituloDaSenha.height)

                IconeDoServico {
                    id: icone

                    anchors.verticalCenter: parent.verticalCenter
                    nome: detalhe.item.titulo
                    dicas: detalhe.item.dominios
                    tamanho: 52
                }
                Column {
                    id: tituloDaSenha

                    anchors.left: icone.right
                    anchors.leftMargin: 14
                    anchors.right: botaoEditar.left
                    anchors.rightMargin: 14
                    anchors.verticalCenter: parent.verticalCenter
                    spacing: 2

                    Text {
                        objectName: "tituloDaSenha"
                        width: parent.width
                        text: detalhe.item.titulo
                        textFormat: Text.PlainText
                        elide: Text.ElideRight
                        font: Tipo.fonte(Tipo.Title2, Font.Bold)
                        color: Paleta.texto
                    }
                    Text {
                        objectName: "dominioDaSenha"
                        width: parent.width
                        visible: detalhe.primeiroDominio !== ""
                        text: detalhe.primeiroDominio
                        textFormat: Text.PlainText
                        elide: Text.ElideRight
                        font: Tipo.callout
                        color: Paleta.textoApagado
                    }
                }
                BotaoNoMac {
                    id: botaoEditar

                    objectName: "botaoEditarSenha"
                    anchors.right: parent.right
                    anchors.verticalCenter: parent.verticalCenter
                    text: "Editar"
                    enabled: detalhe.estado.podeSincronizar
                    onClicked: detalhe.editar()
                }
            }

            Rectangle {
                objectName: "caixaDosCampos"
                width: parent.width
                height: campos.implicitHeight
                radius: 14
                color: Paleta.superficie
                border.width: 1
                border.color: Paleta.borda

                Column {
                    id: campos

                    x: 16
                    width: parent.width - 32

                    LinhaDeCampoNoMac {
                        objectName: "campoUsuario"
                        width: parent.width
                        visible: detalhe.item.usuario !== ""
                        rotulo: "Usuário"
                        valor: detalhe.item.usuario
                        selecionavel: true
                        aviso: "Usuário copiado"
                        avisos: detalhe.estado.avisos
                    }
                    Divisoria {
                        visible: detalhe.item.usuario !== ""
                    }
                    LinhaDeCampoNoMac {
                        objectName: "campoSenha"
                        width: parent.width
                        rotulo: "Senha"
                        valor: detalhe.item.senha
                        oculto: true
                        aviso: "Senha copiada"
                        avisos: detalhe.estado.avisos
                    }
                    Divisoria {
                        visible: detalhe.item.temCodigo
                    }
                    LinhaDeCampoNoMac {
                        objectName: "campoCodigo"
                        width: parent.width
                        visible: detalhe.item.temCodigo
                        rotulo: "Código de verificação"
                        valor: detalhe.item.temCodigo ? detalhe.item.codigoExibido(Relogio.agora) : ""
                        copia: detalhe.item.temCodigo ? detalhe.item.codigo(Relogio.agora) : ""
                        aviso: "Código copiado"
                        avisos: detalhe.estado.avisos
                    }
                }
            }

            Column {
                objectName: "blocoDosSites"
                width: parent.width
                visible: detalhe.item.sites.length > 0
                spacing: 8

                Text {
                    text: "Sites"
                    textFormat: Text.PlainText
                    font: Tipo.fonte(Tipo.Caption, Font.Medium)
                    color: Paleta.textoApagado
                }
                Repeater {
                    model: detalhe.item.sites

                    LinhaDoSite {
                        required property int index
                        required property var modelData

                        objectName: "site-" + index
                        width: parent.width
                        texto: modelData.texto
                        link: modelData.link
                    }
                }
            }

            Column {
                objectName: "blocoDasNotas"
                width: parent.width
                visible: detalhe.item.notas !== ""
                spacing: 6

                Item {
                    width: parent.width
                    height: Math.max(rotuloDasNotas.implicitHeight, botaoCopiarNotas.implicitHeight)

                    Text {
                        id: rotuloDasNotas

                        anchors.left: parent.left
                        anchors.verticalCenter: parent.verticalCenter
                        text: "Notas"
                        textFormat: Text.PlainText
                        font: Tipo.fonte(Tipo.Caption, Font.Medium)
                        color: Paleta.textoApagado
                    }
                    // The notes may hold secrets too: they leave only as a concealed copy.
                    BotaoDoCampo {
                        id: botaoCopiarNotas

                        objectName: "botaoCopiarNotas"
                        anchors.right: parent.right
                        anchors.verticalCenter: parent.verticalCenter
                        simbolo: "doc.on.doc"
                        dica: "Copiar"
                        onClicked: RegrasDasSenhas.copiar(detalhe.item.notas, "Notas copiadas", detalhe.estado.avisos)
                    }
                }
                Text {
                    objectName: "notasDaSenha"
                    width: parent.width
                    text: detalhe.item.notas
                    textFormat: Text.PlainText
                    wrapMode: Text.Wrap
                    font: Tipo.body
                    color: Paleta.texto
                }
            }
        }
    }
}
