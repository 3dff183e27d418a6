pragma ComponentBehavior: Bound
// One sample code card: the service's tile, title and account, the countdown ring and the live
// code in large digits that roll when the code changes. Only the front card shows its content;
// the cards behind are blank shapes in an off-white fill with a lighter shadow.
import QtQuick
import QtQuick.Layouts
import QtQuick.Shapes
import Corvane.App
import Corvane.Conta

Item {
    id: cartao

    // Index of the sample in the showcase's list.
    property int exemplo: 0
    property date agora
    property bool frente: false

    implicitWidth: 340
    implicitHeight: conteudo.implicitHeight + 36
    height: implicitHeight

    LeituraDoExemplo {
        id: leitura

        objectName: "leitura"
        exemplo: cartao.exemplo
        agora: cartao.agora
    }

    SombraSuave {
        id: sombra

        anchors.fill: parent
        anchors.margins: -sombra.margem
        margem: 48
        raio: 22
        desfoque: cartao.frente ? 24 : 8
        deslocamentoY: cartao.frente ? 12 : 4
        cor: Qt.rgba(Paleta.tinta.r, Paleta.tinta.g, Paleta.tinta.b, cartao.frente ? 0.12 : 0.03)
    }

    Rectangle {
        objectName: "placa"
        anchors.fill: parent
        radius: 22
        color: cartao.frente ? Paleta.superficie : Qt.rgba(248 / 255, 249 / 255, 252 / 255, 1)
        border.width: 1
        border.color: Paleta.borda
    }

    ColumnLayout {
        id: conteudo

        objectName: "conteudo"
        x: 18
        y: 18
        width: parent.width - 36
        spacing: 14
        opacity: cartao.frente ? 1 : 0
        visible: opacity > 0

        Behavior on opacity {
            NumberAnimation {
                duration: Mola.duracao(0.7, 0.8)
                // qmllint disable type
                // (6.4's qmllint cannot type a C++ QEasingCurve; the assignment is valid)
                easing: Mola.curva(0.7, 0.8)
                // qmllint enable type
            }
        }

        RowLayout {
            Layout.fillWidth: true
            spacing: 12

            IconeDoServico {
                nome: leitura.titulo
                tamanho: 36
            }
            ColumnLayout {
                Layout.fillWidth: true
                spacing: 2

                Text {
                    objectName: "tituloDoCartao"
                    text: leitura.titulo
                    textFormat: Text.PlainText
                    Accessible.ignored: true
                    font: Tipo.headline
                    color: Paleta.texto
                }
                Text {
                    objectName: "contaDoCartao"
                    Layout.fillWidth: true
                    text: leitura.conta
                    textFormat: Text.PlainText
                    Accessible.ignored: true
                    elide: Text.ElideRight
                    font: Tipo.caption
                    color: Paleta.textoApagado
                }
            }

            // The countdown ring: the seconds left as a blue arc from the top (amber under 6 s),
            // sweeping down linearly through each second and refilling at once on a new period.
            Item {
                id: anel

                readonly property real tamanho: 26
                readonly property real alvo: leitura.fracao
                // The arc drawn: it sweeps to `alvo` over a second, in 20 steps (the window is
                // drawn only when it moves), or jumps there on a new period or behind the front.
                property real fracao: alvo
                property real de: alvo

                objectName: "anelDoCartao"
                implicitWidth: tamanho
                implicitHeight: tamanho

                onAlvoChanged: {
                    varredura.rodando = false;
                    if (leitura.periodoNovo || !cartao.frente) {
                        anel.fracao = anel.alvo;
                    } else {
                        anel.de = anel.fracao;
                        varredura.reiniciar();
                        varredura.rodando = true;
                    }
                }

                AnimacaoEmPassos {
                    id: varredura

                    duracao: 1000
                    passo: 50
                    onTempoChanged: {
                        const t = Math.min(1, varredura.tempo);
                        anel.fracao = anel.de + (anel.alvo - anel.de) * t;
                        if (t >= 1)
                            varredura.rodando = false;
                    }
                }

                Shape {
                    anchors.fill: parent

                    ShapePath {
                        strokeColor: Paleta.trilho
                        strokeWidth: 2
                        capStyle: ShapePath.FlatCap
                        fillColor: "transparent"

                        PathAngleArc {
                            centerX: anel.tamanho / 2
                            centerY: anel.tamanho / 2
                            radiusX: anel.tamanho / 2 - 1
                            radiusY: anel.tamanho / 2 - 1
                            startAngle: 0
                            sweepAngle: 360
                        }
                    }
                }
                ArcoEmMeiosAneis {
                    anchors.fill: parent
                    fracao: anel.fracao
                    espessura: 2
                    cor: leitura.acabando ? Paleta.ambar : Paleta.azul
                }
                Text {
                    objectName: "segundosDoCartao"
                    anchors.centerIn: parent
                    text: leitura.segundosRestantes
                    textFormat: Text.PlainText
                    Accessible.ignored: true
                    font.family: Tipo.familia
                    font.pixelSize: anel.tamanho * 0.38
                    font.weight: Font.DemiBold
                    color: leitura.acabando ? Paleta.ambar : Paleta.textoSecundario
                }
            }
        }

        // The code, one fixed-width slot per character so the digits stay put as they roll.
        Row {
            id: codigo

            readonly property string texto: leitura.codigo
            readonly property font fonte: Qt.font({
                family: Tipo.familia,
                pixelSize: 34,
                weight: Font.DemiBold
            })

            objectName: "codigoDoCartao"
            Layout.preferredHeight: medida.height

            TextMetrics {
                id: medida

                font: codigo.fonte
                text: "0"
            }

            Repeater {
                model: codigo.texto.length

                Item {
                    id: casa

                    required property int index
                    readonly property string caractere: codigo.texto.charAt(index)
                    property string anterior
                    property string atual: caractere
                    property real progresso: 1

                    width: caractere === " " ? medida.advanceWidth * 0.6 : medida.advanceWidth
                    height: medida.height
                    clip: true

                    // A new digit rises in from below while the old one leaves through the top.
                    onCaractereChanged: {
                        if (caractere === atual)
                            return;
                        anterior = atual;
                        atual = caractere;
                        if (cartao.frente) {
                            rolagem.restart();
                        } else {
                            progresso = 1;
                        }
                    }

                    NumberAnimation {
                        id: rolagem

                        target: casa
                        property: "progresso"
                        from: 0
                        to: 1
                        duration: Mola.duracao(0.5, 0.85)
                        // qmllint disable type
                        // (6.4's qmllint cannot type a C++ QEasingCurve; the assignment is valid)
                        easing: Mola.curva(0.5, 0.85)
                        // qmllint enable type
                    }

                    Text {
                        y: -casa.progresso * casa.height
                        width: casa.width
                        visible: casa.progresso < 1
                        opacity: 1 - casa.progresso
                        horizontalAlignment: Text.AlignHCenter
                        text: casa.anterior
                        textFormat: Text.PlainText
                        Accessible.ignored: true
                        font: codigo.fonte
                        color: Paleta.texto
                    }
                    Text {
                        y: (1 - casa.progresso) * casa.height
                        width: casa.width
                        opacity: casa.progresso
                        horizontalAlignment: Text.AlignHCenter
                        text: casa.atual
                        textFormat: Text.PlainText
                        Accessible.ignored: true
                        font: codigo.fonte
                        color: Paleta.texto
                    }
                }
            }
        }
    }
}
