// The edit sheet's content: picks the editor for the kind of item in the state's `edicao` and
// builds a fresh one for each edit. Closing (Cancelar, Escape, a finished save or delete) clears
// `edicao` through the state.
import QtQuick
import Corvane.Comum
import Corvane.Editores

Item {
    id: editor

    required property EstadoDoApp estado
    readonly property var edicao: estado.edicao

    function montar() {
        const arquivos = {
            "codigo": "EditorDeCodigoNoMac.qml",
            "senha": "EditorDeSenhaNoMac.qml",
            "nota": "EditorDeNotaNoMac.qml"
        };
        const arquivo = edicao ? arquivos[edicao.tipo] : undefined;
        if (!arquivo) {
            carregador.source = "";
            return;
        }
        carregador.setSource(arquivo, {
            "estado": estado,
            "item": edicao.item !== undefined ? edicao.item : ""
        });
    }

    implicitWidth: 460
    implicitHeight: carregador.implicitHeight
    onEdicaoChanged: montar()
    Component.onCompleted: montar()

    Loader {
        id: carregador

        objectName: "carregadorDoEditor"
        anchors.fill: parent
        focus: true
    }
}
