// The root view: the phase screens and their transitions, the waiting screen over every phase,
// the toast overlay and the update banner.
#include "QuadroNaTela.h"

#include "kit/Paleta.h"
#include "kit/Presenca.h"

#include <QTest>

using Fase = EstadoDoApp::Fase;

namespace {

class RaizDoMac : public QuadroNaTela {
protected:
    QQuickItem *tela(const char *nome) { return achar<QQuickItem>(QString::fromLatin1(nome)); }
    QQuickItem *conteudoDe(const char *nome) { return tela(nome)->property("item").value<QQuickItem *>(); }
};

TEST_F(RaizDoMac, FasesTrocamComTransicaoECadaTelaNasceDeNovo)
{
    ASSERT_TRUE(mostrarRaiz());
    // Starting: the plain background and nothing else.
    EXPECT_TRUE(tela("telaIniciando")->isVisible());
    for (const char *nome : {"telaSemConta", "telaBloqueado", "telaAberto"})
        EXPECT_FALSE(tela(nome)->isVisible()) << nome;
    // The window behind is magenta: the fill is the root's own.
    const QImage inicio = capturar(QStringLiteral("raiz-iniciando"));
    EXPECT_EQ(inicio.pixelColor(520, 340), Paleta::fundo());
    EXPECT_EQ(inicio.pixelColor(3, 3), Paleta::fundo());

    fase(Fase::semConta);
    EXPECT_FALSE(tela("telaIniciando")->isVisible()); // no transition of its own
    EXPECT_LT(tela("telaSemConta")->opacity(), 0.2);
    avancar(120);
    const double meio = tela("telaSemConta")->opacity();
    EXPECT_GT(meio, 0.2);
    EXPECT_LT(meio, 1);
    avancar(1000);
    EXPECT_DOUBLE_EQ(tela("telaSemConta")->opacity(), 1);
    QQuickItem *primeira = conteudoDe("telaSemConta");
    ASSERT_TRUE(primeira);
    EXPECT_EQ(primeira->property("fase").toString(), QStringLiteral("semConta"));

    // The lock screen fades in while the signed-out one fades out; then the old one is gone.
    fase(Fase::bloqueado);
    avancar(120);
    EXPECT_GT(tela("telaBloqueado")->opacity(), 0.2);
    EXPECT_LT(tela("telaSemConta")->opacity(), 0.8);
    EXPECT_TRUE(tela("telaSemConta")->isVisible());
    avancar(1000);
    EXPECT_FALSE(tela("telaSemConta")->isVisible());
    EXPECT_EQ(conteudoDe("telaSemConta"), nullptr);
    EXPECT_DOUBLE_EQ(tela("telaBloqueado")->opacity(), 1);

    // Back to signed out: a new screen, its view state fresh.
    fase(Fase::semConta);
    avancar(1200);
    ASSERT_TRUE(conteudoDe("telaSemConta"));
    EXPECT_NE(conteudoDe("telaSemConta"), primeira);

    // Open with no vault store: nothing over the window's background.
    fase(Fase::aberto);
    avancar(1200);
    for (const char *nome : {"telaIniciando", "telaSemConta", "telaBloqueado", "telaAberto"})
        EXPECT_FALSE(tela(nome)->isVisible()) << nome;
    EXPECT_EQ(capturar(QStringLiteral("raiz-aberto-sem-cofre")).pixelColor(520, 340), QColor(255, 0, 255));
}

TEST_F(RaizDoMac, EsperaCobreCadaFaseESaiDeixandoATelaDeBaixo)
{
    ASSERT_TRUE(mostrarRaiz());
    const struct {
        Fase fase;
        const char *tela;
    } casos[] = {{Fase::iniciando, "telaIniciando"},
                 {Fase::semConta, "telaSemConta"},
                 {Fase::bloqueado, "telaBloqueado"},
                 {Fase::aberto, nullptr}};
    for (const auto &caso : casos) {
        SCOPED_TRACE(static_cast<int>(caso.fase));
        fase(caso.fase);
        avancar(1200);
        trabalhando(Trabalho{QStringLiteral("Entrando no cofre"), QStringLiteral("Abrindo as chaves.")});
        avancar(1200);
        // Above the phase's screen.
        auto *carregador = achar<QQuickItem>(QStringLiteral("carregadorDaEspera"));
        EXPECT_GT(carregador->z(), 0);
        auto *espera = carregador->property("item").value<QQuickItem *>();
        ASSERT_TRUE(espera);
        EXPECT_DOUBLE_EQ(espera->opacity(), 1);
        auto textoDaEspera = [espera](const char *nome) {
            return espera->findChild<QQuickItem *>(QString::fromLatin1(nome))->property("text").toString();
        };
        EXPECT_EQ(textoDaEspera("tituloDaEspera"), QStringLiteral("Entrando no cofre"));
        EXPECT_EQ(textoDaEspera("detalheDaEspera"), QStringLiteral("Abrindo as chaves."));
        if (caso.fase == Fase::bloqueado)
            capturar(QStringLiteral("raiz-espera-sobre-bloqueado"));

        // Cleared: it fades out with its texts and leaves the screen beneath.
        trabalhando(std::nullopt);
        avancar(60);
        EXPECT_GT(espera->opacity(), 0);
        EXPECT_EQ(textoDaEspera("tituloDaEspera"), QStringLiteral("Entrando no cofre"));
        avancar(1200);
        EXPECT_FALSE(carregador->property("active").toBool());
        if (caso.tela) {
            EXPECT_TRUE(tela(caso.tela)->isVisible());
        }
    }
}

TEST_F(RaizDoMac, AvisoNaoBloqueiaCliqueEDoisIguaisSaoDuasCapsulas)
{
    // A button right under where the toast shows.
    ASSERT_TRUE(mostrar(importacoes + QStringLiteral(R"(
import QtQuick.Controls.Basic
Item {
    anchors.fill: parent
    property int cliques: 0
    Button {
        objectName: "debaixo"
        x: 170; y: 0; width: 300; height: 80
        text: "Debaixo"
        onClicked: parent.cliques++
    }
    AvisosNoMac {
        objectName: "avisos"
        anchors.fill: parent
        avisos: estadoDeTeste.avisos
    }
})"),
                       QSize(640, 400)));
    estado->avisos()->mostrar(QStringLiteral("Código copiado"), QStringLiteral("checkmark.circle.fill"));
    avancar(800);
    auto *avisos = achar<QQuickItem>(QStringLiteral("avisos"));
    auto *primeira = avisos->property("atual").value<QQuickItem *>();
    ASSERT_TRUE(primeira);
    EXPECT_DOUBLE_EQ(primeira->y(), 12);
    EXPECT_EQ(primeira->findChild<QQuickItem *>(QStringLiteral("textoDoAviso"))->property("text").toString(),
              QStringLiteral("Código copiado"));
    const QPoint noAviso = centro(primeira);
    EXPECT_TRUE(primeira->contains(primeira->mapFromScene(noAviso)));
    QTest::mouseClick(janela(), Qt::LeftButton, {}, noAviso);
    EXPECT_EQ(raiz()->property("cliques").toInt(), 1);

    // The same text again: a new capsule enters while the old one leaves.
    QPointer<QQuickItem> antiga(primeira);
    estado->avisos()->mostrar(QStringLiteral("Código copiado"), QStringLiteral("checkmark.circle.fill"));
    auto *segunda = avisos->property("atual").value<QQuickItem *>();
    ASSERT_TRUE(segunda);
    EXPECT_NE(segunda, primeira);
    EXPECT_NE(segunda->property("idDoAviso"), primeira->property("idDoAviso"));
    EXPECT_TRUE(primeira->property("saindo").toBool());
    avancar(100);
    EXPECT_EQ(avisos->findChildren<QQuickItem *>(QStringLiteral("capsulaDoAviso")).size(), 2);
    avancar(1000);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(antiga.isNull());
    EXPECT_EQ(avisos->findChildren<QQuickItem *>(QStringLiteral("capsulaDoAviso")).size(), 1);

    // Cleared: it leaves and nothing remains.
    estado->avisos()->definirAtual(std::nullopt);
    avancar(600);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(avisos->findChildren<QQuickItem *>(QStringLiteral("capsulaDoAviso")).isEmpty());
}

TEST_F(RaizDoMac, AvisoSobreUmaTela)
{
    ASSERT_TRUE(mostrarRaiz());
    fase(Fase::bloqueado);
    avancar(1200);
    estado->avisos()->mostrar(QStringLiteral("Senha copiada"), QStringLiteral("checkmark.circle.fill"));
    avancar(800);
    auto *capsula = achar<QQuickItem>(QStringLiteral("capsulaDoAviso"));
    ASSERT_TRUE(capsula);
    EXPECT_DOUBLE_EQ(capsula->mapToScene(QPointF()).y(), 12);
    EXPECT_NEAR(capsula->mapToScene(QPointF(capsula->width() / 2, 0)).x(), 520, 1);
    capturar(QStringLiteral("raiz-aviso"));
}

TEST_F(RaizDoMac, FaixaEmpurraOConteudoParaBaixo)
{
    ASSERT_TRUE(mostrarRaiz());
    fase(Fase::bloqueado);
    avancar(1200);
    auto *faixa = achar<QQuickItem>(QStringLiteral("faixaDeAtualizacao"));
    auto *conteudo = achar<QQuickItem>(QStringLiteral("conteudoDaRaiz"));
    EXPECT_DOUBLE_EQ(faixa->height(), 0);
    EXPECT_DOUBLE_EQ(conteudo->y(), 0);

    publicarEProcurar(QStringLiteral("1.5.2"));
    avancar(100);
    EXPECT_TRUE(faixa->isVisible());
    EXPECT_GT(faixa->height(), 30);
    EXPECT_DOUBLE_EQ(conteudo->y(), faixa->height());
    EXPECT_DOUBLE_EQ(conteudo->height(), 680 - faixa->height());
    EXPECT_EQ(achar<QQuickItem>(QStringLiteral("textoDaFaixa"))->property("text").toString(),
              QStringLiteral("A versão 1.5.2 do Corvane está disponível."));
    // The toast sits 12 points below the banner.
    estado->avisos()->mostrar(QStringLiteral("Nota salva"), QStringLiteral("checkmark.circle.fill"));
    avancar(800);
    EXPECT_DOUBLE_EQ(achar<QQuickItem>(QStringLiteral("capsulaDoAviso"))->mapToScene(QPointF()).y(),
                     faixa->height() + 12);
    estado->avisos()->definirAtual(std::nullopt);
    avancar(600);
    capturar(QStringLiteral("raiz-faixa-de-atualizacao"));

    QTest::mouseClick(janela(), Qt::LeftButton, {}, centro(achar<QQuickItem>(QStringLiteral("baixar"))));
    ASSERT_EQ(abertos.size(), 1);
    EXPECT_EQ(abertos.first().path(), QStringLiteral("/downloads/"));

    // A check that finds the installed version current takes the banner away.
    publicarEProcurar(QStringLiteral("1.4"));
    avancar(100);
    EXPECT_FALSE(faixa->isVisible());
    EXPECT_DOUBLE_EQ(conteudo->y(), 0);
}

} // namespace

