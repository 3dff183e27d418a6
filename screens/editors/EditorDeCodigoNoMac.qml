// The one-time-code editor: for a new code the reading block, the live preview (once a service
// and a secret are typed) and a divider; then "Serviço", "Conta", "Site", "Chave secreta"
// (masked for an existing code), "Opções avançadas" and "Favorito".
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
    property bool avancado: false
    // A read code is filling the form: the preview enters on the fill's spring (0.3, 1.0)
    // instead of its own fade.
    property bool preenchendo: false

    objectName: "editorDeCodigo"
    titulo: modelo.tituloDaFolha
    podeSalvar: modelo.podeSalvar
    salvando: modelo.salvando
    erro: modelo.erro
    podeApagar: modelo.existente
    tituloParaApagar: modelo.tituloParaApagar
    onSalvar: modelo.salvar()
    onApagar: modelo.apagar()
    onFechar: modelo.cancelar()
    // "Serviço" is the form's first field (the reading block above it is a set of ways to fill
    // the form, and Return in its link field uses the link rather than saving).
    onFocoInicial: campoServico.focar()
    Component.onCompleted: modelo.carregar()

    ModeloDoEditorDeCodigo {
        id: modelo

        objectName: "modelo"
        estado: raiz.estado
        item: raiz.item
        onPreenchendo: raiz.preenchendo = true
        onPreenchido: raiz.preenchendo = false
    }

    BlocoDeLeituraNoMac {
        visible: !modelo.existente
        editor: modelo
    }

    PreviaDoCodigoNoMac {
        readonly property bool mostrada: !modelo.existente && modelo.podeSalvar

        objectName: "previa"
        editor: modelo
        // Enters and leaves fading, from and to 98 % of its size about its centre.
        opacity: mostrada ? 1 : 0
        scale: mostrada ? 1 : 0.98
        visible: opacity > 0
        Presenca.saindo: !mostrada

        Behavior on opacity {
            enabled: !MovimentoReduzido.ativo

            NumberAnimation {
                duration: raiz.preenchendo ? Mola.duracao(0.3, 1) : 200
                // qmllint disable type
                // (6.4's qmllint cannot type a C++ QEasingCurve; the assignment is valid)
                easing: raiz.preenchendo ? Mola.curva(0.3, 1) : Mola.easeInOut
                // qmllint enable type
            }
        }

        Behavior on scale {
            enabled: !MovimentoReduzido.ativo

            NumberAnimation {
                duration: raiz.preenchendo ? Mola.duracao(0.3, 1) : 200
                // qmllint disable type
                easing: raiz.preenchendo ? Mola.curva(0.3, 1) : Mola.easeInOut
                // qmllint enable type
            }
        }
    }

    Rectangle {
        visible: !modelo.existente
        Layout.fillWidth: true
        Layout.topMargin: 2
        Layout.bottomMargin: 2
        implicitHeight: 1
        color: Paleta.borda
    }

    CampoNoMac {
        id: campoServico

        objectName: "campoServico"
        rotulo: "Serviço"
        dica: "GitHub, Google, banco…"
        texto: modelo.emissor
        onTextoChanged: modelo.emissor = texto
    }

    CampoNoMac {
        objectName: "campoConta"
        rotulo: "Conta"
        dica: "seu e-mail ou usuário"
        texto: modelo.conta
        onTextoChanged: modelo.conta = texto
    }

    ColumnLayout {
        Layout.fillWidth: true
        spacing: 4

        CampoNoMac {
            objectName: "campoSite"
            rotulo: "Site"
            dica: "onde você usa o código, ex.: exemplo.com.br"
            texto: modelo.site
            onTextoChanged: modelo.site = texto
        }

        Text {
            Layout.fillWidth: true
            text: modelo.explicacaoDoSite
            textFormat: Text.PlainText
            font: Tipo.caption
            color: Paleta.textoApagado
            wrapMode: Text.Wrap
        }
    }

    CampoNoMac {
        objectName: "campoSegredo"
        rotulo: "Chave secreta"
        dica: "As letras que o site mostra junto do QR Code"
        seguro: modelo.existente
        secreto: true
        texto: modelo.segredo
        onTextoChanged: modelo.segredo = texto
    }

    ColumnLayout {
        Layout.fillWidth: true
        spacing: 10

        AbstractButton {
            id: opcoesAvancadas

            objectName: "opcoesAvancadas"
            Layout.fillWidth: true
            focusPolicy: Qt.TabFocus
            Accessible.name: "Opções avançadas"
            onClicked: raiz.avancado = !raiz.avancado

            AnelDeFoco {
                anchors.fill: undefined
                x: -3
                y: -3
                width: opcoesAvancadas.implicitContentWidth + 6
                height: opcoesAvancadas.height + 6
                mostrado: opcoesAvancadas.visualFocus
                raio: 4
            }

            contentItem: RowLayout {
                spacing: 6

                Text {
                    text: raiz.avancado ? "▾" : "▸"
                    font: Tipo.callout
                    color: Paleta.textoSecundario
                }

                Text {
                    Layout.fillWidth: true
                    text: "Opções avançadas"
                    textFormat: Text.PlainText
                    font: Tipo.fonte(Tipo.Callout, Font.Medium)
                    color: Paleta.tinta
                }
            }
        }

        ColumnLayout {
            visible: raiz.avancado
            Layout.fillWidth: true
            Layout.topMargin: 8
            spacing: 10

            SeletorNoMac {
                rotulo: "Algoritmo"
                opcoes: [{ "valor": "SHA1", "texto": "SHA1" }, { "valor": "SHA256", "texto": "SHA256" },
                    { "valor": "SHA512", "texto": "SHA512" }]
                valor: modelo.algoritmo
                onEscolhido: valor => modelo.algoritmo = valor
            }

            SeletorNoMac {
                rotulo: "Dígitos"
                opcoes: [{ "valor": 6, "texto": "6" }, { "valor": 8, "texto": "8" }]
                valor: modelo.digitos
                onEscolhido: valor => modelo.digitos = valor
            }

            SeletorNoMac {
                rotulo: "Muda a cada"
                opcoes: [{ "valor": 30, "texto": "30 segundos" }, { "valor": 60, "texto": "60 segundos" }]
                // A stored period below 1 reads as 1: no choice is marked.
                valor: modelo.periodo
                onEscolhido: valor => modelo.periodo = valor
            }
        }
    }

    AlternadorNoMac {
        objectName: "favorito"
        text: "Favorito"
        checked: modelo.favorito
        onToggled: modelo.favorito = checked
    }
}
