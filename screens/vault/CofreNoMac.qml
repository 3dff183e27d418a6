// The main window's content while the vault is open: the sidebar and the detail column of the
// chosen section (banner, AutoFill card, header, search, then the section), the toolbar's sync
// and lock, and the sheets.
//
// Slots that later parts of the window fill, each with a stand-in here:
// - `folhaDeEdicao`: shown while `vista.edicao` is set; its root has `edicao`, `cofre`,
//   `estado` and the signal `fechar()`, which clears the edit.
// - `folhaDeEntrarDeNovo`: shown while `vista.entrandoDeNovo`; the same interface, `fechar()`
//   ends it.
// - `faixaDoCofre`: the banner; its root has `tipo` ("entrarDeNovo" or "itensIlegiveis"),
//   `total` and the signal `entrarDeNovo()`.
// - `situacaoDaSincronia`: the sidebar's status line (empty by default).
// - `secaoDeSenhas`, `secaoDeNotas`: the sections behind the gate.
// These last three are plain components: the program's window binds them to the state and to
// this view's `vista` (the section, the search, the edit) where it declares them.
import QtQuick
import Corvane.App
import Corvane.Comum
import Corvane.Cofre

Rectangle {
    id: cofreNoMac

    required property EstadoDoApp estado
    required property SituacaoDoPreenchimento preenchimento
    readonly property Cofre cofre: estado.cofre
    readonly property JanelaDoCofre vista: modelo
    property Component folhaDeEdicao: Component {
        FolhaProvisoria {
            titulo: "Editor"
        }
    }
    property Component folhaDeEntrarDeNovo: Component {
        FolhaProvisoria {
            titulo: "Entrar de novo"
        }
    }
    property Component faixaDoCofre: Component {
        FaixaProvisoria {}
    }
    property Component situacaoDaSincronia
    property Component secaoDeSenhas: Component {
        SecaoProvisoria {
            secao: "senhas"
        }
    }
    property Component secaoDeNotas: Component {
        SecaoProvisoria {
            secao: "notas"
        }
    }
    // The application window showing this view (none in a plain window).
    readonly property JanelaDoCorvane janelaDoCorvane: cofreNoMac.Window.window as JanelaDoCorvane
    readonly property string secao: modelo.secaoMostrada
    readonly property string faixa: RegrasDoCofre.faixa(estado.precisaEntrarDeNovo, contagem.ilegiveis)

    // 1 while the banner shows, 0 once it has left; moved by the column's spring.
    property real presencaDaFaixa: cofreNoMac.faixa !== "" ? 1 : 0
    // What the column's springs are keyed on: the section, the ended session and whether
    // items fail to open. Its change lets the column's layout move for one spring's length.
    readonly property string chaveDaColuna: secao + "|" + estado.precisaEntrarDeNovo + "|" + (contagem.ilegiveis === 0)

    onChaveDaColunaChanged: if (!MovimentoReduzido.ativo) molaDaColuna.restart()

    Behavior on presencaDaFaixa {
        enabled: !MovimentoReduzido.ativo

        NumberAnimation {
            duration: Mola.duracao(0.3, 1)
            // qmllint disable type
            easing: Mola.curva(0.3, 1)
            // qmllint enable type
        }
    }

    // "Ajustes…" of the account menu: the program opens the settings window.
    signal ajustesPedidos()

    // Opens the editor for a new item of the section shown.
    function novoItem() {
        modelo.novoItem();
    }

    color: Paleta.fundo

    JanelaDoCofre {
        id: modelo

        estado: cofreNoMac.estado
    }
    // Tells the window that a sheet or the sign-out confirmation is up, so its menu commands
    // wait too (the confirmation's own modality does not reach the menu bar's shortcuts).
    Binding {
        target: cofreNoMac.janelaDoCorvane
        property: "folhaAberta"
        value: modelo.folhaAberta || barra.confirmandoSaida
        when: cofreNoMac.janelaDoCorvane !== null
    }
    // The menu's "Buscar" does what Ctrl+F does.
    Connections {
        target: cofreNoMac.janelaDoCorvane
        function onBuscaPedida() {
            if (campoDeBusca.visible && !modelo.folhaAberta)
                campoDeBusca.focar();
        }
    }
    ContagemDoCofre {
        id: contagem

        cofre: cofreNoMac.cofre
    }
    // Runs for one spring's length after the column's key changes; nothing is animated by it.
    PauseAnimation {
        id: molaDaColuna

        duration: Mola.duracao(0.3, 1)
    }
    AcoesDoCofre {
        id: acoes

        estado: cofreNoMac.estado
    }
    // Keeps the open store fresh while this window is shown: every 20 seconds in the
    // foreground, and whenever one of our windows gains focus.
    SincroniaAutomaticaNoMac {
        objectName: "sincroniaAutomatica"
        estado: cofreNoMac.estado
    }

    BarraLateralNoMac {
        id: barra

        objectName: "barraLateral"
        anchors.left: parent.left
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        width: 236
        estado: cofreNoMac.estado
        janela: modelo
        contagem: contagem
        acoes: acoes
        situacaoDaSincronia: cofreNoMac.situacaoDaSincronia
        onAjustesPedidos: cofreNoMac.ajustesPedidos()

        // The line between the sidebar and the detail column, over the sidebar's edge.
        Rectangle {
            anchors.right: parent.right
            anchors.top: parent.top
            anchors.bottom: parent.bottom
            width: 1
            color: Paleta.borda
        }
    }


    Item {
        id: detalhe

        objectName: "colunaDeDetalhe"
        anchors.left: barra.right
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.bottom: parent.bottom

        Row {
            objectName: "barraDeFerramentas"
            anchors.right: parent.right
            anchors.rightMargin: 16
            y: 8
            spacing: 4

            BotaoDaBarraNoMac {
                objectName: "botaoSincronizar"
                text: "Sincronizar"
                simbolo: "arrow.triangle.2.circlepath"
                ajuda: "Sincronizar"
                onClicked: acoes.sincronizar()
            }
            BotaoDaBarraNoMac {
                objectName: "botaoBloquear"
                text: "Bloquear"
                simbolo: "lock"
                ajuda: "Bloquear o Corvane"
                enabled: acoes.podeBloquear
                onClicked: acoes.bloquear()
            }
        }

        Column {
            id: topo

            objectName: "topoDoDetalhe"
            x: 28
            y: 46
            width: parent.width - 56
            spacing: 14

            move: Transition {
                enabled: molaDaColuna.running

                NumberAnimation {
                    properties: "y"
                    duration: Mola.duracao(0.3, 1)
                    // qmllint disable type
                    easing: Mola.curva(0.3, 1)
                    // qmllint enable type
                }
            }

            // The banner's place in the column; the banner itself is drawn over it, so it can
            // slide out of the top edge while the rest moves up at once.
            Item {
                objectName: "lugarDaFaixa"
                width: parent.width
                visible: cofreNoMac.faixa !== ""
                height: faixaMostrada.height
            }

            CartaoDoPreenchimento {
                objectName: "cartaoDoPreenchimento"
                width: parent.width
                situacao: cofreNoMac.preenchimento
            }

            CabecalhoDaSecaoNoMac {
                objectName: "cabecalhoDaSecao"
                width: parent.width
                secao: cofreNoMac.secao
                total: contagem.totais[cofreNoMac.secao]
                podeAdicionar: cofreNoMac.estado.podeSincronizar
                atalhoLigado: !modelo.folhaAberta
                onAdicionar: modelo.novoItem()
            }

            CampoDeBuscaNoMac {
                id: campoDeBusca

                objectName: "campoDeBusca"
                width: Math.min(380, parent.width)
                visible: contagem.totais[cofreNoMac.secao] > 0
                texto: modelo.busca
                dica: RegrasDoCofre.dica(cofreNoMac.secao)
                atalhoLigado: !modelo.folhaAberta
                onEditado: function (texto) {
                    modelo.busca = texto;
                }
            }
        }

        // The section shown. A change of section fades the old one out while the new one rises
        // 10 points as it fades in; the old one then goes.
        Item {
            id: conteudo

            objectName: "conteudoDaSecao"
            anchors.left: parent.left
            anchors.right: parent.right
            y: topo.y + topo.height + 4
            height: parent.height - y

            // The section's view in its transition, and those fading out (held until they go).
            property TrocaDeSecao atual: null
            property var saindo: []

            function mostrar() {
                const componente = cofreNoMac.secao === "senhas" ? portaoDeSenhas
                                 : cofreNoMac.secao === "notas" ? portaoDeNotas : gradeDeCodigos;
                if (atual !== null && atual.componente === componente)
                    return;
                if (atual !== null) {
                    // Drawn under the new one, and found after it, while it fades out.
                    const velha = atual;
                    saindo = saindo.concat([velha]);
                    velha.parent = saidas;
                    velha.saiu.connect(() => {
                        saindo = saindo.filter(s => s !== velha);
                    });
                    velha.sair();
                }
                // No object parent: the view belongs to whichever holder draws it.
                const nova = fabricaDeTroca.createObject(null, { componente: componente }) as TrocaDeSecao;
                nova.parent = conteudo;
                atual = nova;
            }

            Component.onCompleted: mostrar()

            Connections {
                target: cofreNoMac
                function onSecaoChanged() {
                    conteudo.mostrar();
                }
            }

            Behavior on y {
                enabled: molaDaColuna.running

                NumberAnimation {
                    duration: Mola.duracao(0.3, 1)
                    // qmllint disable type
                    easing: Mola.curva(0.3, 1)
                    // qmllint enable type
                }
            }
        }
        Item {
            id: saidas

            objectName: "secoesSaindo"
            anchors.fill: conteudo
            z: -1
        }
    }

    // The banner enters from the top edge as it fades in, and leaves the same way.
    Loader {
        id: faixaMostrada

        objectName: "faixaDoCofre"
        x: detalhe.x + topo.x
        y: topo.y - (1 - cofreNoMac.presencaDaFaixa) * (topo.y + height)
        width: topo.width
        opacity: cofreNoMac.presencaDaFaixa
        active: cofreNoMac.faixa !== "" || cofreNoMac.presencaDaFaixa > 0
        Presenca.saindo: cofreNoMac.faixa === ""
        sourceComponent: cofreNoMac.faixaDoCofre

        // While leaving it keeps the text it had.
        Binding {
            target: faixaMostrada.item
            property: "tipo"
            value: cofreNoMac.faixa
            when: faixaMostrada.item !== null && cofreNoMac.faixa !== ""
            restoreMode: Binding.RestoreNone
        }
        Binding {
            target: faixaMostrada.item
            property: "total"
            value: contagem.ilegiveis
            when: faixaMostrada.item !== null && cofreNoMac.faixa !== ""
            restoreMode: Binding.RestoreNone
        }
        Connections {
            target: faixaMostrada.item
            ignoreUnknownSignals: true
            function onEntrarDeNovo() {
                modelo.entrandoDeNovo = true;
            }
        }
    }

    Component {
        id: fabricaDeTroca

        TrocaDeSecao {
            anchors.fill: parent
        }
    }
    // qmllint disable unqualified
    // (6.4's qmllint takes the document's ids for unqualified names inside an inline
    // component; they resolve in the document's context as intended)
    Component {
        id: gradeDeCodigos

        GradeDeCodigosNoMac {
            objectName: "gradeDeCodigosNoMac"
            estado: cofreNoMac.estado
            janela: modelo
        }
    }
    Component {
        id: portaoDeSenhas

        PortaoDasSecoes {
            objectName: "portaoDasSecoes"
            estado: cofreNoMac.estado
            conteudo: cofreNoMac.secaoDeSenhas
            onLiberar: acoes.liberarSecoes()
        }
    }
    Component {
        id: portaoDeNotas

        PortaoDasSecoes {
            objectName: "portaoDasSecoes"
            estado: cofreNoMac.estado
            conteudo: cofreNoMac.secaoDeNotas
            onLiberar: acoes.liberarSecoes()
        }
    }

    // qmllint enable unqualified

    // The sheets, over the whole window.
    FolhaDoCofre {
        objectName: "folhaDeEdicao"
        anchors.fill: parent
        z: 20
        aberta: modelo.edicao !== undefined
        componente: cofreNoMac.folhaDeEdicao
        edicao: modelo.edicao
        cofre: cofreNoMac.cofre
        estado: cofreNoMac.estado
        onFechada: modelo.fecharEdicao()
    }
    FolhaDoCofre {
        objectName: "folhaDeEntrarDeNovo"
        anchors.fill: parent
        z: 20
        aberta: modelo.entrandoDeNovo
        componente: cofreNoMac.folhaDeEntrarDeNovo
        cofre: cofreNoMac.cofre
        estado: cofreNoMac.estado
        onFechada: modelo.entrandoDeNovo = false
    }
}
