// The AutoFill card and the settings section in each state, the card's buttons, and its
// dismissal surviving a restart.
#include "QuadroNaTela.h"

#include "kit/Paleta.h"

#include <QTest>

namespace {

class PreenchimentoNaTela : public QuadroNaTela {
protected:
    QQuickItem *mostrarCartaoESecao()
    {
        return mostrar(importacoes + QStringLiteral(R"(
Column {
    x: 24; y: 24; width: 560; spacing: 24
    CartaoDoPreenchimento { objectName: "cartao"; width: parent.width; situacao: preenchimentoDeTeste }
    SecaoDoPreenchimento { objectName: "secao"; width: parent.width; situacao: preenchimentoDeTeste }
})"),
                       QSize(608, 420));
    }
    QString texto(const char *nome) { return achar<QQuickItem>(QString::fromLatin1(nome))->property("text").toString(); }
};

TEST_F(PreenchimentoNaTela, CartaoESecaoEmCadaEstado)
{
    ASSERT_TRUE(mostrarCartaoESecao());
    const struct {
        std::optional<bool> ligado;
        bool cartao;
        const char *estado;
        const char *simbolo;
        bool azul;
        const char *botao;
        const char *captura;
    } casos[] = {
        {std::nullopt, false, "Desligado", "circle", false, "Ligar", nullptr},
        {false, true, "Desligado", "circle", false, "Ligar", "preenchimento-desligado"},
        {true, false, "Ligado neste computador", "checkmark.circle.fill", true, "Abrir ajustes do preenchimento",
         "preenchimento-ligado"},
    };
    auto *cartao = achar<QQuickItem>(QStringLiteral("cartao"));
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.estado);
        preenchimento->definirLigado(caso.ligado);
        avancar(1200);
        EXPECT_EQ(cartao->isVisible(), caso.cartao);
        EXPECT_EQ(cartao->height() > 0, caso.cartao);
        EXPECT_EQ(texto("textoDaSecao"), QString::fromUtf8(caso.estado));
        auto *simbolo = achar<QQuickItem>(QStringLiteral("simboloDaSecao"));
        EXPECT_EQ(simbolo->property("nome").toString(), QString::fromLatin1(caso.simbolo));
        EXPECT_EQ(simbolo->property("cor").value<QColor>(), caso.azul ? Paleta::azul() : Paleta::textoApagado());
        EXPECT_EQ(texto("botaoDaSecao"), QString::fromUtf8(caso.botao));
        if (caso.captura)
            capturar(QString::fromLatin1(caso.captura));
    }
    EXPECT_EQ(texto("tituloDaSecao"), QStringLiteral("Preenchimento automático"));
    EXPECT_TRUE(texto("legendaDaSecao").startsWith(QStringLiteral("Com ele ligado, ao clicar em um campo de senha no navegador")));

    // Switched on, the section's button offers switching off, and only that choice asks the host.
    QTest::mouseClick(janela(), Qt::LeftButton, {}, centro(achar<QQuickItem>(QStringLiteral("botaoDaSecao"))));
    avancar(300);
    EXPECT_EQ(pedidosDeLigar, 0);
    auto *desligar = achar<QQuickItem>(QStringLiteral("desligarNesteComputador"));
    ASSERT_TRUE(desligar);
    EXPECT_TRUE(desligar->isVisible());
    EXPECT_EQ(desligar->property("text").toString(), QStringLiteral("Desligar neste computador"));
    capturar(QStringLiteral("preenchimento-oferece-desligar"));
    QTest::mouseClick(janela(), Qt::LeftButton, {}, centro(desligar));
    avancar(300);
    EXPECT_EQ(pedidosDeDesligar, 1);
    EXPECT_FALSE(desligar->isVisible());

    // Switched off, it asks the host to switch AutoFill on.
    preenchimento->definirLigado(false);
    avancar(300);
    QTest::mouseClick(janela(), Qt::LeftButton, {}, centro(achar<QQuickItem>(QStringLiteral("botaoDaSecao"))));
    EXPECT_EQ(pedidosDeLigar, 1);
    EXPECT_EQ(pedidosDeDesligar, 1);
}

TEST_F(PreenchimentoNaTela, CartaoComoDesenhado)
{
    preenchimento->definirLigado(false);
    ASSERT_TRUE(mostrarCartaoESecao());
    avancar(1200);
    EXPECT_EQ(texto("tituloDoCartao"), QStringLiteral("Preencha senhas sozinho no navegador e nos apps"));
    EXPECT_EQ(texto("textoDoCartao"),
              QStringLiteral("Ligue o Corvane no preenchimento automático do computador. Na hora de entrar, ele sugere "
                             "a senha certa, preenche o código e salva as senhas novas no cofre."));
    auto *placa = achar<QQuickItem>(QStringLiteral("placaDoCartao"));
    auto *icone = achar<QQuickItem>(QStringLiteral("iconeDoCartao"));
    auto *titulo = achar<QQuickItem>(QStringLiteral("tituloDoCartao"));
    auto *ligar = achar<QQuickItem>(QStringLiteral("ligarAgora"));
    auto *textoDoCartao = achar<QQuickItem>(QStringLiteral("textoDoCartao"));
    const QPointF origem = placa->mapToScene(QPointF());
    // 16 points of padding, the 44-point icon, 14 to the texts, 6 above the buttons.
    EXPECT_EQ(icone->mapToScene(QPointF()) - origem, QPointF(16, 16));
    EXPECT_DOUBLE_EQ(icone->width(), 44);
    EXPECT_DOUBLE_EQ(icone->property("radius").toDouble(), 12);
    EXPECT_DOUBLE_EQ(titulo->mapToScene(QPointF()).x() - origem.x(), 16 + 44 + 14);
    EXPECT_DOUBLE_EQ(ligar->mapToScene(QPointF()).y() - textoDoCartao->mapToScene(QPointF(0, textoDoCartao->height())).y(), 6);
    EXPECT_DOUBLE_EQ(placa->height(), placa->childItems().first()->height() + 32);
    EXPECT_DOUBLE_EQ(placa->property("radius").toDouble(), 16);
    EXPECT_EQ(placa->property("color").value<QColor>(), Paleta::superficie());
    capturar(QStringLiteral("preenchimento-cartao"));

    QTest::mouseClick(janela(), Qt::LeftButton, {}, centro(ligar));
    EXPECT_EQ(pedidosDeLigar, 1);

    // "Depois": the card slides up and fades out, and stays away after a restart.
    QTest::mouseClick(janela(), Qt::LeftButton, {}, centro(achar<QQuickItem>(QStringLiteral("depois"))));
    EXPECT_TRUE(preenchimento->cartaoFechado());
    avancar(150);
    EXPECT_LT(placa->y(), 0);
    EXPECT_GT(placa->opacity(), 0);
    EXPECT_LT(placa->opacity(), 1);
    avancar(1500);
    EXPECT_FALSE(achar<QQuickItem>(QStringLiteral("cartao"))->isVisible());

    auto depoisDeReiniciar = novaSituacao();
    depoisDeReiniciar->definirLigado(false);
    EXPECT_TRUE(depoisDeReiniciar->cartaoFechado());
    EXPECT_FALSE(depoisDeReiniciar->cartaoVisivel());
}

} // namespace
