// The new-password form: a generated strong password (shown, hideable, regenerable), the entry's
// name and user, and "Salvar e preencher" (Return), which stores the password for the
// application to upload and fills it. A failed save keeps everything typed and shows a red line.
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Corvane.App
import Corvane.Preenchimento

Item {
    id: formulario

    required property ModeloDoPreenchimento modelo
    property bool visivel: true
    property bool falhou: false

    signal voltar()

    function salvarEPreencher() {
        if (campoDaSenha.text === "")
            return
        falhou = !modelo.salvarEPreencher(campoDoNome.texto, campoDoUsuario.texto, campoDaSenha.text)
    }

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: 18
        spacing: 16

        Text {
            Layout.fillWidth: true
            text: "A senha fica salva no seu cofre e já é preenchida no site."
            font: Tipo.callout
            color: Paleta.textoSecundario
            wrapMode: Text.WordWrap
        }

        CampoDoFormulario {
            id: campoDoNome

            objectName: "campoDoNome"
            Layout.fillWidth: true
            rotulo: "Nome"
            dica: formulario.modelo.dicaDoNome()
        }

        CampoDoFormulario {
            id: campoDoUsuario

            objectName: "campoDoUsuario"
            Layout.fillWidth: true
            rotulo: "Usuário ou e-mail"
            dica: "voce@exemplo.com"
        }

        ColumnLayout {
            Layout.fillWidth: true
            spacing: 6

            Text {
                text: "Senha"
                font: Tipo.fonte(Tipo.Caption, Font.DemiBold)
                color: Paleta.textoSecundario
            }

            Rectangle {
                Layout.fillWidth: true
                implicitHeight: 38
                radius: 10
                color: Paleta.superficie
                border.color: campoDaSenha.activeFocus ? Paleta.azul : Paleta.borda
                border.width: 1

                RowLayout {
                    anchors.fill: parent
                    anchors.leftMargin: 12
                    anchors.rightMargin: 12
                    spacing: 8

                    TextField {
                        id: campoDaSenha

                        objectName: "campoDaSenha"
                        Layout.fillWidth: true
                        text: formulario.modelo.gerarSenhaForte()
                        echoMode: formulario.visivel ? TextInput.Normal : TextInput.Password
                        // The password keeps no selection at all, so nothing of it reaches the
                        // X11/Wayland primary selection.
                        selectByMouse: false
                        persistentSelection: false
                        onSelectedTextChanged: if (selectedText !== "") deselect()
                        color: Paleta.texto
                        font.family: "monospace"
                        font.pixelSize: 13
                        background: null
                        leftPadding: 0
                        rightPadding: 0
                    }

                    AbstractButton {
                        id: mostrar

                        objectName: "botaoMostrar"
                        // Tab gives it the focus, a click does not (the password field keeps it).
                        focusPolicy: Qt.TabFocus
                        Accessible.name: formulario.visivel ? "Esconder" : "Mostrar"
                        Keys.onReturnPressed: mostrar.clicked()
                        Keys.onEnterPressed: mostrar.clicked()
                        // Focused, it takes Return before the form's Return (save) does.
                        Keys.onShortcutOverride: function (evento) {
                            evento.accepted = evento.key === Qt.Key_Return || evento.key === Qt.Key_Enter;
                        }
                        implicitWidth: 18
                        implicitHeight: 18
                        hoverEnabled: true
                        ToolTip.visible: hovered
                        ToolTip.text: formulario.visivel ? "Esconder" : "Mostrar"
                        onClicked: formulario.visivel = !formulario.visivel

                        contentItem: Simbolo {
                            nome: formulario.visivel ? "eye.slash" : "eye"
                            cor: Paleta.azul
                        }

                        AnelDeFoco {
                            mostrado: mostrar.visualFocus
                            raio: 5
                        }
                    }

                    AbstractButton {
                        id: gerarOutra

                        objectName: "botaoGerarOutra"
                        // Tab gives it the focus, a click does not (the password field keeps it).
                        focusPolicy: Qt.TabFocus
                        Accessible.name: "Gerar outra senha forte"
                        Keys.onReturnPressed: gerarOutra.clicked()
                        Keys.onEnterPressed: gerarOutra.clicked()
                        // Focused, it takes Return before the form's Return (save) does.
                        Keys.onShortcutOverride: function (evento) {
                            evento.accepted = evento.key === Qt.Key_Return || evento.key === Qt.Key_Enter;
                        }
                        implicitWidth: 18
                        implicitHeight: 18
                        hoverEnabled: true
                        ToolTip.visible: hovered
                        ToolTip.text: "Gerar outra senha forte"
                        onClicked: campoDaSenha.text = formulario.modelo.gerarSenhaForte()

                        contentItem: Simbolo {
                            nome: "arrow.triangle.2.circlepath"
                            cor: Paleta.azul
                        }

                        AnelDeFoco {
                            mostrado: gerarOutra.visualFocus
                            raio: 5
                        }
                    }
                }
            }

            Text {
                text: "Gerada pelo Corvane: forte e única para este site."
                font: Tipo.caption
                color: Paleta.textoApagado
            }
        }

        Text {
            objectName: "erroDoFormulario"
            Layout.fillWidth: true
            visible: formulario.falhou
            text: "Não deu para salvar. Abra o Corvane e tente de novo."
            font: Tipo.callout
            color: Paleta.vermelho
            wrapMode: Text.WordWrap
        }

        Item { Layout.fillHeight: true }

        RowLayout {
            Layout.fillWidth: true

            BotaoNoMac {
                objectName: "botaoVoltar"
                text: "Voltar"
                onClicked: formulario.voltar()
            }

            Item { Layout.fillWidth: true }

            BotaoNoMac {
                objectName: "botaoSalvarEPreencher"
                implicitHeight: 34
                leftPadding: 14
                rightPadding: 14
                estilo: "destacado"
                text: "Salvar e preencher"
                font: Tipo.fonte(Tipo.Callout, Font.DemiBold)
                enabled: campoDaSenha.text !== ""
                onClicked: formulario.salvarEPreencher()
            }
        }
    }

    Shortcut {
        sequences: ["Return", "Enter"]
        onActivated: formulario.salvarEPreencher()
    }
}
