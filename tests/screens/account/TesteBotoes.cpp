// The primary, Apple, secondary and back buttons: looks in each state, hit area, Return.
#include "Formulario.h"

#include <QQuickItem>
#include <QSignalSpy>
#include <QTest>

namespace {

const QColor azul(59, 116, 255);

class Botoes : public TesteQuick {
protected:
    QQuickItem *mostrarBotoes()
    {
        return mostrar(importacoesDaConta + QStringLiteral(R"(
ColumnLayout {
    width: 348
    x: 36
    y: 24
    spacing: 14
    property int cliques: 0
    BotaoPrincipalNoMac { objectName: "normal"; text: "Entrar"; onClicked: parent.cliques++ }
    BotaoPrincipalNoMac { objectName: "pressionado"; text: "Entrar" }
    BotaoPrincipalNoMac { objectName: "ocupado"; text: "Entrar"; ocupado: true }
    BotaoPrincipalNoMac { objectName: "desligado"; text: "Entrar"; enabled: false }
    BotaoPrincipalNoMac { objectName: "comSimbolo"; text: "Desbloquear com senha do computador"; simbolo: "lock" }
    BotaoDaAppleNoMac { objectName: "apple"; text: "Continuar com a Apple"; simbolo: "apple.logo"; onClicked: parent.cliques++ }
    BotaoDaAppleNoMac { objectName: "applePressionado"; text: "Continuar com a Apple"; simbolo: "apple.logo" }
    BotaoSecundarioNoMac { objectName: "secundario"; text: "Usar passkey"; onClicked: parent.cliques++ }
    BotaoSecundarioNoMac { objectName: "secundarioPressionado"; text: "Usar passkey" }
    BotaoDeVoltarNoMac { objectName: "voltar"; onAcao: parent.cliques++ }
})"),
                       QSize(420, 560), QStringLiteral("#ffffff"));
    }
    QColor fundo(const char *botao)
    {
        return achar(QString::fromLatin1(botao))->findChild<QQuickItem *>("fundoDoBotao")->property("color").value<QColor>();
    }
};

TEST_F(Botoes, EstadosDoBotaoPrincipalEDosSecundarios)
{
    QQuickItem *raiz = mostrarBotoes();
    ASSERT_TRUE(raiz);
    auto *pressionado = achar<QQuickItem>(QStringLiteral("pressionado"));
    auto *applePressionado = achar<QQuickItem>(QStringLiteral("applePressionado"));
    auto *secundarioPressionado = achar<QQuickItem>(QStringLiteral("secundarioPressionado"));

    // Sizes: full width, 40 points high, 12-point corners.
    for (const char *nome : {"normal", "ocupado", "desligado", "apple", "secundario"}) {
        auto *botao = achar<QQuickItem>(QString::fromLatin1(nome));
        EXPECT_DOUBLE_EQ(botao->width(), 348) << nome;
        EXPECT_DOUBLE_EQ(botao->height(), 40) << nome;
        EXPECT_DOUBLE_EQ(botao->findChild<QQuickItem *>("fundoDoBotao")->property("radius").toDouble(), 12) << nome;
    }
    EXPECT_EQ(fundo("normal"), azul);
    EXPECT_EQ(fundo("desligado"), azul); // no separate disabled look
    EXPECT_EQ(fundo("apple"), QColor(0, 0, 0));
    EXPECT_EQ(fundo("secundario"), QColor(255, 255, 255));
    QObject *contorno = achar(QStringLiteral("secundario"))->findChild<QQuickItem *>("fundoDoBotao")->property("border").value<QObject *>();
    EXPECT_EQ(contorno->property("width").toDouble(), 1);
    EXPECT_EQ(contorno->property("color").value<QColor>(), QColor(230, 234, 241));

    // Busy: the white spinner 8 points left of the label; the button keeps its size.
    auto *girando = achar(QStringLiteral("ocupado"))->findChild<QQuickItem *>("girando");
    auto *rotuloOcupado = achar(QStringLiteral("ocupado"))->findChild<QQuickItem *>("rotuloDoBotao");
    ASSERT_TRUE(girando && rotuloOcupado);
    EXPECT_TRUE(girando->isVisible());
    EXPECT_DOUBLE_EQ(rotuloOcupado->mapToScene(QPointF()).x() - girando->mapToScene(QPointF(girando->width(), 0)).x(), 8);
    EXPECT_FALSE(achar(QStringLiteral("normal"))->findChild<QQuickItem *>("girando")->isVisible());
    auto *rotuloNormal = achar(QStringLiteral("normal"))->findChild<QQuickItem *>("rotuloDoBotao");
    const double centroDoRotulo = rotuloNormal->mapToScene(QPointF(rotuloNormal->width() / 2, 0)).x();
    EXPECT_NEAR(centroDoRotulo, 36 + 348 / 2.0, 0.5);

    // Held down: only the fill changes.
    avancar(300); // the spinner turns on
    const QImage imagem = capturar(QStringLiteral("botoes-estados"));
    QTest::mousePress(janela(), Qt::LeftButton, {}, centro(pressionado));
    EXPECT_NEAR(fundo("pressionado").alphaF(), 0.85, 0.01);
    EXPECT_EQ(fundo("pressionado").rgb(), azul.rgb());
    const QImage imagemPressionada = capturar(QStringLiteral("botao-principal-pressionado"));
    QTest::mouseRelease(janela(), Qt::LeftButton, {}, centro(pressionado));
    EXPECT_EQ(fundo("pressionado"), azul);
    QTest::mousePress(janela(), Qt::LeftButton, {}, centro(applePressionado));
    EXPECT_NEAR(fundo("applePressionado").alphaF(), 0.8, 0.01);
    capturar(QStringLiteral("botao-da-apple-pressionado"));
    QTest::mouseRelease(janela(), Qt::LeftButton, {}, centro(applePressionado));
    QTest::mousePress(janela(), Qt::LeftButton, {}, centro(secundarioPressionado));
    EXPECT_EQ(fundo("secundarioPressionado"), QColor(243, 246, 253));
    capturar(QStringLiteral("botao-secundario-pressionado"));
    QTest::mouseRelease(janela(), Qt::LeftButton, {}, centro(secundarioPressionado));
    EXPECT_DOUBLE_EQ(secundarioPressionado->height(), 40);
    EXPECT_EQ(fundo("secundarioPressionado"), QColor(255, 255, 255));

    // What is drawn: the pressed primary is lighter than the normal one, over white.
    const QColor normal = imagem.pixelColor(ponto(achar<QQuickItem>(QStringLiteral("normal")), 10, 20));
    const QColor claro = imagemPressionada.pixelColor(ponto(pressionado, 10, 20));
    EXPECT_TRUE(parecida(normal, azul, 2));
    EXPECT_TRUE(parecida(claro, QColor(88, 137, 255), 3)) << claro.name().toStdString();
}

TEST_F(Botoes, CliqueNaAreaVaziaAoLadoDoRotuloConta)
{
    QQuickItem *raiz = mostrarBotoes();
    ASSERT_TRUE(raiz);
    int esperados = 0;
    for (const char *nome : {"normal", "apple", "secundario"}) {
        auto *botao = achar<QQuickItem>(QString::fromLatin1(nome));
        QTest::mouseClick(janela(), Qt::LeftButton, {}, ponto(botao, 6, 34));
        EXPECT_EQ(raiz->property("cliques").toInt(), ++esperados) << nome;
    }
    auto *voltar = achar<QQuickItem>(QStringLiteral("voltar"));
    EXPECT_EQ(voltar->property("text").toString(), QStringLiteral("Voltar"));
    // "Voltar" is a link: the chevron and the text take the click, the rest of its 348-point row
    // does not.
    auto *conteudo = voltar->property("contentItem").value<QQuickItem *>();
    ASSERT_TRUE(conteudo && voltar->parentItem());
    EXPECT_DOUBLE_EQ(voltar->parentItem()->width(), 348);
    EXPECT_LE(voltar->width(), conteudo->implicitWidth() + 8);
    QTest::mouseClick(janela(), Qt::LeftButton, {}, ponto(voltar, 8, 6));
    EXPECT_EQ(raiz->property("cliques").toInt(), ++esperados);
    for (const double x : {voltar->width() + 10, 174.0, 340.0}) {
        QTest::mouseClick(janela(), Qt::LeftButton, {},
                          voltar->parentItem()->mapToScene(QPointF(x, voltar->y() + 6)).toPoint());
        EXPECT_EQ(raiz->property("cliques").toInt(), esperados) << x;
    }
}

TEST_F(Botoes, ReturnApertaOPadraoSoQuandoHabilitado)
{
    QQuickItem *raiz = mostrar(importacoesDaConta + QStringLiteral(R"(
ColumnLayout {
    width: 348
    property int cliques: 0
    CampoNoMac { objectName: "campo"; rotulo: "E-mail"; dica: "voce@exemplo.com" }
    BotaoPrincipalNoMac { objectName: "entrar"; text: "Entrar"; padrao: true; onClicked: parent.cliques++ }
})"),
                               QSize(348, 140));
    ASSERT_TRUE(raiz);
    auto *entrada = achar(QStringLiteral("campo"))->findChild<QQuickItem *>("entrada");
    QTest::mouseClick(janela(), Qt::LeftButton, {}, centro(entrada));
    ASSERT_TRUE(entrada->hasActiveFocus());
    QTest::keyClick(janela(), Qt::Key_Return);
    EXPECT_EQ(raiz->property("cliques").toInt(), 1);
    QTest::keyClick(janela(), Qt::Key_Enter);
    EXPECT_EQ(raiz->property("cliques").toInt(), 2);
    achar(QStringLiteral("entrar"))->setProperty("enabled", false);
    QTest::keyClick(janela(), Qt::Key_Return);
    EXPECT_EQ(raiz->property("cliques").toInt(), 2);
    achar(QStringLiteral("entrar"))->setProperty("enabled", true);
    achar(QStringLiteral("entrar"))->setProperty("padrao", false);
    QTest::keyClick(janela(), Qt::Key_Return);
    EXPECT_EQ(raiz->property("cliques").toInt(), 2);
}

} // namespace

