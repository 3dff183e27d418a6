// The sidebar's sync status line: an ended session (with "Entrar de novo"), no connection, a
// failed sync (with "Tentar de novo"), or else the idle line, a button over its whole width that
// syncs now, telling how recent the copy is. The state and texts come from SituacaoDaSincronia.
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Corvane.App
import Corvane.Comum
import Corvane.Conta
import Corvane.Cofre

Item {
    id: situacao

    required property EstadoDoApp estado
    readonly property string estadoDaLinha: modelo.estadoDaLinha
    // The state shown before the last change, to tell whether that change moves.
    property string linhaAnterior: modelo.estadoDaLinha

    // Every action that leads to signing in again only asks for the sheet.
    signal entrarDeNovo()

    implicitHeight: coluna.implicitHeight + 24

    onEstadoDaLinhaChanged: {
        if (!MovimentoReduzido.ativo && RegrasDaSincronia.trocaAnimada(situacao.linhaAnterior, situacao.estadoDaLinha))
            entrada.restart();
        situacao.linhaAnterior = situacao.estadoDaLinha;
    }

    SituacaoDaSincronia {
        id: modelo

        estado: situacao.estado
    }

    // The new state's rows fade in on a spring of 0.25 s.
    NumberAnimation {
        id: entrada

        target: coluna
        property: "opacity"
        from: 0
        to: 1
        duration: Mola.duracao(0.25, 1)
        // qmllint disable type
        easing: Mola.curva(0.25, 1)
        // qmllint enable type
    }

    ColumnLayout {
        id: coluna

        objectName: "colunaDaSituacao"
        // The rows take no click until their fade-in shows them.
        Presenca.saindo: false
        x: 12
        y: 12
        width: parent.width - 24
        spacing: 8

        LinhaDeSituacaoNoMac {
            objectName: "linhaDaSessaoEncerrada"
            Layout.fillWidth: true
            visible: modelo.estadoDaLinha === "sessaoEncerrada"
            simbolo: "person.crop.circle.badge.exclamationmark"
            cor: Paleta.ambar
            texto: RegrasDaSincronia.noComputador("Sessão encerrada neste Mac")
        }
        BotaoPrincipalNoMac {
            objectName: "botaoEntrarDeNovo"
            Layout.fillWidth: true
            visible: modelo.estadoDaLinha === "sessaoEncerrada"
            text: "Entrar de novo"
            onClicked: situacao.entrarDeNovo()
        }

        LinhaDeSituacaoNoMac {
            objectName: "linhaSemConexao"
            Layout.fillWidth: true
            visible: modelo.estadoDaLinha === "semConexao"
            simbolo: "wifi.slash"
            cor: Paleta.textoApagado
            texto: RegrasDaSincronia.noComputador("Sem internet. Mostrando a cópia deste Mac.")
        }

        LinhaDeSituacaoNoMac {
            objectName: "linhaDaFalha"
            Layout.fillWidth: true
            visible: modelo.estadoDaLinha === "falhou"
            simbolo: "exclamationmark.arrow.triangle.2.circlepath"
            cor: Paleta.ambar
            texto: "Não deu para sincronizar"
        }
        BotaoEmTexto {
            objectName: "botaoTentarDeNovo"
            visible: modelo.estadoDaLinha === "falhou"
            text: "Tentar de novo"
            font: Tipo.fonte(Tipo.Caption, Font.DemiBold)
            onClicked: modelo.sincronizar()
        }

        AbstractButton {
            id: linhaOciosa

            focusPolicy: Qt.TabFocus
            objectName: "linhaOciosa"
            Layout.fillWidth: true
            visible: modelo.estadoDaLinha === "ocioso"
            padding: 0
            ToolTip.visible: linhaOciosa.hovered
            ToolTip.delay: 800
            ToolTip.text: "Sincronizar agora"
            onClicked: modelo.sincronizar()

            // The whole rectangle takes the click, not only the text.
            background: Item {}
            contentItem: RowLayout {
                spacing: 6

                Item {
                    Layout.preferredWidth: 14
                    Layout.preferredHeight: 14
                    Layout.alignment: Qt.AlignVCenter

                    IndicadorDeAtividade {
                        objectName: "indicadorDaSincronia"
                        anchors.fill: parent
                        visible: modelo.sincronizando
                        ativo: modelo.sincronizando
                        cor: Paleta.textoApagado
                    }
                    Simbolo {
                        objectName: "nuvemDaSincronia"
                        anchors.fill: parent
                        visible: !modelo.sincronizando
                        nome: "checkmark.icloud"
                        cor: Paleta.textoApagado
                    }
                }
                Text {
                    objectName: "textoOcioso"
                    Layout.fillWidth: true
                    text: modelo.sincronizando ? "Sincronizando…" : modelo.textoOcioso
                    textFormat: Text.PlainText
                    elide: Text.ElideRight
                    font: Tipo.caption
                    color: Paleta.textoApagado
                }
            }

            AnelDeFoco {
                mostrado: linhaOciosa.visualFocus
                raio: 6
            }
        }
    }
}
