// The cipher line: the padlock beside a sample bank password that flips every 2.4 seconds into
// the sealed text it becomes before leaving this computer, and back. The flip ignores the
// reduce-motion setting; it runs only while `ativa`.
import QtQuick
import QtQuick.Layouts
import Corvane.App
import Corvane.Conta

Item {
    id: linha

    property string original
    property string cifrado
    property bool ativa: false
    readonly property bool fechado: laco.passos % 2 === 1

    implicitWidth: 380
    implicitHeight: fileira.implicitHeight + 20

    LacoDaVitrine {
        id: laco

        objectName: "lacoDaCifra"
        intervalo: 2400
        rodando: linha.ativa
    }

    Rectangle {
        anchors.fill: parent
        radius: 16
        color: Paleta.superficie
        border.width: 1
        border.color: Paleta.borda
    }

    RowLayout {
        id: fileira

        x: 14
        y: 10
        width: parent.width - 28
        spacing: 12

        IconeDaMarca {
            tamanho: 34
            estilo: EstiloDaMarca.Azul
            animando: linha.ativa
            abrindoEFechando: linha.ativa
            passo: 50
        }

        // Both states are laid over each other and cross-fade, so the line keeps its height.
        Item {
            id: valor

            // 0 shows the password, 1 the sealed text.
            property real estado: linha.fechado ? 1 : 0

            Layout.fillWidth: true
            implicitHeight: Math.max(aberta.implicitHeight, fechada.implicitHeight)

            Behavior on estado {
                NumberAnimation {
                    duration: 500
                    // qmllint disable type
                    // (6.4's qmllint cannot type a C++ QEasingCurve; the assignment is valid)
                    easing: Mola.easeInOut
                    // qmllint enable type
                }
            }

            ColumnLayout {
                id: aberta

                width: valor.width
                spacing: 2
                opacity: 1 - valor.estado
                visible: opacity > 0

                Text {
                    objectName: "legendaAberta"
                    text: "Senha do banco"
                    textFormat: Text.PlainText
                    Accessible.ignored: true
                    font: Tipo.caption
                    color: Paleta.textoApagado
                }
                Text {
                    objectName: "valorAberto"
                    text: linha.original
                    textFormat: Text.PlainText
                    Accessible.ignored: true
                    font: Qt.font({ family: "monospace", pixelSize: Tipo.callout.pixelSize, weight: Font.Medium })
                    color: Paleta.texto
                }
            }
            ColumnLayout {
                id: fechada

                width: valor.width
                spacing: 2
                opacity: valor.estado
                visible: opacity > 0

                Text {
                    objectName: "legendaFechada"
                    text: RegrasDaVitrine.legendaDaCifra
                    textFormat: Text.PlainText
                    Accessible.ignored: true
                    font: Tipo.caption
                    color: Paleta.textoApagado
                }
                Text {
                    objectName: "valorFechado"
                    text: linha.cifrado
                    textFormat: Text.PlainText
                    Accessible.ignored: true
                    font: Qt.font({ family: "monospace", pixelSize: Tipo.callout.pixelSize, weight: Font.Medium })
                    color: Paleta.texto
                }
            }
        }
    }
}