TEST_F(RaizDoMac, EsperaDesfeitaAntesDoPrimeiroQuadroSaiENaoComeCliques)
{
    // Cleared in the same frame, one frame later, and after the entrance has played a little.
    for (const int quadros : {0, 1, 2}) {
        SCOPED_TRACE(quadros);
        ASSERT_TRUE(mostrar(importacoes + QStringLiteral(R"(
import QtQuick.Controls.Basic
RaizDoMac {
    anchors.fill: parent
    comecarAoMostrar: false
    estado: estadoDeTeste
    atualizacao: atualizacaoDeTeste
    preenchimento: preenchimentoDeTeste
    property int cliques: 0
    telaSemConta: Component {
        Button {
            objectName: "formulario"
            text: "Entrar"
            onClicked: cliques++
        }
    }
})"),
                            QSize(640, 400)));
        fase(Fase::semConta);
        avancar(1200);
        auto *formulario = achar<QQuickItem>(QStringLiteral("formulario"));
        ASSERT_TRUE(formulario);

        trabalhando(Trabalho{QStringLiteral("Entrando no cofre"), QStringLiteral("Abrindo as chaves.")});
        for (int i = 0; i < quadros; ++i)
            avancar(16);
        auto *carregador = achar<QQuickItem>(QStringLiteral("carregadorDaEspera"));
        auto *espera = carregador->property("item").value<QQuickItem *>();
        ASSERT_TRUE(espera);
        const bool apareceu = espera->opacity() >= Presenca::opacidadeMinima;
        trabalhando(std::nullopt);
        avancar(32);
        // Before it showed, it is gone at once; once it showed, it fades out. Either way the
        // first click reaches the screen below.
        EXPECT_EQ(carregador->property("active").toBool(), apareceu);
        if (quadros == 0) {
            EXPECT_FALSE(apareceu);
        }
        QTest::mouseClick(janela(), Qt::LeftButton, {}, centro(formulario));
        EXPECT_EQ(raiz()->property("cliques").toInt(), 1);
        avancar(1200);
        EXPECT_FALSE(carregador->property("active").toBool());
    }
}

