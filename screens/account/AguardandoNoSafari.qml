// The card that stands in for the sign-in buttons while the page is open in the browser: where
// to continue, and the ways to open the page again or give up.
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Corvane.App

Rectangle {
    id: cartao

    property string provedor
    property string navegador
    // The second line, by provider.
    property string explicacao

    signal aoReabrir()
    signal aoCancelar()

    implicitHeight: coluna.implicitHeight + 28
    radius: 12
    color: Paleta.azulClaro

    ColumnLayout {
        id: coluna

        x: 14
        y: 14
        width: cartao.width - 28
        spacing: 12

        RowLayout {
            Layout.fillWidth: true
            spacing: 12

            IndicadorDeAtividade {
                cor: Paleta.textoSecundario
                ativo: cartao.visible
            }
            ColumnLayout {
                Layout.fillWidth: true
                spacing: 2

                Text {
                    objectName: "tituloDoAguardo"
                    Layout.fillWidth: true
                    text: "Continue no " + cartao.navegador
                    font: Tipo.fonte(Tipo.Callout, Font.DemiBold)
                    color: Paleta.texto
                }
                Text {
                    objectName: "explicacaoDoAguardo"
                    Layout.fillWidth: true
                    text: cartao.explicacao
                    font: Tipo.caption
                    color: Paleta.textoSecundario
                    wrapMode: Text.Wrap
                }
            }
        }

        Row {
            spacing: 16

            AbstractButton {
                id: reabrir

                focusPolicy: Qt.TabFocus
                implicitWidth: contentItem.implicitWidth
                implicitHeight: contentItem.implicitHeight
                objectName: "botaoAbrirDeNovo"
                text: "Abrir de novo"
                font: Tipo.fonte(Tipo.Callout, Font.Medium)
                onClicked: cartao.aoReabrir()
                contentItem: Text { text: reabrir.text; font: reabrir.font; color: Paleta.azul }
                background: null

                AnelDeFoco {
                    mostrado: reabrir.visualFocus
                    raio: 4
                }
            }
            AbstractButton {
                id: cancelar

                focusPolicy: Qt.TabFocus
                implicitWidth: contentItem.implicitWidth
                implicitHeight: contentItem.implicitHeight
                objectName: "botaoCancelarAguardo"
                text: "Cancelar"
                font: Tipo.fonte(Tipo.Callout, Font.Medium)
                onClicked: cartao.aoCancelar()
                contentItem: Text { text: cancelar.text; font: cancelar.font; color: Paleta.textoSecundario }
                background: null

                AnelDeFoco {
                    mostrado: cancelar.visualFocus
                    raio: 4
                }
            }
        }
    }
}
