// The central card, the title block and the error line; a whole sign-in form as a screenshot.
#include "Formulario.h"

#include <QQuickItem>

namespace {

class CartaoETextos : public TesteQuick {};

TEST_F(CartaoETextos, CartaoTemLarguraFixaEConteudoDentroDe348)
{
    QQuickItem *raiz = mostrar(importacoesDaConta + QStringLiteral(R"(
Item {
    anchors.fill: parent
    CartaoCentral {
        objectName: "cartao"
        anchors.fill: parent
        Rectangle { objectName: "estreito"; Layout.alignment: Qt.AlignHCenter; implicitWidth: 80; implicitHeight: 20; color: "#3b74ff" }
        Text {
            objectName: "largo"
            Layout.fillWidth: true
            wrapMode: Text.Wrap
            text: "Um texto bem mais largo que o cartão, que precisa quebrar em várias linhas para caber dentro dele sem passar das bordas."
        }
    }
})"),
                               QSize(600, 320));
    ASSERT_TRUE(raiz);
    auto *placa = achar<QQuickItem>(QStringLiteral("placaDoCartao"));
    EXPECT_DOUBLE_EQ(placa->width(), 420);
    auto *largo = achar<QQuickItem>(QStringLiteral("largo"));
    EXPECT_DOUBLE_EQ(placa->height(), 36 + 20 + 8 + largo->height() + 36);
    EXPECT_DOUBLE_EQ(placa->property("radius").toDouble(), 22);
    EXPECT_DOUBLE_EQ(placa->mapToScene(QPointF()).x(), (600 - 420) / 2.0);
    EXPECT_DOUBLE_EQ(largo->width(), 348);
    EXPECT_GT(largo->property("lineCount").toInt(), 1);
    EXPECT_DOUBLE_EQ(largo->mapToScene(QPointF()).x(), 90 + 36);
    auto *estreito = achar<QQuickItem>(QStringLiteral("estreito"));
    EXPECT_DOUBLE_EQ(estreito->mapToScene(QPointF(40, 0)).x(), 300);
    capturar(QStringLiteral("cartao-central-larguras"));
}

TEST_F(CartaoETextos, TituloCentradoEErroAEsquerdaQuebram)
{
    QQuickItem *raiz = mostrar(importacoesDaConta + QStringLiteral(R"(
ColumnLayout {
    width: 348
    TituloDaConta {
        objectName: "titulo"
        titulo: "Entrar"
        texto: "Use o e-mail e a senha da sua conta Corvane para abrir o cofre neste computador e sincronizar seus itens."
    }
    MensagemDeErroNoMac {
        objectName: "erro"
        texto: "E-mail ou senha incorretos. Confira os dois campos e tente de novo; depois de várias tentativas a conta fica bloqueada por alguns minutos."
    }
})"),
                               QSize(348, 240), QStringLiteral("#ffffff"));
    ASSERT_TRUE(raiz);
    auto *titulo = achar<QQuickItem>(QStringLiteral("tituloDaConta"));
    auto *texto = achar<QQuickItem>(QStringLiteral("textoDaConta"));
    auto *erro = achar<QQuickItem>(QStringLiteral("erro"));
    EXPECT_EQ(titulo->property("font").value<QFont>().pixelSize(), 17);
    EXPECT_EQ(titulo->property("font").value<QFont>().weight(), QFont::Bold);
    EXPECT_EQ(titulo->property("color").value<QColor>(), QColor(20, 25, 34));
    EXPECT_GT(texto->property("lineCount").toInt(), 1);
    EXPECT_EQ(texto->property("horizontalAlignment").toInt(), Qt::AlignHCenter);
    EXPECT_EQ(texto->property("font").value<QFont>().pixelSize(), 12);
    EXPECT_EQ(texto->property("color").value<QColor>(), QColor(91, 100, 117));
    EXPECT_DOUBLE_EQ(texto->mapToScene(QPointF()).y() - titulo->mapToScene(QPointF(0, titulo->height())).y(), 6);
    // 20 points under the block before the next item.
    auto *bloco = achar<QQuickItem>(QStringLiteral("titulo"));
    EXPECT_DOUBLE_EQ(bloco->height(), titulo->height() + 6 + texto->height() + 20);
    EXPECT_GT(erro->property("lineCount").toInt(), 1);
    EXPECT_EQ(erro->property("horizontalAlignment").toInt(), Qt::AlignLeft);
    EXPECT_DOUBLE_EQ(erro->width(), 348);
    EXPECT_EQ(erro->property("color").value<QColor>(), QColor(220, 38, 38));
    capturar(QStringLiteral("titulo-e-erro"));
}

TEST_F(CartaoETextos, FormularioCompletoNoCartao)
{
    ASSERT_TRUE(mostrar(importacoesDaConta + QStringLiteral(R"(
CartaoCentral {
    anchors.fill: parent
    IconeDaMarca { Layout.alignment: Qt.AlignHCenter; Layout.bottomMargin: 10; tamanho: 60; estilo: EstiloDaMarca.Azul }
    TituloDaConta { titulo: "Entrar no Corvane"; texto: "Seu cofre de códigos, senhas e notas, cifrado neste computador." }
    CampoNoMac { rotulo: "E-mail"; dica: "voce@exemplo.com"; texto: "ana@exemplo.com" }
    CampoNoMac { rotulo: "Senha"; dica: "Sua senha"; seguro: true; texto: "segredo" }
    MensagemDeErroNoMac { texto: "E-mail ou senha incorretos." }
    BotaoPrincipalNoMac { text: "Entrar"; ocupado: true }
    BotaoDaAppleNoMac { text: "Continuar com a Apple"; simbolo: "apple.logo" }
    BotaoSecundarioNoMac { text: "Usar passkey"; simbolo: "person.badge.key.fill" }
    BotaoDeVoltarNoMac {}
}
)"),
                        QSize(640, 720)));
    avancar(200);
    const QImage imagem = capturar(QStringLiteral("cartao-central-formulario"));
    // The card is white on the light window background.
    EXPECT_EQ(imagem.pixelColor(10, 10), QColor(243, 246, 253));
    EXPECT_EQ(imagem.pixelColor(125, 360), QColor(255, 255, 255));
    // A faint shadow below the card, darker than the window background.
    auto *placa = achar<QQuickItem>(QStringLiteral("placaDoCartao"));
    const QColor sombra = imagem.pixelColor(ponto(placa, 210, placa->height() + 10));
    EXPECT_LT(sombra.blue(), 252);
    EXPECT_GT(sombra.blue(), 225);
}

} // namespace
