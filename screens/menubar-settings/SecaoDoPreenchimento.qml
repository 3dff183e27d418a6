// The AutoFill section of the settings window: whether AutoFill is on, with its symbol, the
// button to the switch, and how to use it.
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Corvane.App
import Corvane.Cofre

Item {
    id: secao

    required property SituacaoDoPreenchimento situacao

    implicitWidth: 480
    implicitHeight: coluna.implicitHeight

    Column {
    id: coluna

    width: secao.width
    spacing: 6

    Text {
        objectName: "tituloDaSecao"
        leftPadding: 10
        text: secao.situacao.tituloDaSecao
        font: Tipo.fonte(Tipo.Subheadline, Font.DemiBold)
        color: Paleta.textoSecundario
    }
    Rectangle {
        width: secao.width
        height: corpo.implicitHeight + 24
        radius: 10
        color: Paleta.superficie
        border.width: 1
        border.color: Paleta.borda

        Column {
            id: corpo

            x: 12
            y: 12
            width: parent.width - 24
            spacing: 10

            RowLayout {
                width: parent.width

                Simbolo {
                    objectName: "simboloDaSecao"
                    nome: secao.situacao.simboloDaSecao
                    cor: secao.situacao.simboloDaSecaoEmAzul ? Paleta.azul : Paleta.textoApagado
                    Layout.preferredWidth: 15
                    Layout.preferredHeight: 15
                }
                Text {
                    objectName: "textoDaSecao"
                    text: secao.situacao.textoDaSecao
                    font: Tipo.body
                    color: Paleta.texto
                }
                Item {
                    Layout.fillWidth: true
                }
                BotaoNoMac {
                    id: botaoDaSecao

                    objectName: "botaoDaSecao"
                    text: secao.situacao.botaoDaSecao
                    onClicked: secao.situacao.abrirAjustes()

                    // While AutoFill is on, the button offers switching it off.
                    Menu {
                        id: menuDaSecao

                        objectName: "menuDaSecao"
                        x: botaoDaSecao.width - width
                        y: botaoDaSecao.height + 4
                        padding: 4

                        background: Rectangle {
                            implicitWidth: 220
                            radius: 8
                            color: Paleta.superficie
                            border.width: 1
                            border.color: Paleta.borda
                        }

                        MenuItem {
                            id: desligar

                            objectName: "desligarNesteComputador"
                            text: secao.situacao.textoDesligar
                            font: Tipo.body
                            onTriggered: secao.situacao.desligar()

                            background: Rectangle {
                                radius: 6
                                color: desligar.highlighted ? Paleta.azulClaro : "transparent"
                            }
                        }
                    }
                    Connections {
                        target: secao.situacao
                        function onDesligarOferecido() { menuDaSecao.open() }
                    }
                }
            }
            Text {
                objectName: "legendaDaSecao"
                width: parent.width
                text: secao.situacao.legendaDaSecao
                font: Tipo.caption
                color: Paleta.textoApagado
                wrapMode: Text.WordWrap
            }
        }
    }
}
}
