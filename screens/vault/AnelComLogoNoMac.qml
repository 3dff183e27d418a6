// The round badge of a code card: the service's logo in a circle, ringed by the countdown arc of
// the period (amber in the last seconds, snapping back to full at a new period).
import QtQuick
import QtQuick.Shapes
import Corvane.App
import Corvane.Cofre

Item {
    id: anel

    property string nome
    property var dicas: []
    property string escolhido
    property int periodo: 30
    property date agora: Relogio.agora
    property real tamanho: 50
    // What the badge sits on; it rounds the logo's tile into a circle.
    property color fundo: Paleta.superficie
    // The countdown, given by a list that computes it already, or read here from the clock.
    property real fracao: RegrasDoCofre.fracao(anel.periodo, anel.agora)
    property bool acabando: RegrasDoCofre.acabando(anel.periodo, anel.agora)
    readonly property real ladoDoLogo: tamanho - 14

    implicitWidth: tamanho
    implicitHeight: tamanho
    Accessible.ignored: true

    IconeDoServico {
        objectName: "logoDoAnel"
        anchors.centerIn: parent
        nome: anel.nome
        dicas: anel.dicas
        escolhido: anel.escolhido
        tamanho: anel.ladoDoLogo
    }

    // The tile's corners outside the logo's circle are covered in the background colour, which
    // clips the logo to a circle without a shader.
    Shape {
        anchors.fill: parent

        ShapePath {
            readonly property real largura: (anel.tamanho - 4.4) / 2 - anel.ladoDoLogo / 2

            strokeWidth: largura
            strokeColor: anel.fundo
            fillColor: "transparent"

            PathAngleArc {
                centerX: anel.tamanho / 2
                centerY: anel.tamanho / 2
                radiusX: anel.ladoDoLogo / 2 + (anel.tamanho - 4.4 - anel.ladoDoLogo) / 4
                radiusY: radiusX
                startAngle: 0
                sweepAngle: 360
            }
        }
    }

    ArcoDoTempo {
        objectName: "arco"
        anchors.fill: parent
        espessura: 2.2
        fracao: anel.fracao
        acabando: anel.acabando
    }
}
