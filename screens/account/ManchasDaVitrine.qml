// Two large soft blobs drifting behind the showcase, on the slow layers' 20 steps a second. They
// are drawn by the background (FundoDaVitrine), which keeps them within the panel's rounded shape:
// this layer only says where they are, and exists only while motion is allowed.
import QtQuick
import Corvane.App
import Corvane.Conta

Item {
    id: manchas

    property bool ativa: false
    readonly property list<ManchaDoFundo> lista: [mancha1, mancha2]

    Accessible.ignored: true

    TempoDaVitrine {
        id: tempo

        objectName: "tempoDasManchas"
        rodando: manchas.ativa
    }

    // Blob 1: a 320-point disc in the accent blue at 16 %; blob 2, in front: 280 points of
    // (143, 176, 255) at 28 %; both blurred by 70.
    ManchaDoFundo {
        id: mancha1

        objectName: "mancha1"
        cor: Paleta.azul
        alfa: 0.16
        raio: 160
        desfoque: 35
        centro: {
            const d = RegrasDaVitrine.deslocamentoDaMancha1(tempo.t);
            return Qt.point(manchas.width / 2 + d.x, manchas.height / 2 + d.y);
        }
    }
    ManchaDoFundo {
        id: mancha2

        objectName: "mancha2"
        cor: Qt.rgba(143 / 255, 176 / 255, 255 / 255, 1)
        alfa: 0.28
        raio: 140
        desfoque: 35
        centro: {
            const d = RegrasDaVitrine.deslocamentoDaMancha2(tempo.t);
            return Qt.point(manchas.width / 2 + d.x, manchas.height / 2 + d.y);
        }
    }
}