namespace {

// Every button type of the kit and of the account screens: a click does not take the focus,
// Tab does and shows the ring, Space and Return press it.
TEST_F(Botoes, CadaTipoDeBotaoTemFocoSoPorTabComAnel)
{
    const struct {
        const char *tipo;
        const char *qml;
    } casos[] = {
        {"BotaoNoMac", R"(BotaoNoMac { objectName: "controle"; text: "Cancelar"; onClicked: acionado++ })"},
        {"BotaoNoMac destacado", R"(BotaoNoMac { objectName: "controle"; estilo: "destacado"; text: "Salvar"; onClicked: acionado++ })"},
        {"BotaoEmTexto", R"(BotaoEmTexto { objectName: "controle"; text: "Tentar de novo"; onClicked: acionado++ })"},
        {"BotaoPrincipalNoMac", R"(BotaoPrincipalNoMac { objectName: "controle"; width: 300; text: "Entrar"; onClicked: acionado++ })"},
        {"BotaoDaAppleNoMac", R"(BotaoDaAppleNoMac { objectName: "controle"; width: 300; text: "Continuar com a Apple"; onClicked: acionado++ })"},
        {"BotaoSecundarioNoMac", R"(BotaoSecundarioNoMac { objectName: "controle"; width: 300; text: "Usar passkey"; onClicked: acionado++ })"},
        {"BotaoDestrutivoNoMac", R"(BotaoDestrutivoNoMac { objectName: "controle"; width: 300; text: "Sair"; onClicked: acionado++ })"},
        {"BotaoDeTextoNoMac", R"(BotaoDeTextoNoMac { objectName: "controle"; text: "Esqueci a senha"; onClicked: acionado++ })"},
        {"BotaoDeVoltarNoMac", R"(BotaoDeVoltarNoMac { objectName: "controle"; onAcao: acionado++ })"},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.tipo);
        conferirFocoPorTab(QStringLiteral("import QtQuick.Layouts\nimport Corvane.Conta\n"), QString::fromUtf8(caso.qml),
                           QStringLiteral("foco-") + QString::fromLatin1(caso.tipo).replace(' ', '-'));
    }
}

} // namespace
