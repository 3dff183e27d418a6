// The waiting screen: its texts, layout, accessibility and entrance.
#include "kit/MovimentoReduzido.h"
#include "support/quick/TesteQuick.h"

#include <QAccessible>
#include <QQuickItem>

namespace {

class TelaDeEspera : public TesteQuick {
protected:
    QQuickItem *mostrarTela(const QString &titulo, const QString &detalhe, QSize tamanho = QSize(640, 420))
    {
        // The screen covers a stand-in for the phase's screen, as the root view places it.
        return mostrar(importacoes + QStringLiteral(R"(
Item {
    anchors.fill: parent
    Text { x: 20; y: 20; text: "Tela de trás"; font.pixelSize: 28; color: "#3b74ff" }
    TelaDeEspera {
        objectName: "espera"
        anchors.fill: parent
        titulo: %1
        detalhe: %2
    }
})").arg(literal(titulo), literal(detalhe)),
                       tamanho, QStringLiteral("#ffffff"));
    }
    static QString literal(const QString &texto)
    {
        return QLatin1Char('"') + QString(texto).replace(QLatin1Char('"'), QStringLiteral("\\\"")) + QLatin1Char('"');
    }
};

TEST_F(TelaDeEspera, TextosLiteraisCentralizadosEAcessiveis)
{
    const QString titulo = QStringLiteral("Entrando no cofre");
    const QString detalhe = QStringLiteral("Abrindo as chaves e baixando seus itens. Isso leva só alguns segundos, "
                                           "mesmo com muitos itens guardados.");
    ASSERT_TRUE(mostrarTela(titulo, detalhe, QSize(420, 420)));
    avancar(1000); // the entrance has settled
    auto *tela = achar<QQuickItem>(QStringLiteral("espera"));
    EXPECT_DOUBLE_EQ(tela->opacity(), 1);
    EXPECT_DOUBLE_EQ(tela->scale(), 1);

    auto *textoDoTitulo = achar<QQuickItem>(QStringLiteral("tituloDaEspera"));
    auto *textoDoDetalhe = achar<QQuickItem>(QStringLiteral("detalheDaEspera"));
    EXPECT_EQ(textoDoTitulo->property("text").toString(), titulo);
    EXPECT_EQ(textoDoDetalhe->property("text").toString(), detalhe);
    // The detail wraps within the 32-point margins and its lines are centred.
    EXPECT_GT(textoDoDetalhe->property("lineCount").toInt(), 1);
    EXPECT_DOUBLE_EQ(textoDoDetalhe->mapToScene(QPointF()).x(), 32);
    EXPECT_DOUBLE_EQ(textoDoDetalhe->width(), 420 - 64);
    EXPECT_EQ(textoDoDetalhe->property("horizontalAlignment").toInt(), Qt::AlignHCenter);
    EXPECT_EQ(textoDoTitulo->property("font").value<QFont>().pixelSize(), 15);
    EXPECT_EQ(textoDoTitulo->property("font").value<QFont>().weight(), QFont::DemiBold);
    EXPECT_EQ(textoDoTitulo->property("color").value<QColor>(), QColor(20, 25, 34));
    EXPECT_EQ(textoDoDetalhe->property("font").value<QFont>().pixelSize(), 11);
    EXPECT_EQ(textoDoDetalhe->property("color").value<QColor>(), QColor(91, 100, 117));
    // 22 points between the padlock and the texts, 6 between the two lines.
    auto *cadeado = achar<QQuickItem>(QStringLiteral("cadeadoDaEspera"));
    EXPECT_DOUBLE_EQ(cadeado->height(), 88);
    EXPECT_DOUBLE_EQ(textoDoTitulo->mapToScene(QPointF()).y() - cadeado->mapToScene(QPointF(0, 88)).y(), 22);
    EXPECT_DOUBLE_EQ(textoDoDetalhe->mapToScene(QPointF()).y() - textoDoTitulo->mapToScene(QPointF(0, textoDoTitulo->height())).y(), 6);

    // One element reads both texts; the padlock and the single lines are hidden from it.
    QAccessibleInterface *textos = QAccessible::queryAccessibleInterface(achar(QStringLiteral("textosDaEspera")));
    ASSERT_TRUE(textos);
    EXPECT_EQ(textos->text(QAccessible::Name), titulo + QLatin1Char('\n') + detalhe);
    EXPECT_EQ(textos->role(), QAccessible::StatusBar);
    EXPECT_EQ(textos->childCount(), 0);
    QAccessibleInterface *raizAcessivel = QAccessible::queryAccessibleInterface(janela());
    QStringList nomes;
    std::function<void(QAccessibleInterface *)> juntar = [&](QAccessibleInterface *no) {
        for (int i = 0; i < no->childCount(); ++i) {
            QAccessibleInterface *filho = no->child(i);
            nomes << filho->text(QAccessible::Name);
            juntar(filho);
        }
    };
    juntar(raizAcessivel);
    EXPECT_EQ(nomes.count(titulo + QLatin1Char('\n') + detalhe), 1);
    EXPECT_FALSE(nomes.contains(titulo));
    capturar(QStringLiteral("tela-de-espera"));
}

TEST_F(TelaDeEspera, EntraDeUmPoucoMaiorESomeDoMesmoJeito)
{
    ASSERT_TRUE(mostrarTela(QStringLiteral("Criando sua conta"), QStringLiteral("Gerando as chaves do seu cofre.")));
    auto *tela = achar<QQuickItem>(QStringLiteral("espera"));
    EXPECT_LT(tela->opacity(), 0.2);
    EXPECT_GT(tela->scale(), 1.015);
    avancar(120);
    capturar(QStringLiteral("tela-de-espera-entrando"));
    EXPECT_GT(tela->opacity(), 0.2);
    avancar(1000);
    EXPECT_DOUBLE_EQ(tela->opacity(), 1);
    EXPECT_DOUBLE_EQ(tela->scale(), 1);
    tela->setProperty("mostrada", false);
    avancar(1000);
    EXPECT_DOUBLE_EQ(tela->opacity(), 0);
    EXPECT_DOUBLE_EQ(tela->scale(), 1.02);
}

TEST_F(TelaDeEspera, ComMovimentoReduzidoOCadeadoFicaFechadoEOsPontosPulsam)
{
    MovimentoReduzido::instancia().definir(true);
    ASSERT_TRUE(mostrarTela(QStringLiteral("Sincronizando"), QStringLiteral("Buscando as mudanças.")));
    QObject *movimento = achar(QStringLiteral("cadeadoDaEspera"))->findChild<QObject *>("movimento");
    const double antes = movimento->property("escala1").toDouble();
    avancar(1152);
    EXPECT_EQ(movimento->property("giro").toDouble(), 0);
    EXPECT_EQ(movimento->property("subida").toDouble(), 0);
    EXPECT_NE(movimento->property("escala1").toDouble(), antes);
    capturar(QStringLiteral("tela-de-espera-movimento-reduzido"));
}

} // namespace