TEST_F(RaizDoMac, DoisAvisosNoMesmoQuadroNaoDeixamCapsulaInvisivel)
{
    ASSERT_TRUE(mostrarRaiz(QSize(640, 400)));
    auto *avisos = achar<QQuickItem>(QStringLiteral("avisosNoMac"));
    // Two notices in one frame: the first capsule is replaced before it ever moved.
    estado->avisos()->mostrar(QStringLiteral("Código copiado"), QStringLiteral("checkmark.circle.fill"));
    estado->avisos()->mostrar(QStringLiteral("Senha copiada"), QStringLiteral("checkmark.circle.fill"));
    avancar(1000);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const auto capsulas = avisos->findChildren<QQuickItem *>(QStringLiteral("capsulaDoAviso"));
    ASSERT_EQ(capsulas.size(), 1);
    EXPECT_EQ(capsulas.front()->property("texto").toString(), QStringLiteral("Senha copiada"));

    // Shown and cleared in one frame: nothing is left either.
    estado->avisos()->definirAtual(std::nullopt);
    estado->avisos()->mostrar(QStringLiteral("Nota copiada"), QStringLiteral("checkmark.circle.fill"));
    estado->avisos()->definirAtual(std::nullopt);
    avancar(1000);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(avisos->findChildren<QQuickItem *>(QStringLiteral("capsulaDoAviso")).isEmpty());
}
