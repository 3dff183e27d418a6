// A link in running text: the accent colour, a pointing hand, and the address opened by the
// system when clicked (or pressed with Space or Return once Tab reached it).
import QtQuick
import Corvane.App

BotaoEmTexto {
    id: link

    required property url endereco

    onClicked: Qt.openUrlExternally(link.endereco)
}
