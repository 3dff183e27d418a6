// The dark capsule button: a white semibold label (with an optional symbol before it) on ink,
// 38 points high; pressing darkens it to 82 % and shrinks it to 97 % on a springy curve.
import QtQuick
import QtQuick.Controls.Basic
import Corvane.App
import Corvane.Cofre

Button {
    id: botao

    property string simbolo

    implicitHeight: 38
    implicitWidth: rotulo.implicitWidth + 36
    leftPadding: 18
    rightPadding: 18
    topPadding: 0
    bottomPadding: 0
    scale: botao.down ? 0.97 : 1
    opacity: botao.enabled ? 1 : 0.45
    font.family: Tipo.familia
    font.pointSize: 13.5 * 0.75 // 13.5 px at the layout's 96 dpi
    font.weight: Font.DemiBold

    // Tab gives it the focus, a click does not (the focus stays where the user typed).
    focusPolicy: Qt.TabFocus
    Accessible.name: botao.text
    Keys.onReturnPressed: botao.clicked()
    Keys.onEnterPressed: botao.clicked()

    Behavior on scale {
        NumberAnimation {
            duration: Mola.duracao(0.25, 0.7)
            // qmllint disable type
            // (6.4's qmllint cannot type a C++ QEasingCurve; the assignment is valid)
            easing: Mola.curva(0.25, 0.7)
            // qmllint enable type
        }
    }

    // qmllint disable deferred-property-id
    // (ids inside the content are used only within it; building it at once is intended)
    contentItem: Item {
        implicitWidth: rotulo.implicitWidth
        implicitHeight: rotulo.implicitHeight

        Row {
            id: rotulo

            anchors.centerIn: parent
            spacing: 6

            Simbolo {
                anchors.verticalCenter: parent.verticalCenter
                width: 12
                height: 12
                nome: botao.simbolo
                cor: "white"
                visible: botao.simbolo !== ""
            }
            Text {
                objectName: "textoDoBotao"
                anchors.verticalCenter: parent.verticalCenter
                text: botao.text
                textFormat: Text.PlainText
                font: botao.font
                color: "white"
            }
        }
    }
    // qmllint enable deferred-property-id

    background: Rectangle {
        objectName: "fundoDoBotao"
        radius: height / 2
        color: Qt.rgba(Paleta.tinta.r, Paleta.tinta.g, Paleta.tinta.b, botao.down ? 0.82 : 1)

        Behavior on color {
            ColorAnimation {
                duration: Mola.duracao(0.25, 0.7)
            }
        }
    }

    AnelDeFoco {
        mostrado: botao.visualFocus
        raio: 19
    }
}
