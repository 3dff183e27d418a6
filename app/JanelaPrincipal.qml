// The main window "principal": the root view under the window's menu bar, with the
// application's commands and the vault's, which work only while the vault is open. Commands
// with a shortcut wait while a sheet covers the window.
import QtQuick.Controls.Basic
import Corvane.App
import Corvane.Comum
import Corvane.Cofre
import Corvane.Barra
import Corvane.Quadro

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
    // "Sair" was chosen: the application ends.
    signal sairPedido()

    objectName: "principal"
    title: "Corvane"
    width: 1040
    height: 680
    minimumWidth: 860
    minimumHeight: 560

    menuBar: MenuBar {
        objectName: "barraDeMenus"

        MenuDaJanela {
            objectName: "menuDoAplicativo"
            title: "Corvane"

            AcaoDoMenu {
                objectName: "procurarAtualizacao"
                text: janela.comandos.textoProcurarAtualizacao
                onTriggered: janela.comandos.procurarAtualizacao()
            }
            AcaoDoMenu {
                objectName: "ajustes"
                text: janela.comandos.textoAjustes
                shortcut: janela.comandos.atalhoAjustes
                atalhoMostrado: janela.comandos.atalhoAjustes
                enabled: !janela.folhaAberta
                onTriggered: janela.ajustesPedidos()
            }
            MenuSeparator {}
            AcaoDoMenu {
                objectName: "fecharJanela"
                text: janela.comandos.textoFecharJanela
                shortcut: janela.comandos.atalhoFecharJanela
                atalhoMostrado: janela.comandos.atalhoFecharJanela
                enabled: !janela.folhaAberta
                onTriggered: janela.close()
            }
            AcaoDoMenu {
                objectName: "sair"
                text: janela.comandos.textoSair
                shortcut: janela.comandos.atalhoSair
                atalhoMostrado: janela.comandos.atalhoSair
                enabled: !janela.folhaAberta
                onTriggered: janela.sairPedido()
            }
        }
        MenuDaJanela {
            objectName: "menuCofre"
            title: janela.comandos.tituloDoMenuCofre

            // The search field owns Ctrl+F; this entry shows it and does the same.
            AcaoDoMenu {
                objectName: "buscar"
                text: janela.comandos.textoBuscar
                atalhoMostrado: janela.comandos.atalhoBuscar
                enabled: janela.comandos.sincronizarHabilitado && !janela.folhaAberta
                onTriggered: janela.buscaPedida()
            }
            AcaoDoMenu {
                objectName: "bloquear"
                text: janela.comandos.textoBloquear
                shortcut: janela.comandos.atalhoBloquear
                atalhoMostrado: janela.comandos.atalhoBloquear
                enabled: janela.comandos.bloquearHabilitado && !janela.folhaAberta
                onTriggered: janela.comandos.bloquear()
            }
            AcaoDoMenu {
                objectName: "sincronizar"
                text: janela.comandos.textoSincronizar
                shortcut: janela.comandos.atalhoSincronizar
                atalhoMostrado: janela.comandos.atalhoSincronizar
                enabled: janela.comandos.sincronizarHabilitado && !janela.folhaAberta
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
