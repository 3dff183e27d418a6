// The vault window's motion on the stepped clock: codes and counts that count up only when they
// change, the old section fading out under the new one, the banner entering from the top edge
// while the column below it moves on a spring.
#include "CofreNaTela.h"

#include "kit/Mola.h"
#include "kit/MovimentoReduzido.h"
#include "screens/vault/JanelaDoCofre.h"

#include <algorithm>

namespace {

class TextoQueConta : public TesteQuick {
protected:
    void TearDown() override
    {
        MovimentoReduzido::instancia().definir(false);
        TesteQuick::TearDown();
    }
    QQuickItem *numero()
    {
        return mostrar(importacoes + QStringLiteral("import Corvane.Cofre\n"
                                                    "TextoNumerico { objectName: \"numero\"; text: \"3\"; font.pixelSize: 20 }"),
                       QSize(120, 60));
    }
};

TEST_F(TextoQueConta, ContaParaCimaSoQuandoMuda)
{
    QQuickItem *raiz = numero();
    auto *atual = achar<QQuickItem>(QStringLiteral("textoAtual"));
    auto *anterior = achar<QQuickItem>(QStringLiteral("textoAnterior"));
    // The first value shows at once.
    EXPECT_FALSE(anterior->isVisible());
    EXPECT_DOUBLE_EQ(atual->opacity(), 1);
    EXPECT_DOUBLE_EQ(atual->y(), 0);

    // A change: the old text rises and fades out, the new one rises from below and fades in.
    raiz->setProperty("text", QStringLiteral("4"));
    avancar(48);
    EXPECT_TRUE(anterior->isVisible());
    EXPECT_EQ(anterior->property("text").toString(), QStringLiteral("3"));
    EXPECT_EQ(atual->property("text").toString(), QStringLiteral("4"));
    EXPECT_GT(atual->y(), 0);
    EXPECT_LT(anterior->y(), 0);
    EXPECT_GT(atual->opacity(), 0);
    EXPECT_LT(atual->opacity(), 1);
    avancar(1500);
    EXPECT_FALSE(anterior->isVisible());
    EXPECT_DOUBLE_EQ(atual->opacity(), 1);
    EXPECT_DOUBLE_EQ(atual->y(), 0);

    // The same text again starts nothing.
    raiz->setProperty("text", QStringLiteral("4"));
    avancar(16);
    EXPECT_FALSE(anterior->isVisible());
}

TEST_F(TextoQueConta, ComMovimentoReduzidoTrocaDeUmaVez)
{
    MovimentoReduzido::instancia().definir(true);
    QQuickItem *raiz = numero();
    raiz->setProperty("text", QStringLiteral("12"));
    avancar(16);
    EXPECT_FALSE(achar<QQuickItem>(QStringLiteral("textoAnterior"))->isVisible());
    EXPECT_DOUBLE_EQ(achar<QQuickItem>(QStringLiteral("textoAtual"))->y(), 0);
    EXPECT_EQ(achar<QQuickItem>(QStringLiteral("textoAtual"))->property("text").toString(), QStringLiteral("12"));
}

using SubtituloDaSecao = TesteQuick;

TEST_F(SubtituloDaSecao, ContagemNovaEsmaeceESecaoNovaTrocaDeUmaVez)
{
    QQuickItem *raiz = mostrar(importacoes + QStringLiteral("import Corvane.Cofre\n"
                                                            "CabecalhoDaSecaoNoMac { width: 600; secao: \"senhas\"; total: 3 }"),
                               QSize(600, 80), QStringLiteral("#ffffff"));
    auto *atual = achar<QQuickItem>(QStringLiteral("subtituloDaSecao"));
    auto *anterior = achar<QQuickItem>(QStringLiteral("subtituloAnterior"));
    ASSERT_TRUE(raiz && atual && anterior);
    EXPECT_FALSE(anterior->isVisible());
    EXPECT_DOUBLE_EQ(atual->opacity(), 1);

    // A new count: the two texts cross-fade on the default spring.
    raiz->setProperty("total", 4);
    EXPECT_EQ(atual->property("text").toString(), QStringLiteral("4 senhas, preenchidas sozinhas no navegador e nos apps."));
    EXPECT_EQ(anterior->property("text").toString(), QStringLiteral("3 senhas, preenchidas sozinhas no navegador e nos apps."));
    int passado = 0;
    for (int ms : {48, 160, 320}) {
        avancar(ms - passado);
        passado = ms;
        SCOPED_TRACE(ms);
        EXPECT_TRUE(anterior->isVisible());
        EXPECT_GT(atual->opacity(), 0.02);
        EXPECT_LT(atual->opacity(), 0.98);
        EXPECT_NEAR(atual->opacity() + anterior->opacity(), 1, 1e-6);
        EXPECT_NEAR(atual->opacity(), Mola::posicao(0.55, 1, ms / 1000.0), 0.08);
        if (ms == 160)
            capturar(QStringLiteral("cabecalho-contagem-esmaecendo"));
    }
    avancar(1500);
    EXPECT_FALSE(anterior->isVisible());
    EXPECT_DOUBLE_EQ(atual->opacity(), 1);

    // Another section, its count reaching the header before or after the section: no fade.
    const struct {
        const char *secao;
        int total;
        bool contagemPrimeiro;
        const char *texto;
    } trocas[] = {
        {"notas", 7, true, "7 notas protegidas com a sua chave."},
        {"codigos", 0, false, "Os códigos de verificação dos seus sites ficam aqui."},
    };
    for (const auto &troca : trocas) {
        SCOPED_TRACE(troca.secao);
        if (troca.contagemPrimeiro)
            raiz->setProperty("total", troca.total);
        raiz->setProperty("secao", QString::fromLatin1(troca.secao));
        if (!troca.contagemPrimeiro)
            raiz->setProperty("total", troca.total);
        avancar(16);
        EXPECT_EQ(atual->property("text").toString(), QString::fromUtf8(troca.texto));
        EXPECT_FALSE(anterior->isVisible());
        EXPECT_DOUBLE_EQ(atual->opacity(), 1);
    }
    // And a count change after that fades again.
    raiz->setProperty("total", 1);
    avancar(48);
    EXPECT_TRUE(anterior->isVisible());
}

using IlustracaoDoVazio = TesteQuick;

TEST_F(IlustracaoDoVazio, BalancoDoLadrilhoContinuaQuandoAOrbitaRecomeca)
{
    ASSERT_TRUE(mostrar(importacoes + QStringLiteral("import Corvane.Cofre\n"
                                                     "IlustracaoDoVazioNoMac { objectName: \"ilustracao\"; simbolo: \"number\" }"),
                        QSize(300, 200), QStringLiteral("#ffffff")));
    QObject *ilustracao = achar(QStringLiteral("ilustracao"));
    auto *ladrilho = achar<QQuickItem>(QStringLiteral("ladrilhoDoVazio"));
    ASSERT_TRUE(ilustracao && ladrilho);
    // The glow and the tile's shadow are blurred pictures (drawn by any renderer), not effects.
    EXPECT_TRUE(achar<QQuickItem>(QStringLiteral("brilhoDoVazio"))->inherits("SombraSuave"));
    EXPECT_TRUE(achar<QQuickItem>(QStringLiteral("sombraDoLadrilho"))->inherits("SombraSuave"));
    capturar(QStringLiteral("ilustracao-do-vazio"));
    // Every logo stands on the 250 × 150 orbit around the middle.
    QList<QQuickItem *> logos;
    for (QQuickItem *filho : qobject_cast<QQuickItem *>(ilustracao)->childItems())
        if (filho->objectName() == QStringLiteral("logoDoVazio"))
            logos.append(filho);
    ASSERT_EQ(logos.size(), 8);
    for (QQuickItem *logo : logos) {
        const double dx = (logo->x() + logo->width() / 2 - 150) / 125;
        const double dy = (logo->y() + logo->height() / 2 - 100) / 75;
        EXPECT_NEAR(dx * dx + dy * dy, 1, 0.02) << logo->x() << ", " << logo->y();
    }

    // Up to just before the orbit's 40-second loop starts again, then frame by frame across it.
    // The orbit and the bob move in steps of the shared 50 ms beat: the bob (4 points, 1.4 rad/s)
    // moves at most 4 × 1.4 × 0.05 points a step, also there, and holds still between steps.
    avancar(39000);
    double antes = ladrilho->y();
    const double faseAntes = ilustracao->property("fase").toDouble();
    double maior = 0, percorrido = 0;
    int parados = 0;
    bool recomecou = false;
    for (int quadro = 0; quadro < 125; ++quadro) {
        const double fase = ilustracao->property("fase").toDouble();
        avancar(16);
        recomecou = recomecou || ilustracao->property("fase").toDouble() < fase;
        const double passo = std::abs(ladrilho->y() - antes);
        maior = std::max(maior, passo);
        percorrido += passo;
        parados += passo == 0 ? 1 : 0;
        antes = ladrilho->y();
    }
    ASSERT_TRUE(recomecou) << "the orbit's loop must start again inside the window (from " << faseAntes << ")";
    EXPECT_LE(maior, 4 * 1.4 * 0.05 + 0.01);
    EXPECT_GT(percorrido, 1.0) << "the tile bobs across the two seconds";
    EXPECT_GT(parados, 60) << "between steps of the beat nothing moves";
}

class MovimentoDoCofre : public CofreNaTela {
protected:
    QQuickItem *em(QQuickItem *dentro, const char *nome)
    {
        return dentro->findChild<QQuickItem *>(QString::fromLatin1(nome));
    }
    qint64 inicioDoPeriodo() const { return (agoraDaTela.toSecsSinceEpoch() / 30 + 1) * 30; }
};

TEST_F(MovimentoDoCofre, CodigoContaNaViradaDoPeriodoENaoACadaSegundo)
{
    const QString id = semear(TipoDeItem::codigo, codigo(QStringLiteral("GitHub"), QStringLiteral("bia@exemplo.com")));
    ASSERT_TRUE(abrir());
    const qint64 inicio = inicioDoPeriodo();
    QQuickItem *digitos = em(item(QStringLiteral("cartao-") + id), "codigoDoCartao");
    QQuickItem *anterior = em(digitos, "textoAnterior");

    // A tick inside the period changes no digits and starts nothing.
    irPara(inicio + 28);
    avancar(1500);
    const QString velho = digitos->property("text").toString();
    irPara(inicio + 29);
    avancar(16);
    EXPECT_FALSE(anterior->isVisible());

    // The new period's code counts in over the old one.
    irPara(inicio + 30);
    avancar(48);
    EXPECT_TRUE(anterior->isVisible());
    EXPECT_EQ(anterior->property("text").toString(), velho);
    EXPECT_NE(digitos->property("text").toString(), velho);
    EXPECT_LT(em(digitos, "textoAtual")->opacity(), 1);
    avancar(1500);
    EXPECT_FALSE(anterior->isVisible());
    EXPECT_DOUBLE_EQ(em(digitos, "textoAtual")->opacity(), 1);
}

TEST_F(MovimentoDoCofre, SecaoVelhaSomeEnquantoANovaSobe)
{
    semear(TipoDeItem::codigo, codigo(QStringLiteral("GitHub"), QString()));
    ASSERT_TRUE(abrir());
    QQuickItem *saindo = item(QStringLiteral("secoesSaindo"));
    QQuickItem *conteudo = item(QStringLiteral("conteudoDaSecao"));
    EXPECT_TRUE(saindo->childItems().isEmpty());

    clicar(item(QStringLiteral("linha-senhas")));
    avancar(80);
    ASSERT_EQ(saindo->childItems().size(), 1);
    QQuickItem *velha = saindo->childItems().first();
    EXPECT_NE(velha->findChild<QQuickItem *>(QStringLiteral("gradeDeCodigosNoMac")), nullptr);
    EXPECT_GT(velha->opacity(), 0);
    EXPECT_LT(velha->opacity(), 1);
    ASSERT_EQ(conteudo->childItems().size(), 1);
    EXPECT_LT(conteudo->childItems().first()->opacity(), 1);
    // The new section is the one found by name while both show.
    EXPECT_EQ(item(QStringLiteral("portaoDasSecoes"))->parentItem()->parentItem(), conteudo->childItems().first());

    avancar(1000);
    EXPECT_TRUE(esperarAte([saindo] { return saindo->childItems().isEmpty(); }));
    EXPECT_DOUBLE_EQ(conteudo->childItems().first()->opacity(), 1);
}

TEST_F(MovimentoDoCofre, FaixaEntraPeloTopoEAColunaDesceNaMola)
{
    semear(TipoDeItem::codigo, codigo(QStringLiteral("GitHub"), QString()));
    ASSERT_TRUE(abrir());
    QQuickItem *cabecalho = item(QStringLiteral("cabecalhoDaSecao"));
    QQuickItem *topo = item(QStringLiteral("topoDoDetalhe"));
    const double yAntes = cabecalho->y();

    (void)janela()->grabWindow();
    estado->sessaoFoiEncerrada();
    avancar(64);
    QQuickItem *faixa = item(QStringLiteral("faixaDoCofre"));
    EXPECT_GT(faixa->opacity(), 0);
    EXPECT_LT(faixa->opacity(), 1);
    EXPECT_LT(faixa->y(), topo->y());
    // The header moves down on the column's spring rather than jumping: frame by frame it
    // passes through places between where it was and where it ends.
    QList<double> lugares;
    for (int quadro = 0; quadro < 40; ++quadro) {
        avancar(16);
        (void)janela()->grabWindow(); // a frame lays the column out, as the screen would
        lugares << cabecalho->y();
    }
    const double yDepois = lugares.last();
    EXPECT_GT(yDepois, yAntes + faixa->height());
    EXPECT_TRUE(std::any_of(lugares.begin(), lugares.end(),
                            [&](double y) { return y > yAntes + 1 && y < yDepois - 1; }));
    EXPECT_TRUE(std::is_sorted(lugares.begin(), lugares.end()));

    avancar(1000);
    EXPECT_DOUBLE_EQ(faixa->opacity(), 1);
    EXPECT_DOUBLE_EQ(faixa->y(), topo->y());
    EXPECT_DOUBLE_EQ(cabecalho->y(), yDepois);
    capturar(QStringLiteral("cofre-faixa"));
}

} // namespace
