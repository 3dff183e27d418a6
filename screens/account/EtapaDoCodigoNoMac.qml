// The wizard's last step: the recovery code in rows of four groups, "Copiar código" (a concealed
// copy), the acknowledgement, and "Abrir meu cofre" once it is ticked. No way back from here.
// The groups are plain text that cannot be selected: a mouse selection would land in the
// primary selection, outside the concealed clipboard and its wipe.
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import QtQuick.Shapes
import Corvane.App
import Corvane.Conta

PassoDaCriacao {
    id: etapa

    required property CriacaoDeConta modelo

    TituloDaConta {
        titulo: "Guarde seu código de recuperação"
        texto: etapa.modelo.explicacaoDoCodigo
    }

    GridLayout {
        objectName: "gradeDoCodigo"
        Layout.fillWidth: true
        columns: 4
        columnSpacing: 8
        rowSpacing: 8

        Repeater {
            model: etapa.modelo.gruposDoCodigo

            Rectangle {
                id: celula

                required property string modelData
                required property int index

                objectName: "grupo" + index
                Layout.fillWidth: true
                Layout.minimumWidth: 10
                Layout.preferredWidth: 10
                Layout.preferredHeight: 34
                radius: 8
                color: Paleta.fundo

                Text {
                    objectName: "textoDoGrupo"
                    anchors.centerIn: parent
                    text: celula.modelData
                    textFormat: Text.PlainText
                    font.family: "monospace"
                    font.pixelSize: Tipo.body.pixelSize
                    font.weight: Font.DemiBold
                    color: Paleta.texto
                }
            }
        }
    }

    BotaoSecundarioNoMac {
        objectName: "botaoCopiarCodigo"
        text: "Copiar código"
        simbolo: "doc.on.doc"
        onClicked: etapa.modelo.copiarCodigo()
    }

    CheckBox {
        id: guardei

        objectName: "caixaGuardei"
        Layout.fillWidth: true
        padding: 0
        spacing: 8
        text: "Guardei o código num lugar seguro"
        font: Tipo.body
        checked: etapa.modelo.guardei
        onToggled: etapa.modelo.guardei = checked

        indicator: Rectangle {
            x: guardei.leftPadding
            y: (guardei.height - height) / 2
            implicitWidth: 16
            implicitHeight: 16
            radius: 4
            color: guardei.checked ? Paleta.azul : Paleta.superficie
            border.width: guardei.checked ? 0 : 1
            border.color: Paleta.textoApagado

            // The tick, drawn in white on the filled box.
            Shape {
                anchors.fill: parent
                visible: guardei.checked

                ShapePath {
                    strokeColor: "white"
                    strokeWidth: 2
                    fillColor: "transparent"
                    capStyle: ShapePath.RoundCap
                    joinStyle: ShapePath.RoundJoin
                    startX: 4
                    startY: 8.5

                    PathLine { x: 7; y: 11.5 }
                    PathLine { x: 12; y: 5 }
                }
            }
        }

        contentItem: Text {
            leftPadding: guardei.indicator.width + guardei.spacing
            text: guardei.text
            textFormat: Text.PlainText
            font: guardei.font
            color: Paleta.texto
            verticalAlignment: Text.AlignVCenter
        }
    }

    BotaoPrincipalNoMac {
        objectName: "botaoAbrirCofre"
        text: "Abrir meu cofre"
        padrao: etapa.atual
        enabled: etapa.modelo.podeAbrir
        opacity: enabled ? 1 : 0.5
        onClicked: etapa.modelo.abrirCofre()
    }
}
