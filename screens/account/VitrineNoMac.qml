// The decorative right-hand column of the signed-out window: sample code cards circled by
// service tiles, the cipher line and the rotating phrases, on a soft blue panel with drifting
// blobs and faint dots. It fills the area it is given. `ativa` (set by the window: on screen,
// wide enough, not covered, signed out) starts every loop and frame callback; false stops them
// all, and a new start goes on from the same cards and phrase. Only a freshly inserted column
// begins from the first order and phrase.
import QtQuick
import QtQuick.Layouts
import Corvane.App
import Corvane.Conta

Item {
    id: vitrine

    property bool ativa: false
    // The reduce-motion setting the layers follow at once; the loops read it when they start.
    readonly property bool reduzir: MovimentoReduzido.ativo
    readonly property var ordem: RegrasDaVitrine.ordemDepoisDe(lacoDaPilha.passos)
    readonly property int frase: RegrasDaVitrine.fraseDepoisDe(lacoDaFrase.passos)

    Accessible.ignored: true

    LacoDaVitrine {
        id: lacoDaPilha

        objectName: "lacoDaPilha"
        intervalo: 4600
        respeitaMovimentoReduzido: true
        rodando: vitrine.ativa
    }

    LacoDaVitrine {
        id: lacoDaFrase

        objectName: "lacoDaFrase"
        intervalo: 3600
        respeitaMovimentoReduzido: true
        rodando: vitrine.ativa
    }

    // The panel, its dots and the blobs over them, composed as one picture that is drawn afresh
    // only where a blob moved; opaque between the rounded corners, so nothing under it is drawn.
    FundoDaVitrine {
        objectName: "fundoDaVitrine"
        anchors.fill: parent
        Accessible.ignored: true
        cor: Qt.rgba(238 / 255, 242 / 255, 251 / 255, 1)
        raioDoRecorte: 28
        // qmllint disable type
        // (the Loader's item is typed QObject; 6.4 cannot cast it to the layer's type)
        manchas: camadaDasManchas.item ? camadaDasManchas.item.lista : []
        // qmllint enable type
    }

    // Where the blobs are. Under reduced motion the layer is left out altogether.
    Loader {
        id: camadaDasManchas

        objectName: "camadaDasManchas"
        anchors.fill: parent
        active: !vitrine.reduzir
        // qmllint disable unqualified
        // (the layer's component reads the showcase's ids, which is valid; 6.4's qmllint only
        // accepts that under the bound-component pragma, and its engine cannot load a bound
        // component through a Loader)
        sourceComponent: ManchasDaVitrine {
            ativa: vitrine.ativa
        }
        // qmllint enable unqualified
    }

    // The content is centred in the panel, on a whole point, 28 points in from its sides.
    ColumnLayout {
        id: coluna

        x: 28
        y: Math.round((parent.height - height) / 2)
        width: parent.width - 56
        spacing: 0

        RowLayout {
            objectName: "cabecalhoDaVitrine"
            Layout.fillWidth: true
            spacing: 8

            PontoPulsante {
                ativa: vitrine.ativa
            }
            Text {
                text: "Seus códigos, ao vivo"
                textFormat: Text.PlainText
                Accessible.ignored: true
                font: Tipo.fonte(Tipo.Callout, Font.Medium)
                color: Paleta.textoSecundario
            }
            Item {
                Layout.fillWidth: true
            }
        }

        Item {
            id: palco

            objectName: "palcoDaVitrine"
            Layout.fillWidth: true
            Layout.preferredHeight: 300

            OrbitaDaVitrine {
                anchors.fill: parent
                parada: vitrine.reduzir
                ativa: vitrine.ativa
            }
            PilhaDaVitrine {
                anchors.fill: parent
                ordem: vitrine.ordem
                ativa: vitrine.ativa
            }
        }

        LinhaDaCifraNoMac {
            Layout.fillWidth: true
            Layout.maximumWidth: 380
            Layout.alignment: Qt.AlignHCenter
            Layout.bottomMargin: 18
            original: RegrasDaVitrine.senhaDeExemplo
            cifrado: RegrasDaVitrine.envelopeDeExemplo
            ativa: vitrine.ativa
        }

        FrasesDaVitrine {
            Layout.fillWidth: true
            indice: vitrine.frase
        }
    }
}
