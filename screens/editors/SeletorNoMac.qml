// One picker row of the advanced options: the label, then the choices as a segmented control.
// `valor` matching none of the choices selects none. Each choice is a button that Tab reaches
// and Space or Return choose.
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Corvane.App
import Corvane.Editores

RowLayout {
    id: seletor

    required property string rotulo
    // [{ "valor": …, "texto": … }, …]
    required property var opcoes
    required property var valor

    signal escolhido(var valor)

    Layout.fillWidth: true
    spacing: 8

    Text {
        Layout.fillWidth: true
        text: seletor.rotulo
        textFormat: Text.PlainText
        font: Tipo.body
        color: Paleta.tinta
    }

    Rectangle {
        implicitWidth: linha.implicitWidth + 4
        implicitHeight: 28
        radius: 8
        color: Paleta.fundo
        border.width: 1
        border.color: Paleta.borda

        Row {
            id: linha

            anchors.centerIn: parent
            spacing: 2

            Repeater {
                model: seletor.opcoes

                delegate: AbstractButton {
                    id: opcao

                    required property var modelData
                    // 6.4's qmllint takes the file's own ids inside a delegate for unqualified names.
                    // qmllint disable unqualified
                    readonly property bool marcada: modelData.valor === seletor.valor

                    objectName: "opcao-" + seletor.rotulo + "-" + modelData.texto
                    // qmllint enable unqualified
                    width: opcao.implicitContentWidth + 20
                    height: 24
                    padding: 0
                    text: opcao.modelData.texto
                    checkable: false
                    checked: opcao.marcada
                    focusPolicy: Qt.TabFocus
                    Accessible.role: Accessible.RadioButton
                    Accessible.name: seletor.rotulo + ": " + opcao.text // qmllint disable unqualified
                    Keys.onReturnPressed: opcao.clicked()
                    Keys.onEnterPressed: opcao.clicked()
                    onClicked: seletor.escolhido(opcao.modelData.valor) // qmllint disable unqualified

                    background: Rectangle {
                        radius: 6
                        color: opcao.marcada ? Paleta.superficie : "transparent"
                        border.width: opcao.marcada ? 1 : 0
                        border.color: Paleta.borda
                    }
                    contentItem: Text {
                        text: opcao.text
                        textFormat: Text.PlainText
                        horizontalAlignment: Text.AlignHCenter
                        verticalAlignment: Text.AlignVCenter
                        font: Tipo.fonte(Tipo.Callout, opcao.marcada ? Font.DemiBold : Font.Normal)
                        color: Paleta.tinta
                    }

                    AnelDeFoco {
                        mostrado: opcao.visualFocus
                        raio: 6
                    }
                }
            }
        }
    }
}
