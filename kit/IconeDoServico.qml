// The square tile of the service an item belongs to: the catalogue service's mark on its brand
// colour, or the name's first letter on one of eight soft colour pairs. Decoration only.
import QtQuick
import Corvane.App

Item {
    id: icone

    property string nome
    property var dicas: []
    // The id of a service the user picked; empty when none.
    property string escolhido
    property real tamanho: 32

    implicitWidth: tamanho
    implicitHeight: tamanho
    Accessible.ignored: true

    AparenciaDoServico {
        id: aparencia

        objectName: "aparencia"
        nome: icone.nome
        dicas: icone.dicas
        escolhido: icone.escolhido
    }

    Rectangle {
        objectName: "fundoDoIcone"
        anchors.centerIn: parent
        width: icone.tamanho
        height: icone.tamanho
        radius: icone.tamanho * 0.27
        color: aparencia.corDeFundo
        border.width: aparencia.contorno ? 0.75 : 0
        border.color: Paleta.borda
    }

    // A service's mark fills the tile less its 22 % padding; a monogram is a letter at 44 %.
    Text {
        objectName: "textoDoIcone"
        anchors.centerIn: parent
        text: aparencia.texto
        textFormat: Text.PlainText
        color: aparencia.corDoTexto
        font.family: Tipo.familia
        font.pixelSize: aparencia.encontrado ? icone.tamanho * 0.56 * 0.82 : icone.tamanho * 0.44
        font.weight: aparencia.encontrado ? Font.Bold : Font.DemiBold
    }
}
