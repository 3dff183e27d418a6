// The main window "principal": the root view under the window's menu bar, with the
// application's commands and the vault's, which work only while the vault is open.
import QtQuick.Controls.Basic
import Corvane.App

JanelaDoCorvane {
    id: janela

    required property EstadoDoApp estado
    required property VerificadorDeAtualizacao atualizacao
    required property SituacaoDoPreenchimento preenchimento
    required property ComandosDoMenu comandos
    property bool comecarAoMostrar: true
    // The phases' screens, set by the program's window (see RaizDoMac).
    property alias telaSemConta: raiz.telaSemConta
    property alias telaBloqueado: raiz.telaBloqueado
    property alias telaAberto: raiz.telaAberto

    // "Ajustes…" was chosen: the program opens the settings window.
    signal ajustesPedidos()

    objectName: "principal"
    title: "Corvane"
    width: 1040
    height: 680
    minimumWidth: 860
    minimumHeight: 560

    menuBar: MenuBar {
        objectName: "barraDeMenus"

        Menu {
            objectName: "menuDoAplicativo"
            title: "Corvane"

            Action {
                objectName: "procurarAtualizacao"
                text: janela.comandos.textoProcurarAtualizacao
                onTriggered: janela.comandos.procurarAtualizacao()
            }
            Action {
                objectName: "ajustes"
                text: janela.comandos.textoAjustes
                shortcut: janela.comandos.atalhoAjustes
                onTriggered: janela.ajustesPedidos()
            }
        }
        Menu {
            objectName: "menuCofre"
            title: janela.comandos.tituloDoMenuCofre

            Action {
                objectName: "bloquear"
                text: janela.comandos.textoBloquear
                shortcut: janela.comandos.atalhoBloquear
                enabled: janela.comandos.bloquearHabilitado
                onTriggered: janela.comandos.bloquear()
            }
            Action {
                objectName: "sincronizar"
                text: janela.comandos.textoSincronizar
                shortcut: janela.comandos.atalhoSincronizar
                enabled: janela.comandos.sincronizarHabilitado
                onTriggered: janela.comandos.sincronizar()
            }
        }
    }

    RaizDoMac {
        id: raiz

        objectName: "raizDoMac"
        anchors.fill: parent
        estado: janela.estado
        atualizacao: janela.atualizacao
        preenchimento: janela.preenchimento
        comecarAoMostrar: janela.comecarAoMostrar
    }
}
