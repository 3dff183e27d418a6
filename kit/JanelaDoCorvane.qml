// A window of the application: light appearance whatever the desktop's theme, tinted blue, on
// the Basic style that the kit styles.
import QtQuick.Controls.Basic
import Corvane.App

ApplicationWindow {
    // A sheet covers the window's content: its menu commands and shortcuts wait.
    property bool folhaAberta: false

    // The menu's "Buscar": the window's search field takes the focus.
    signal buscaPedida()

    color: Paleta.fundo
    font: Tipo.body

    palette.window: Paleta.fundo
    palette.windowText: Paleta.texto
    palette.base: Paleta.superficie
    palette.alternateBase: Paleta.fundo
    palette.text: Paleta.texto
    palette.button: Paleta.superficie
    palette.buttonText: Paleta.texto
    palette.brightText: "#ffffff"
    palette.highlight: Paleta.azul
    palette.highlightedText: "#ffffff"
    palette.light: "#ffffff"
    palette.midlight: Paleta.fundo
    palette.mid: Paleta.borda
    palette.dark: Paleta.textoApagado
    palette.shadow: Paleta.textoSecundario
    palette.placeholderText: Paleta.textoApagado
    palette.toolTipBase: Paleta.superficie
    palette.toolTipText: Paleta.texto
    palette.link: Paleta.azul
}
