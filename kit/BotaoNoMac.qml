// The frame's push button in three looks: "padrao" (white, outlined), "destacado" (filled blue,
// white text) and "semBorda" (text only, in `corDoTexto`).
import QtQuick
import QtQuick.Controls.Basic
import Corvane.App

Button {
    id: botao

    property string estilo: "padrao"
    property color corDoTexto: estilo === "destacado" ? "#ffffff" : (estilo === "semBorda" ? Paleta.textoSecundario : Paleta.texto)

    font: Tipo.fonte(Tipo.Callout, Font.Medium)
    leftPadding: estilo === "semBorda" ? 4 : 12
    rightPadding: leftPadding
    topPadding: 5
    bottomPadding: 5
    hoverEnabled: true

    // Tab gives it the focus, a click does not (the focus stays where the user typed).
    focusPolicy: Qt.TabFocus
    Accessible.name: botao.text
    Keys.onReturnPressed: botao.clicked()
    Keys.onEnterPressed: botao.clicked()
    // Focused, it takes Return before a window's Return shortcut (a default action) does.
    Keys.onShortcutOverride: function (evento) {
        evento.accepted = evento.key === Qt.Key_Return || evento.key === Qt.Key_Enter;
    }

    contentItem: Text {
        text: botao.text
        font: botao.font
        color: botao.corDoTexto
        opacity: botao.enabled ? 1 : 0.45
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    background: Rectangle {
        implicitHeight: 24
        radius: 6
        visible: botao.estilo !== "semBorda"
        color: botao.estilo === "destacado"
               ? (botao.down ? Qt.darker(Paleta.azul, 1.15) : Paleta.azul)
               : (botao.down ? Paleta.fundo : Paleta.superficie)
        border.width: botao.estilo === "destacado" ? 0 : 1
        border.color: Paleta.borda
    }

    AnelDeFoco {
        mostrado: botao.visualFocus
        raio: 6
    }
}
