// The head of a vault section: the title, the subtitle that counts the section's items, and the
// add button (Ctrl+N), which works only while the vault can reach the server and no sheet is up.
import QtQuick
import Corvane.App
import Corvane.Cofre

Item {
    id: cabecalho

    property string secao: "codigos"
    property int total: 0
    property bool podeAdicionar: true
    // Off while a sheet covers the window: Ctrl+N then does nothing.
    property bool atalhoLigado: true

    signal adicionar()

    implicitHeight: Math.max(textos.implicitHeight, botao.implicitHeight) + 2

    Column {
        id: textos

        anchors.left: parent.left
        anchors.right: botao.left
        anchors.rightMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        anchors.verticalCenterOffset: 1
        spacing: 4

        Text {
            objectName: "tituloDaSecao"
            text: RegrasDoCofre.titulo(cabecalho.secao)
            textFormat: Text.PlainText
            font.family: Tipo.familia
            font.pixelSize: 28
            font.weight: Font.Bold
            font.letterSpacing: -0.6
            color: Paleta.texto
        }
        // A count change cross-fades: the old subtitle fades out over the new one fading in,
        // with the default spring. A change of section (which may reach the count and the
        // section one after the other) shows the new text at once.
        Item {
            width: parent.width
            implicitHeight: subtitulo.implicitHeight

            Text {
                id: subtitulo

                property string ultimo
                // Set for the rest of the event that changed the section.
                property bool trocandoDeSecao: false

                function soltarSecao() {
                    subtitulo.trocandoDeSecao = false;
                }
                function mostrarDeUmaVez() {
                    esmaecer.stop();
                    subtitulo.opacity = 1;
                    anterior.opacity = 0;
                }

                objectName: "subtituloDaSecao"
                width: parent.width
                elide: Text.ElideRight
                text: RegrasDoCofre.subtitulo(cabecalho.secao, cabecalho.total)
                textFormat: Text.PlainText
                font.family: Tipo.familia
                font.pointSize: 13.5 * 0.75 // 13.5 px at the layout's 96 dpi
                color: Paleta.textoSecundario
                onTextChanged: {
                    if (trocandoDeSecao || ultimo === "") {
                        mostrarDeUmaVez();
                    } else {
                        anterior.text = ultimo;
                        esmaecer.restart();
                    }
                    ultimo = text;
                }
                Component.onCompleted: ultimo = text

                // Fires once the event that changed the section is over.
                Timer {
                    id: fimDoEvento

                    interval: 0
                    onTriggered: subtitulo.soltarSecao()
                }

                Connections {
                    target: cabecalho

                    function onSecaoChanged() {
                        subtitulo.trocandoDeSecao = true;
                        subtitulo.mostrarDeUmaVez();
                        fimDoEvento.restart();
                    }
                }
            }
            Text {
                id: anterior

                objectName: "subtituloAnterior"
                width: parent.width
                elide: Text.ElideRight
                opacity: 0
                visible: opacity > 0
                textFormat: Text.PlainText
                font: subtitulo.font
                color: Paleta.textoSecundario
            }

            ParallelAnimation {
                id: esmaecer

                NumberAnimation {
                    target: subtitulo
                    property: "opacity"
                    from: 0
                    to: 1
                    duration: Mola.duracao(0.55, 1)
                    // qmllint disable type
                    // (6.4's qmllint cannot type a C++ QEasingCurve; the assignment is valid)
                    easing: Mola.curva(0.55, 1)
                    // qmllint enable type
                }
                NumberAnimation {
                    target: anterior
                    property: "opacity"
                    from: 1
                    to: 0
                    duration: Mola.duracao(0.55, 1)
                    // qmllint disable type
                    easing: Mola.curva(0.55, 1)
                    // qmllint enable type
                }
            }
        }
    }

    BotaoGrafiteNoMac {
        id: botao

        objectName: "botaoAdicionar"
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        anchors.verticalCenterOffset: 1
        text: RegrasDoCofre.rotuloDeAdicionar(cabecalho.secao)
        simbolo: "plus"
        enabled: cabecalho.podeAdicionar
        onClicked: cabecalho.adicionar()
    }

    Shortcut {
        sequence: "Ctrl+N"
        enabled: botao.enabled && cabecalho.visible && cabecalho.atalhoLigado
        onActivated: cabecalho.adicionar()
    }
}
