// The toast overlay: the toast centre's current notice at the top, centred. A new notice (a new
// id, even with the same text) is a new capsule: the old one leaves as the new one enters. The
// overlay takes no input, so clicks reach the window below.
import QtQml
import QtQuick
import Corvane.App
import Corvane.Comum

Item {
    id: camada

    required property CentralDeAvisos avisos
    property CapsulaDoAviso atual: null

    enabled: false

    function trocar() {
        const aviso = camada.avisos.atual;
        const novoId = aviso === undefined ? "" : aviso.id;
        if (camada.atual !== null && camada.atual.idDoAviso === novoId)
            return;
        if (camada.atual !== null) {
            camada.atual.trocada = aviso !== undefined;
            camada.atual.saindo = true;
            camada.atual = null;
        }
        if (aviso === undefined)
            return;
        camada.atual = modelo.createObject(camada, {
            idDoAviso: aviso.id,
            texto: aviso.texto,
            simbolo: aviso.simbolo
        });
    }

    Component.onCompleted: trocar()

    Connections {
        target: camada.avisos
        function onAtualMudou() {
            camada.trocar();
        }
    }

    Component {
        id: modelo

        CapsulaDoAviso {
            objectName: "capsulaDoAviso"
            anchors.horizontalCenter: parent.horizontalCenter
        }
    }
}
