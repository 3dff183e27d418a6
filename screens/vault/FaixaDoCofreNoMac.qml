// The vault window's banner: the ended session's or the unreadable items', as `tipo` says
// ("entrarDeNovo" or "itensIlegiveis"); either one's button asks for the re-sign-in sheet.
import QtQuick
import Corvane.Cofre

Item {
    id: faixa

    property string tipo
    property int total: 0

    signal entrarDeNovo()

    implicitHeight: faixa.tipo === "itensIlegiveis" ? ilegiveis.implicitHeight : sessao.implicitHeight
    height: implicitHeight

    FaixaDeEntrarDeNovoNoMac {
        id: sessao

        objectName: "faixaDeEntrarDeNovo"
        width: parent.width
        visible: faixa.tipo === "entrarDeNovo"
        onEntrarDeNovo: faixa.entrarDeNovo()
    }
    FaixaDeItensIlegiveisNoMac {
        id: ilegiveis

        objectName: "faixaDeItensIlegiveis"
        width: parent.width
        visible: faixa.tipo === "itensIlegiveis"
        total: faixa.total
        onEntrarDeNovo: faixa.entrarDeNovo()
    }
}
