// The countdown ring of a one-time code: the arc of the period left with the seconds written
// inside, amber in the last seconds.
import QtQuick
import Corvane.App
import Corvane.Cofre

Item {
    id: anel

    property int periodo: 30
    property date agora: Relogio.agora
    property real tamanho: 22
    // Milliseconds between the arc's changes within each second (see ArcoDoTempo).
    property int passo: 200
    readonly property int restantes: RegrasDoCofre.restantes(anel.periodo, anel.agora)
    readonly property bool acabando: RegrasDoCofre.acabando(anel.periodo, anel.agora)

    implicitWidth: tamanho
    implicitHeight: tamanho
    Accessible.ignored: true

    ArcoDoTempo {
        objectName: "arco"
        anchors.fill: parent
        espessura: 2
        passo: anel.passo
        fracao: RegrasDoCofre.fracao(anel.periodo, anel.agora)
        acabando: anel.acabando
    }

    Text {
        objectName: "segundosDoAnel"
        anchors.centerIn: parent
        text: anel.restantes
        textFormat: Text.PlainText
        font.family: Tipo.familia
        font.pixelSize: anel.tamanho * 0.38
        font.weight: Font.DemiBold
        color: anel.acabando ? Paleta.ambar : Paleta.textoSecundario
    }
}
