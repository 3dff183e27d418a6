// The extension's one screen: the header over what the model's phase asks for (nothing while
// loading, the no-account notice, the list or the new-password form, the configuration screen).
import QtQuick
import QtQuick.Layouts
import Corvane.App
import Corvane.Preenchimento

Item {
    id: tela

    required property ModeloDoPreenchimento modelo
    // True while the new-password form replaces the list.
    property bool criando: false
    // Set by the swap between list and form, so that the first list of a request does not slide.
    property bool trocando: false

    implicitWidth: 440
    implicitHeight: 560

    Rectangle {
        anchors.fill: parent
        color: Paleta.fundo
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        Cabecalho {
            objectName: "cabecalho"
            Layout.fillWidth: true
            modelo: tela.modelo
            criando: tela.criando
        }

        Rectangle {
            Layout.fillWidth: true
            implicitHeight: 1
            color: Paleta.borda
        }

        Item {
            id: conteudo

            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true

            Aviso {
                objectName: "avisoSemConta"
                anchors.fill: parent
                visible: tela.modelo.faseNaTela === "semConta"
                simbolo: "person.crop.circle.badge.questionmark"
                titulo: "Entre no app primeiro"
                texto: tela.modelo.textoSemConta
            }

            // The list comes back from the leading edge, the form slides in from the trailing one.
            Loader {
                id: carregadorDaLista

                objectName: "carregadorDaLista"
                width: conteudo.width
                height: conteudo.height
                active: tela.modelo.faseNaTela === "aberto" && !tela.criando
                onLoaded: if (tela.trocando) entradaDaLista.restart()
                sourceComponent: ListaNoMac {
                    // qmllint disable unqualified
                    // (6.4's qmllint flags a delegate's access to its view's ids, which is
                    // valid QML; the bound-component pragma that says so arrives in 6.5)
                    modelo: tela.modelo
                    onCriar: {
                        tela.trocando = true
                        tela.criando = true
                    }
                    // qmllint enable unqualified
                }

                ParallelAnimation {
                    id: entradaDaLista

                    NumberAnimation {
                        target: carregadorDaLista
                        property: "x"
                        from: -conteudo.width
                        to: 0
                        duration: Mola.duracao(0.5, 1)
                        // qmllint disable type
                        // (6.4's qmllint cannot type a C++ QEasingCurve; the assignment is valid)
                        easing: Mola.curva(0.5, 1)
                        // qmllint enable type
                    }
                    NumberAnimation { target: carregadorDaLista; property: "opacity"; from: 0; to: 1; duration: Mola.duracao(0.5, 1) }
                }
            }

            Loader {
                id: carregadorDoFormulario

                objectName: "carregadorDoFormulario"
                width: conteudo.width
                height: conteudo.height
                active: tela.modelo.faseNaTela === "aberto" && tela.criando
                onLoaded: entradaDoFormulario.restart()
                sourceComponent: NovaSenha {
                    // qmllint disable unqualified
                    // (as for the list above)
                    modelo: tela.modelo
                    onVoltar: tela.criando = false
                    // qmllint enable unqualified
                }

                ParallelAnimation {
                    id: entradaDoFormulario

                    NumberAnimation {
                        target: carregadorDoFormulario
                        property: "x"
                        from: conteudo.width
                        to: 0
                        duration: Mola.duracao(0.5, 1)
                        // qmllint disable type
                        // (6.4's qmllint cannot type a C++ QEasingCurve; the assignment is valid)
                        easing: Mola.curva(0.5, 1)
                        // qmllint enable type
                    }
                    NumberAnimation { target: carregadorDoFormulario; property: "opacity"; from: 0; to: 1; duration: Mola.duracao(0.5, 1) }
                }
            }

            Configurado {
                objectName: "configurado"
                anchors.fill: parent
                visible: tela.modelo.faseNaTela === "configuracao"
                modelo: tela.modelo
            }
        }
    }
}
