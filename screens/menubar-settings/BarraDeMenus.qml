// The tray panel, 340 points wide: the brand and the lock, the face for the phase (locked with
// its unlock button, signed out with a way in, open with the codes), the update row while a
// newer version is known, and the footer. Toasts show over its top.
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Corvane.App
import Corvane.Comum
import Corvane.Conta
import Corvane.Cofre
import Corvane.Barra

Rectangle {
    id: barra

    required property EstadoDoApp estado
    required property VerificadorDeAtualizacao atualizacao
    property string busca
    readonly property string face: RegrasDaBarra.face(barra.estado.nomeDaFase)
    readonly property string textoDoDownload: RegrasDaBarra.textoDoDownload(barra.atualizacao.disponivel)

    // What the panel asks of the application: the main window in front, the settings, quitting.
    signal abrirJanelaPedida()
    signal ajustesPedidos()
    signal sairPedido()

    width: 340
    implicitWidth: 340
    implicitHeight: coluna.implicitHeight
    color: "white"

    AcoesDoCofre {
        id: acoes

        estado: barra.estado
    }

    Desbloqueio {
        id: desbloqueio

        estado: barra.estado
    }

    ColumnLayout {
        id: coluna

        width: barra.width
        spacing: 0

        RowLayout {
            Layout.fillWidth: true
            Layout.leftMargin: 14
            Layout.rightMargin: 14
            Layout.topMargin: 12
            Layout.bottomMargin: 12
            spacing: 8

            IconeDaMarca {
                tamanho: 22
                estilo: EstiloDaMarca.Azul
                Layout.preferredWidth: 22
                Layout.preferredHeight: 22
            }
            Text {
                text: "Corvane"
                font: Tipo.headline
                color: Paleta.texto
            }
            Item {
                Layout.fillWidth: true
            }
            ToolButton {
                id: cadeado

                focusPolicy: Qt.TabFocus
                objectName: "bloquearNaBarra"
                visible: barra.face === "aberto"
                enabled: acoes.podeBloquear
                flat: true
                padding: 2
                ToolTip.text: "Bloquear"
                ToolTip.visible: cadeado.hovered
                ToolTip.delay: 800
                onClicked: acoes.bloquear()
                contentItem: Simbolo {
                    implicitWidth: 15
                    implicitHeight: 15
                    nome: "lock"
                    cor: Paleta.textoSecundario
                    opacity: cadeado.enabled ? 1 : 0.4
                }
                background: null

                AnelDeFoco {
                    mostrado: cadeado.visualFocus
                    raio: 6
                }
            }
        }

        Divisoria {}

        ColumnLayout {
            objectName: "faceBloqueada"
            visible: barra.face === "bloqueado"
            Layout.fillWidth: true
            Layout.margins: 20
            spacing: 12

            Text {
                Layout.alignment: Qt.AlignHCenter
                text: "Bloqueado"
                font: Tipo.headline
                color: Paleta.texto
            }
            BotaoPrincipalNoMac {
                objectName: "desbloquearNaBarra"
                text: desbloqueio.textoDoBotao
                simbolo: desbloqueio.simboloDoBotao
                onClicked: desbloqueio.desbloquear()
            }
        }

        ColumnLayout {
            objectName: "faceSemConta"
            visible: barra.face === "semConta"
            Layout.fillWidth: true
            Layout.margins: 20
            spacing: 10

            Text {
                Layout.fillWidth: true
                text: "Entre na sua conta para ver seus códigos aqui."
                font: Tipo.callout
                color: Paleta.textoSecundario
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.WordWrap
            }
            BotaoPrincipalNoMac {
                objectName: "entrarNaBarra"
                text: "Entrar"
                onClicked: barra.abrirJanelaPedida()
            }
        }

        Loader {
            objectName: "faceAberta"
            active: barra.face === "aberto" && barra.estado.cofre !== null
            visible: active
            Layout.fillWidth: true
            // qmllint disable unqualified
            // (6.4's qmllint takes the document's ids for unqualified names inside an inline
            // component; they resolve in the document's context as intended)
            sourceComponent: CodigosDaBarra {
                width: barra.width
                cofre: barra.estado.cofre
                avisos: barra.estado.avisos
                busca: barra.busca
                onBuscaEditada: texto => barra.busca = texto
            }
            // qmllint enable unqualified
        }

        Divisoria {
            visible: barra.textoDoDownload !== ""
        }
        AbstractButton {
            id: download

            focusPolicy: Qt.TabFocus
            objectName: "baixarNaBarra"
            visible: barra.textoDoDownload !== ""
            Layout.fillWidth: true
            leftPadding: 14
            rightPadding: 14
            topPadding: 8
            bottomPadding: 8
            onClicked: barra.atualizacao.abrirDownload()
            contentItem: Row {
                spacing: 6

                Simbolo {
                    anchors.verticalCenter: parent.verticalCenter
                    width: 14
                    height: 14
                    nome: "arrow.down.circle"
                    cor: Paleta.azul
                }
                Text {
                    objectName: "textoDoDownloadNaBarra"
                    anchors.verticalCenter: parent.verticalCenter
                    text: barra.textoDoDownload
                    font: Tipo.body
                    color: Paleta.azul
                }
            }

            AnelDeFoco {
                mostrado: download.visualFocus
                raio: 0
            }
        }

        Divisoria {}

        RowLayout {
            Layout.fillWidth: true
            Layout.leftMargin: 14
            Layout.rightMargin: 14
            Layout.topMargin: 10
            Layout.bottomMargin: 10

            BotaoNoMac {
                objectName: "abrirNaBarra"
                estilo: "semBorda"
                corDoTexto: Paleta.azul
                font: Tipo.callout
                text: "Abrir o Corvane"
                onClicked: barra.abrirJanelaPedida()
            }
            Item {
                Layout.fillWidth: true
            }
            BotaoNoMac {
                objectName: "ajustesNaBarra"
                estilo: "semBorda"
                corDoTexto: Paleta.azul
                font: Tipo.callout
                text: "Ajustes"
                onClicked: barra.ajustesPedidos()
            }
            BotaoNoMac {
                objectName: "sairNaBarra"
                estilo: "semBorda"
                font: Tipo.callout
                text: "Sair"
                onClicked: barra.sairPedido()
            }
        }
    }

    AvisosNoMac {
        objectName: "avisosNaBarra"
        anchors.fill: parent
        z: 10
        avisos: barra.estado.avisos
    }
}
