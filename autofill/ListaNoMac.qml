// The option list: the search field (focused when the list appears), the options of the
// requested site and the others under their headers, the notice when nothing is listed, and in
// a password request the footer that opens the new-password form.
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Corvane.App
import Corvane.Preenchimento

Item {
    id: lista

    required property ModeloDoPreenchimento modelo
    // The rows for the current search (rules in C++), built only as they scroll into view.
    readonly property OpcoesDaLista dados: opcoes

    signal criar()

    OpcoesDaLista {
        id: opcoes

        modelo: lista.modelo
        busca: campoDaBusca.text
        agora: Relogio.agora
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        Rectangle {
            Layout.fillWidth: true
            Layout.margins: 14
            implicitHeight: 34
            radius: 10
            color: Paleta.superficie
            border.color: Paleta.borda
            border.width: 1

            RowLayout {
                anchors.fill: parent
                anchors.leftMargin: 12
                anchors.rightMargin: 12
                spacing: 8

                Simbolo {
                    implicitWidth: 14
                    implicitHeight: 14
                    nome: "magnifyingglass"
                    cor: Paleta.textoApagado
                }

                TextField {
                    id: campoDaBusca

                    objectName: "campoDaBusca"
                    Layout.fillWidth: true
                    placeholderText: "Buscar"
                    placeholderTextColor: Paleta.textoApagado
                    color: Paleta.texto
                    font: Tipo.body
                    focus: true
                    background: null
                    leftPadding: 0
                    rightPadding: 0
                    Component.onCompleted: forceActiveFocus()
                }
            }
        }

        Item {
            Layout.fillWidth: true
            Layout.fillHeight: true

            ListView {
                id: rolagem

                objectName: "listaDeOpcoes"
                anchors.fill: parent
                leftMargin: 10
                rightMargin: 10
                bottomMargin: 12
                spacing: 4
                clip: true
                boundsBehavior: Flickable.StopAtBounds
                model: opcoes
                section.property: "secao"
                section.criteria: ViewSection.FullString
                ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }

                // qmllint disable unqualified
                // (6.4's qmllint flags a delegate's access to its view's ids, which is valid QML;
                // the bound-component pragma that says so arrives in 6.5)
                section.delegate: Column {
                    id: secao

                    required property string section

                    width: rolagem.width - 20
                    spacing: 4

                    CabecalhoDaSecao {
                        objectName: secao.section === "casam" ? "cabecalhoDeCasam" : "cabecalhoDeOutras"
                        width: secao.width
                        text: secao.section === "casam" ? opcoes.cabecalhoDeCasam : opcoes.cabecalhoDeOutras
                    }

                    Text {
                        objectName: "dicaDoVinculo"
                        visible: secao.section === "outras" && text !== ""
                        width: secao.width
                        leftPadding: 8
                        rightPadding: 8
                        bottomPadding: 4
                        text: opcoes.dica
                        textFormat: Text.PlainText
                        font: Tipo.caption
                        color: Paleta.textoApagado
                        wrapMode: Text.WordWrap
                    }
                }

                delegate: LinhaNoMac {
                    width: rolagem.width - 20
                    modelo: lista.modelo
                    dica: opcoes.dicaDaLinha
                }
                // qmllint enable unqualified
            }

            Aviso {
                objectName: "avisoDaLista"
                anchors.fill: parent
                visible: lista.dados.aviso !== undefined
                simbolo: visible ? lista.dados.aviso.simbolo : ""
                titulo: visible ? lista.dados.aviso.titulo : ""
                texto: visible ? lista.dados.aviso.texto : ""
            }
        }

        Rectangle {
            Layout.fillWidth: true
            implicitHeight: 1
            visible: rodape.visible
            color: Paleta.borda
        }

        Rectangle {
            id: rodape

            objectName: "rodape"
            Layout.fillWidth: true
            implicitHeight: 38 + 16
            visible: lista.dados.rodape !== ""
            color: Paleta.superficie

            AbstractButton {
                id: botaoDoRodape

                objectName: "botaoSalvarNova"
                anchors.fill: parent
                anchors.leftMargin: 14
                anchors.rightMargin: 14
                anchors.topMargin: 8
                anchors.bottomMargin: 8
                text: lista.dados.rodape
                onClicked: lista.criar()
                // Tab gives it the focus, a click does not (the search field keeps the keyboard).
                focusPolicy: Qt.TabFocus
                Accessible.name: botaoDoRodape.text
                Keys.onReturnPressed: botaoDoRodape.clicked()
                Keys.onEnterPressed: botaoDoRodape.clicked()

                contentItem: RowLayout {
                    spacing: 6

                    Item { Layout.fillWidth: true }

                    Simbolo {
                        implicitWidth: 16
                        implicitHeight: 16
                        nome: "plus.circle.fill"
                        cor: Paleta.azul
                    }

                    Text {
                        text: botaoDoRodape.text
                        textFormat: Text.PlainText
                        font: Tipo.fonte(Tipo.Callout, Font.DemiBold)
                        color: Paleta.azul
                        opacity: botaoDoRodape.down ? 0.6 : 1
                        elide: Text.ElideRight
                    }

                    Item { Layout.fillWidth: true }
                }

                AnelDeFoco {
                    mostrado: botaoDoRodape.visualFocus
                    raio: 8
                }
            }
        }
    }
}
