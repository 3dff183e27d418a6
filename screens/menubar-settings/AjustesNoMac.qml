// The settings form: the account with signing out, the protection and the lock delay, the
// AutoFill section, the generator's defaults, the installed version with the update check, and
// the help links. Every value is read from the shared objects; changes are stored at once.
import QtQuick
import QtQuick.Controls.Basic
import Corvane.App
import Corvane.Comum
import Corvane.Cofre
import Corvane.Barra

ScrollView {
    id: ajustes

    required property EstadoDoApp estado
    required property VerificadorDeAtualizacao atualizacao
    required property SituacaoDoPreenchimento preenchimento
    property bool confirmandoSaida: false
    // Where the desktop shows no tray icon, the panel is reached from here.
    property bool semBandeja: false

    signal painelPedido()
    readonly property bool semVersaoNova: ajustes.atualizacao.disponivel === undefined

    // The window came into view: the AutoFill card and the owner check are read again.
    function aparecer() {
        ajustes.preenchimento.comecarAtualizacao();
        modelo.conferirDisponibilidade();
    }

    function conferirDisponibilidade() {
        modelo.conferirDisponibilidade();
    }

    contentWidth: availableWidth
    contentHeight: formulario.implicitHeight
    clip: true

    ModeloDosAjustes {
        id: modelo

        objectName: "modeloDosAjustes"
        estado: ajustes.estado
    }

    Column {
        id: formulario

        x: 20
        width: ajustes.availableWidth - 40
        topPadding: 20
        bottomPadding: 20
        spacing: 20

        SecaoDosAjustes {
            objectName: "secaoDaConta"
            visible: modelo.temConta
            width: parent.width
            titulo: "Conta"

            LinhaDosAjustes {
                primeira: true
                rotulo: "Nome"

                Text {
                    objectName: "nomeDaConta"
                    text: modelo.nome
                    textFormat: Text.PlainText
                    font: Tipo.body
                    color: Paleta.textoSecundario
                }
            }
            LinhaDosAjustes {
                rotulo: "E-mail"

                Text {
                    objectName: "emailDaConta"
                    text: modelo.email
                    textFormat: Text.PlainText
                    font: Tipo.body
                    color: Paleta.textoSecundario
                }
            }
            LinhaDosAjustes {
                BotaoNoMac {
                    objectName: "sairDaConta"
                    text: "Sair desta conta"
                    corDoTexto: Paleta.vermelho
                    onClicked: ajustes.confirmandoSaida = true
                }
            }
        }

        SecaoDosAjustes {
            objectName: "secaoDaSeguranca"
            width: parent.width
            titulo: "Segurança"

            LinhaDosAjustes {
                primeira: true
                rotulo: modelo.rotuloDaProtecao

                ChaveDosAjustes {
                    objectName: "protegerApp"
                    checked: modelo.protegerApp
                    enabled: modelo.protecaoDisponivel && !modelo.pedindoDono
                    onClicked: modelo.alternarProtecao(!modelo.protegerApp)
                }
            }
            LinhaDosAjustes {
                rotulo: "Bloquear depois de"
                corDoRotulo: modelo.bloqueioHabilitado ? Paleta.texto : Paleta.textoApagado

                ComboBox {
                    id: bloqueio

                    objectName: "bloqueio"
                    width: 150
                    model: modelo.opcoesDeBloqueio
                    currentIndex: modelo.indiceDoBloqueio
                    enabled: modelo.bloqueioHabilitado
                    font: Tipo.body
                    onActivated: indice => modelo.escolherBloqueio(indice)

                    background: Rectangle {
                        implicitHeight: 28
                        radius: 6
                        color: Paleta.superficie
                        border.width: 1
                        border.color: Paleta.borda
                    }

                    // The kit's colours for the entries: the style's own highlight draws its
                    // text in the light palette's colour over a light fill, so the entry under
                    // the pointer (the current one when the menu opens) showed blank.
                    // qmllint disable unqualified
                    // (6.4's qmllint takes the document's ids for unqualified names inside a
                    // delegate; they resolve in the document's context as intended)
                    delegate: ItemDelegate {
                        id: entrada

                        required property string modelData
                        required property int index

                        objectName: "opcaoDoBloqueio-" + entrada.index
                        width: ListView.view ? ListView.view.width : implicitWidth
                        text: entrada.modelData
                        highlighted: bloqueio.highlightedIndex === entrada.index
                        hoverEnabled: bloqueio.hoverEnabled

                        contentItem: Text {
                            text: entrada.text
                            textFormat: Text.PlainText
                            font.family: Tipo.body.family
                            font.pixelSize: Tipo.body.pixelSize
                            font.weight: bloqueio.currentIndex === entrada.index ? Font.DemiBold : Font.Normal
                            color: entrada.highlighted ? "#ffffff" : Paleta.texto
                            elide: Text.ElideRight
                            verticalAlignment: Text.AlignVCenter
                        }
                        background: Rectangle {
                            radius: 4
                            color: entrada.highlighted ? Paleta.azul : "transparent"
                        }
                    }
                    // qmllint enable unqualified
                }
            }
            Text {
                objectName: "notaDaSeguranca"
                width: parent.width
                topPadding: 2
                bottomPadding: 8
                text: modelo.notaDaSeguranca
                textFormat: Text.PlainText
                wrapMode: Text.WordWrap
                font: Tipo.caption
                color: Paleta.textoApagado
            }
        }

        SecaoDoPreenchimento {
            objectName: "secaoDoPreenchimento"
            width: parent.width
            situacao: ajustes.preenchimento
        }

        SecaoDosAjustes {
            objectName: "secaoDoGerador"
            width: parent.width
            titulo: "Gerador de senhas"

            LinhaDosAjustes {
                primeira: true
                rotulo: modelo.textoDoTamanho

                BotaoNoMac {
                    objectName: "menosTamanho"
                    text: "−"
                    enabled: modelo.podeDiminuir
                    onClicked: modelo.definirTamanho(modelo.tamanho - 1)
                }
                BotaoNoMac {
                    objectName: "maisTamanho"
                    text: "+"
                    enabled: modelo.podeAumentar
                    onClicked: modelo.definirTamanho(modelo.tamanho + 1)
                }
            }
            LinhaDosAjustes {
                rotulo: "Letras maiúsculas"

                ChaveDosAjustes {
                    objectName: "maiusculas"
                    checked: modelo.maiusculas
                    onClicked: modelo.definirMaiusculas(!modelo.maiusculas)
                }
            }
        }

        SecaoDosAjustes {
            objectName: "secaoDeAtualizacoes"
            width: parent.width
            titulo: "Atualizações"

            LinhaDosAjustes {
                primeira: true
                rotulo: "Versão instalada"

                Text {
                    objectName: "versaoInstalada"
                    text: modelo.versaoInstalada
                    textFormat: Text.PlainText
                    font: Tipo.body
                    color: Paleta.textoSecundario
                }
            }
            LinhaDosAjustes {
                visible: ajustes.semVersaoNova
                rotulo: modelo.textoDaConferencia(ajustes.atualizacao.conferidoAgora)
                corDoRotulo: Paleta.textoSecundario

                BotaoNoMac {
                    objectName: "procurarAtualizacao"
                    text: modelo.tituloDaProcura(ajustes.atualizacao.conferindo)
                    enabled: !ajustes.atualizacao.conferindo
                    onClicked: ajustes.atualizacao.comecarProcura()
                }
            }
            LinhaDosAjustes {
                visible: !ajustes.semVersaoNova
                rotulo: "Versão nova"

                Text {
                    objectName: "versaoNova"
                    text: ajustes.semVersaoNova ? "" : ajustes.atualizacao.disponivel.versao
                    textFormat: Text.PlainText
                    font: Tipo.body
                    color: Paleta.textoSecundario
                }
            }
            LinhaDosAjustes {
                visible: !ajustes.semVersaoNova

                BotaoNoMac {
                    objectName: "baixarVersao"
                    estilo: "destacado"
                    text: ajustes.semVersaoNova ? "" : modelo.textoDoDownload(ajustes.atualizacao.disponivel.versao)
                    onClicked: ajustes.atualizacao.abrirDownload()
                }
            }
        }

        SecaoDosAjustes {
            objectName: "secaoDeAjuda"
            visible: modelo.linksDeAjuda.length > 0
            width: parent.width
            titulo: "Ajuda"

            Repeater {
                model: modelo.linksDeAjuda

                // qmllint disable unqualified
                // (6.4's qmllint takes the document's ids for unqualified names inside a
                // delegate; they resolve in the document's context as intended)
                delegate: LinhaDosAjustes {
                    id: linhaDoLink

                    required property var modelData
                    required property int index

                    objectName: "link-" + linhaDoLink.index
                    primeira: linhaDoLink.index === 0
                    rotulo: linhaDoLink.modelData.texto
                    corDoRotulo: Paleta.azul
                    clicavel: true
                    onClicado: modelo.abrirLink(linhaDoLink.modelData.url)
                }
                // qmllint enable unqualified
            }
        }

        BotaoNoMac {
            objectName: "abrirPainel"
            visible: ajustes.semBandeja
            anchors.right: parent.right
            estilo: "semBorda"
            corDoTexto: Paleta.azul
            text: "Mostrar o painel de códigos"
            onClicked: ajustes.painelPedido()
        }
    }

    ConfirmacaoDeSaida {
        aberta: ajustes.confirmandoSaida
        onFechada: ajustes.confirmandoSaida = false
        onSair: modelo.sair()
    }
}
