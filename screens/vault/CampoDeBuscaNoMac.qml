// The capsule search field of the vault window: a magnifier, the text, and a clear button while
// there is text (Tab reaches it after the text) or the Ctrl+F hint while there is none. Ctrl+F anywhere in the window focuses
// it while it is on screen and selects what is already typed; Escape clears it; a click anywhere
// else ends its focus. The border turns blue while it has the focus.
import QtQuick
import QtQuick.Controls.Basic
import Corvane.App
import Corvane.Cofre

Rectangle {
    id: campo

    property string texto
    property string dica
    // Off while a sheet covers the window: Ctrl+F then does nothing.
    property bool atalhoLigado: true
    readonly property bool foco: entrada.activeFocus

    // The text typed or cleared here; the window owns it.
    signal editado(string texto)

    // Takes the keyboard focus with what is already typed selected, so typing replaces it.
    function focar() {
        entrada.forceActiveFocus(Qt.ShortcutFocusReason);
        entrada.selectAll();
    }

    implicitWidth: 380
    implicitHeight: 38
    radius: height / 2
    color: Paleta.superficie
    border.width: 1
    border.color: campo.foco ? Qt.rgba(Paleta.azul.r, Paleta.azul.g, Paleta.azul.b, 0.5) : Paleta.borda

    Behavior on border.color {
        ColorAnimation {
            duration: 150
            easing.type: Easing.OutQuad
        }
    }

    Shortcut {
        sequence: "Ctrl+F"
        enabled: campo.visible && campo.atalhoLigado
        onActivated: campo.focar()
    }
    FocoQueSaiAoClicarFora {
        alvo: entrada
        area: campo
    }

    Simbolo {
        id: lupa

        anchors.left: parent.left
        anchors.leftMargin: 14
        anchors.verticalCenter: parent.verticalCenter
        width: 13
        height: 13
        nome: "magnifyingglass"
        cor: Paleta.textoApagado
    }

    TextField {
        id: entrada

        objectName: "entradaDaBusca"
        anchors.left: lupa.right
        anchors.leftMargin: 8
        anchors.right: fim.left
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        padding: 0
        text: campo.texto
        placeholderText: campo.dica
        placeholderTextColor: Paleta.textoApagado
        font.family: Tipo.familia
        font.pointSize: 13.5 * 0.75 // 13.5 px at the layout's 96 dpi
        color: Paleta.texto
        selectByMouse: true
        background: null
        onTextEdited: campo.editado(entrada.text)
        Keys.onEscapePressed: function (evento) {
            // Clears the search; on an empty field Escape passes on.
            evento.accepted = entrada.text !== "";
            if (evento.accepted)
                campo.editado("");
        }
    }

    Item {
        id: fim

        anchors.right: parent.right
        anchors.rightMargin: 14
        anchors.verticalCenter: parent.verticalCenter
        width: campo.texto === "" ? atalho.width : 16
        height: 16

        Rectangle {
            id: atalho

            objectName: "atalhoDaBusca"
            anchors.verticalCenter: parent.verticalCenter
            anchors.right: parent.right
            visible: campo.texto === ""
            width: textoDoAtalho.implicitWidth + 12
            height: textoDoAtalho.implicitHeight + 4
            radius: 5
            color: "transparent"
            border.width: 1
            border.color: Paleta.borda

            Text {
                id: textoDoAtalho

                anchors.centerIn: parent
                text: RegrasDoCofre.atalhoDaBusca
                textFormat: Text.PlainText
                font.family: Tipo.familia
                font.pixelSize: 11
                font.weight: Font.Medium
                color: Paleta.textoApagado
            }
        }

        // Tab reaches it after the field (a click does not focus it, so the field keeps the
        // keyboard); pressed from the keyboard, it hands the keyboard back to the emptied field,
        // as it hides with the text.
        AbstractButton {
            id: limpar

            objectName: "limparBusca"
            anchors.fill: parent
            visible: campo.texto !== ""
            focusPolicy: Qt.TabFocus
            Accessible.name: "Limpar busca"
            Keys.onReturnPressed: limpar.clicked()
            Keys.onEnterPressed: limpar.clicked()
            onClicked: {
                const peloTeclado = limpar.activeFocus;
                campo.editado("");
                if (peloTeclado)
                    entrada.forceActiveFocus(Qt.TabFocusReason);
            }

            contentItem: Simbolo {
                nome: "xmark.circle.fill"
                cor: Paleta.textoApagado
            }
            background: null

            AnelDeFoco {
                mostrado: limpar.visualFocus
                raio: limpar.width / 2
            }
        }
    }
}
