// The edit sheet every editor draws into: the title, the scrolling form (at most 460 points
// high), the error line and the row "Apagar" / "Cancelar" / "Salvar". Escape cancels; Return
// saves while saving is possible. "Apagar" asks first. While saving, neither Escape nor
// "Cancelar" closes the sheet: the outcome shows when the save ends. When the sheet gets less
// height than it asks for (a small window, a long error), only the form gives way and scrolls:
// the title, the error and the buttons always show whole.
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Corvane.App
import Corvane.Editores
import Corvane.Conta

FocusScope {
    id: folha

    required property string titulo
    required property bool podeSalvar
    required property bool salvando
    // Empty when there is no error.
    required property string erro
    // The delete button exists only for an existing item; the question names this title.
    property bool podeApagar: false
    property string tituloParaApagar
    default property alias conteudo: formulario.data

    signal apagar
    signal salvar
    // The sheet is up: the editor puts the keyboard in its first field.
    signal focoInicial
    // "Cancelar" or Escape, never while saving.
    signal fechar

    implicitWidth: 460
    implicitHeight: coluna.implicitHeight + 48
    focus: true

    Component.onCompleted: focoAdiado.start()

    Keys.onEscapePressed: {
        if (!folha.salvando)
            folha.fechar();
    }
    Keys.onReturnPressed: botaoSalvar.acionar()
    Keys.onEnterPressed: botaoSalvar.acionar()

    // Once the sheet that holds the editor has taken the focus.
    Timer {
        id: focoAdiado

        interval: 0
        onTriggered: folha.focoInicial()
    }

    Rectangle {
        anchors.fill: parent
        color: Paleta.superficie
    }

    ColumnLayout {
        id: coluna

        anchors.fill: parent
        anchors.margins: 24
        spacing: 0

        Text {
            objectName: "tituloDaFolha"
            Layout.fillWidth: true
            Layout.bottomMargin: 18
            Layout.minimumHeight: implicitHeight
            text: folha.titulo
            textFormat: Text.PlainText
            font: Tipo.fonte(Tipo.Title3, Font.DemiBold)
            color: Paleta.tinta
        }

        ScrollView {
            id: rolagem

            objectName: "rolagemDoFormulario"
            Layout.fillWidth: true
            Layout.preferredHeight: Math.min(formulario.implicitHeight, 460)
            Layout.fillHeight: true
            Layout.minimumHeight: 0
            contentWidth: availableWidth
            clip: true

            ColumnLayout {
                id: formulario

                width: rolagem.availableWidth
                spacing: 14
            }
        }

        MensagemDeErroNoMac {
            objectName: "erroDaFolha"
            visible: folha.erro !== ""
            texto: folha.erro
            Layout.topMargin: 10
            Layout.minimumHeight: implicitHeight
        }

        RowLayout {
            id: botoes

            objectName: "botoesDaFolha"
            Layout.fillWidth: true
            Layout.topMargin: 18
            Layout.minimumHeight: implicitHeight

            BotaoNoMac {
                objectName: "botaoApagar"
                visible: folha.podeApagar
                text: "Apagar"
                estilo: "semBorda"
                corDoTexto: Paleta.vermelho
                onClicked: confirmacao.perguntar(folha.tituloParaApagar)
            }

            Item {
                Layout.fillWidth: true
            }

            BotaoNoMac {
                objectName: "botaoCancelar"
                text: "Cancelar"
                enabled: !folha.salvando
                onClicked: folha.fechar()
            }

            BotaoNoMac {
                id: botaoSalvar

                function acionar() {
                    if (enabled)
                        folha.salvar();
                }

                objectName: "botaoSalvar"
                text: folha.salvando ? "Salvando…" : "Salvar"
                estilo: "destacado"
                enabled: !folha.salvando && folha.podeSalvar
                onClicked: folha.salvar()
            }
        }
    }

    ConfirmarApagarNoMac {
        id: confirmacao

        onConfirmado: folha.apagar()
        onClosed: folha.forceActiveFocus()
    }
}
