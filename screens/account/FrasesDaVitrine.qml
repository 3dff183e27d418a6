pragma ComponentBehavior: Bound
// The box of four selling phrases: the phrase on display rises in from below as the previous
// one leaves through the top, cut at the 22-point line, over a row of four capsules whose
// current one is long and blue.
import QtQuick
import QtQuick.Layouts
import Corvane.App
import Corvane.Conta

Item {
    id: frases

    property int indice: 0

    implicitHeight: coluna.implicitHeight + 28

    // The text swap and the capsules move together, eased in and out over 0.45 s.
    component Suave: NumberAnimation {
        duration: 450
        // qmllint disable type
        // (6.4's qmllint cannot type a C++ QEasingCurve; the assignment is valid)
        easing: Mola.easeInOut
        // qmllint enable type
    }

    Rectangle {
        anchors.fill: parent
        radius: 18
        color: Qt.rgba(Paleta.superficie.r, Paleta.superficie.g, Paleta.superficie.b, 0.9)
        border.width: 1
        border.color: Paleta.borda
    }

    ColumnLayout {
        id: coluna

        x: 18
        y: 14
        width: parent.width - 36
        spacing: 10

        Item {
            id: area

            objectName: "areaDaFrase"
            Layout.fillWidth: true
            Layout.preferredHeight: 22
            clip: true

            Repeater {
                model: RegrasDaVitrine.frases

                Text {
                    id: texto

                    required property int index
                    required property string modelData
                    readonly property bool atual: index === frases.indice

                    objectName: "frase" + index
                    width: area.width
                    height: area.height
                    verticalAlignment: Text.AlignVCenter
                    text: modelData
                    textFormat: Text.PlainText
                    Accessible.ignored: true
                    elide: Text.ElideRight
                    font: Tipo.fonte(Tipo.Body, Font.DemiBold)
                    color: Paleta.texto
                    visible: opacity > 0
                    opacity: atual ? 1 : 0
                    // The current phrase sits in the line, the one it replaced (always the one
                    // before it) above, the others below, waiting to come in.
                    y: atual ? 0 : (index === (frases.indice + 3) % 4 ? -area.height : area.height)

                    Behavior on y {
                        Suave {}
                    }
                    Behavior on opacity {
                        Suave {}
                    }
                }
            }
        }

        Row {
            objectName: "indicadorDasFrases"
            spacing: 6

            Repeater {
                model: RegrasDaVitrine.frases.length

                Rectangle {
                    required property int index

                    objectName: "capsula" + index
                    width: index === frases.indice ? 26 : 8
                    height: 4
                    radius: 2
                    color: index === frases.indice ? Paleta.azul : Qt.rgba(211 / 255, 216 / 255, 225 / 255, 1)

                    Behavior on width {
                        Suave {}
                    }
                    Behavior on color {
                        ColorAnimation {
                            duration: 450
                            // qmllint disable type
                            // (6.4's qmllint cannot type a C++ QEasingCurve; the assignment is valid)
                            easing: Mola.easeInOut
                            // qmllint enable type
                        }
                    }
                }
            }
        }
    }
}
