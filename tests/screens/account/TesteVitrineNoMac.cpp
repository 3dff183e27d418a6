// The onboarding showcase on screen, on the stepped clock: the card stack's rotation, the phrase
// sequence, the cipher line, the orbit at fixed times, reduce motion read when the loops start,
// and every loop and frame callback stopping when the showcase goes off screen.
#include "Formulario.h"

#include "kit/MovimentoReduzido.h"
#include "screens/account/RegrasDaVitrine.h"

#include <QJSValue>
#include <QQuickItem>
#include <QTest>


namespace {

// The screen tests' clock starts at 2026-03-02 09:41:00 UTC: seconds since 2001-01-01.
constexpr double inicioDesde2001 = 1772444460.0 - 978307200.0;

// The showcase as the signed-out window gives it: the right side of the window, 16 points in,
// on screen while the window is 900 points or wider.
const QString janelaComVitrine = importacoesDaConta + QStringLiteral(R"(
Rectangle {
    id: janela
    property bool coberta: false
    anchors.fill: parent
    color: Paleta.fundo
    Rectangle {
        objectName: "painelDaConta"
        visible: janela.width >= 900
        width: 460
        height: parent.height
        color: Paleta.superficie
    }
    VitrineNoMac {
        objectName: "vitrine"
        x: 460 + 16
        y: 16
        width: parent.width - 460 - 32
        height: parent.height - 32
        visible: janela.width >= 900
        ativa: visible && !janela.coberta
    }
}
)");

class Vitrine : public TesteQuick {
protected:
    QQuickItem *abrir(QSize tamanho = QSize(1040, 680))
    {
        QQuickItem *raiz = mostrar(janelaComVitrine, tamanho);
        vitrine_ = achar<QQuickItem>(QStringLiteral("vitrine"));
        return raiz;
    }
    [[nodiscard]] QList<int> ordem() const
    {
        QVariant valor = vitrine_->property("ordem");
        if (valor.metaType() == QMetaType::fromType<QJSValue>())
            valor = valor.value<QJSValue>().toVariant();
        QList<int> lista;
        for (const QVariant &k : valor.toList())
            lista << k.toInt();
        return lista;
    }
    [[nodiscard]] int frase() const { return vitrine_->property("frase").toInt(); }
    QQuickItem *cartao(int k) { return achar<QQuickItem>(QStringLiteral("cartaoDaVitrine%1").arg(k)); }
    // A tile's centre in the stage's coordinates.
    QPointF centroDoAzulejo(int i)
    {
        auto *azulejo = achar<QQuickItem>(QStringLiteral("azulejoDaOrbita%1").arg(i));
        return azulejo->mapToItem(achar<QQuickItem>(QStringLiteral("palcoDaVitrine")),
                                  QPointF(azulejo->width() / 2, azulejo->height() / 2));
    }
    // Every loop counter and frame clock of the showcase, and whether any of them runs.
    bool algumLacoRodando()
    {
        bool rodando = false;
        for (const char *nome : {"lacoDaPilha", "lacoDaFrase", "lacoDaCifra"})
            rodando = rodando || achar(QString::fromLatin1(nome))->property("contando").toBool();
        for (const char *nome : {"tempoDaOrbita", "tempoDasManchas"}) {
            if (QObject *tempo = procurarOpcional(QString::fromLatin1(nome)))
                rodando = rodando || tempo->property("rodando").toBool();
        }
        return rodando;
    }
    QObject *procurarOpcional(const QString &nome)
    {
        const QList<QObject *> todos = raiz()->findChildren<QObject *>(nome);
        if (!todos.isEmpty())
            return todos.first();
        for (QQuickItem *item : raiz()->findChildren<QQuickItem *>()) {
            for (QObject *filho : item->children()) {
                if (filho->objectName() == nome)
                    return filho;
            }
        }
        return nullptr;
    }

    // The X server answers a resize asynchronously: wait for the root to take the new width.
    void redimensionar(int largura)
    {
        janela()->resize(largura, 680);
        EXPECT_TRUE(QTest::qWaitFor([this, largura] { return qobject_cast<QQuickItem *>(raiz())->width() == largura; },
                                    10000));
        avancar(16);
    }

    QQuickItem *vitrine_ = nullptr;
};

TEST_F(Vitrine, PilhaGiraACada4600msComOUltimoCartaoNaFrente)
{
    ASSERT_TRUE(abrir());
    EXPECT_EQ(ordem(), (QList<int>{0, 1, 2}));
    EXPECT_TRUE(cartao(0)->property("frente").toBool());
    avancar(4590);
    EXPECT_EQ(ordem(), (QList<int>{0, 1, 2}));
    avancar(20);
    EXPECT_EQ(ordem(), (QList<int>{2, 0, 1}));
    avancar(2000); // the spring settles
    // Nubank in front at full size; GitHub one step back, Google two steps back and faded.
    struct Esperado {
        int k;
        double escala, y, opacidade;
        bool frente;
    };
    const Esperado depoisDeUma[] = {{2, 1, 0, 1, true}, {0, 0.94, -22, 1, false}, {1, 0.88, -44, 0.7, false}};
    for (const Esperado &e : depoisDeUma) {
        SCOPED_TRACE(e.k);
        QQuickItem *c = cartao(e.k);
        EXPECT_NEAR(c->scale(), e.escala, 1e-3);
        EXPECT_NEAR(c->mapToItem(c->parentItem(), QPointF(0, 0)).y() - (c->height() * (1 - e.escala) / 2), e.y, 0.5);
        EXPECT_NEAR(c->opacity(), e.opacidade, 1e-3);
        EXPECT_EQ(c->property("frente").toBool(), e.frente);
    }
    EXPECT_GT(cartao(2)->z(), cartao(0)->z());
    EXPECT_GT(cartao(0)->z(), cartao(1)->z());
    EXPECT_EQ(achar<QObject>(QStringLiteral("tituloDoCartao"))->property("text").toString(), QStringLiteral("GitHub"))
        << "the first title found is card 0's, present but hidden";
    EXPECT_EQ(cartao(0)->findChild<QQuickItem *>(QStringLiteral("conteudo"))->opacity(), 0);
    EXPECT_EQ(cartao(2)->findChild<QQuickItem *>(QStringLiteral("conteudo"))->opacity(), 1);
    capturar(QStringLiteral("vitrine-depois-de-um-giro"));

    avancar(4600);
    EXPECT_EQ(ordem(), (QList<int>{1, 2, 0}));
    EXPECT_TRUE(cartao(1)->property("frente").toBool());
    avancar(4600);
    EXPECT_EQ(ordem(), (QList<int>{0, 1, 2})) << "three rotations come back to the start";
}

TEST_F(Vitrine, FrasesTrocamACada3600msComACapsulaDaVez)
{
    ASSERT_TRUE(abrir());
    const int esperadas[] = {1, 2, 3, 0, 1};
    EXPECT_EQ(frase(), 0);
    avancar(3590);
    EXPECT_EQ(frase(), 0);
    avancar(10);
    for (int n = 0; n < 5; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(frase(), esperadas[n]);
        avancar(600); // the 0.45 s swap has ended
        for (int i = 0; i < 4; ++i) {
            auto *capsula = achar<QQuickItem>(QStringLiteral("capsula%1").arg(i));
            EXPECT_DOUBLE_EQ(capsula->width(), i == esperadas[n] ? 26 : 8) << i;
            auto *texto = achar<QQuickItem>(QStringLiteral("frase%1").arg(i));
            EXPECT_DOUBLE_EQ(texto->opacity(), i == esperadas[n] ? 1 : 0) << i;
        }
        EXPECT_DOUBLE_EQ(achar<QQuickItem>(QStringLiteral("frase%1").arg(esperadas[n]))->y(), 0);
        avancar(3000);
    }
    EXPECT_EQ(achar<QObject>(QStringLiteral("frase2"))->property("text").toString(),
              QStringLiteral("No iPhone, iPad, Mac e Apple Watch"));
}

TEST_F(Vitrine, FraseQueSaiSobeEAQueEntraVemDeBaixo)
{
    ASSERT_TRUE(abrir());
    avancar(3600 + 225); // half way through the first swap
    auto *saindo = achar<QQuickItem>(QStringLiteral("frase0"));
    auto *entrando = achar<QQuickItem>(QStringLiteral("frase1"));
    EXPECT_LT(saindo->y(), 0);
    EXPECT_GT(entrando->y(), 0);
    EXPECT_GT(saindo->opacity(), 0);
    EXPECT_LT(saindo->opacity(), 1);
    capturar(QStringLiteral("vitrine-frase-trocando"));
}

TEST_F(Vitrine, LinhaDaCifraVaiDaSenhaAoEnvelopeACada2400ms)
{
    ASSERT_TRUE(abrir());
    auto opacidade = [this](const char *nome) {
        return achar<QQuickItem>(QString::fromLatin1(nome))->parentItem()->opacity();
    };
    auto texto = [this](const char *nome) { return achar<QObject>(QString::fromLatin1(nome))->property("text").toString(); };
    EXPECT_EQ(texto("legendaAberta"), QStringLiteral("Senha do banco"));
    EXPECT_EQ(texto("valorAberto"), RegrasDaVitrine::senhaDeExemplo());
    EXPECT_EQ(texto("legendaFechada"), QStringLiteral("Cifrado antes de sair do computador"));
    EXPECT_EQ(texto("valorFechado"), RegrasDaVitrine::envelopeDeExemplo());
    EXPECT_EQ(opacidade("legendaAberta"), 1);
    EXPECT_EQ(opacidade("legendaFechada"), 0);
    avancar(2390);
    EXPECT_EQ(opacidade("legendaAberta"), 1);
    avancar(10 + 250);
    const double meio = achar<QQuickItem>(QStringLiteral("legendaFechada"))->parentItem()->opacity();
    EXPECT_GT(meio, 0.2) << "cross-fading";
    EXPECT_LT(meio, 0.8) << "cross-fading";
    avancar(300);
    EXPECT_DOUBLE_EQ(opacidade("legendaFechada"), 1);
    EXPECT_DOUBLE_EQ(opacidade("legendaAberta"), 0);
    capturar(QStringLiteral("vitrine-cifra-fechada"));
    avancar(2400);
    EXPECT_DOUBLE_EQ(opacidade("legendaAberta"), 1);
}

TEST_F(Vitrine, CodigosSaoOsDoRelogioEMudamNaViradaDoPeriodo)
{
    ASSERT_TRUE(abrir());
    auto leitura = [this](int k) { return cartao(k)->findChild<QObject *>(QStringLiteral("leitura")); };
    EXPECT_EQ(leitura(0)->property("codigo").toString(), QStringLiteral("895 263"));
    EXPECT_EQ(leitura(1)->property("codigo").toString(), QStringLiteral("027 558"));
    EXPECT_EQ(leitura(2)->property("codigo").toString(), QStringLiteral("729 566"));
    auto *segundos = cartao(0)->findChild<QObject *>(QStringLiteral("segundosDoCartao"));
    EXPECT_EQ(segundos->property("text").toString(), QStringLiteral("30"));
    avancar(1000);
    EXPECT_EQ(segundos->property("text").toString(), QStringLiteral("29"));
    avancar(29000);
    EXPECT_EQ(leitura(0)->property("codigo").toString(), QStringLiteral("683 379"));
    EXPECT_EQ(leitura(2)->property("codigo").toString(), QStringLiteral("829 201"));
}

TEST_F(Vitrine, OrbitaNaHoraDoRelogioEUmQuartoDeVoltaEm22sEMeio)
{
    ASSERT_TRUE(abrir());
    auto *palco = achar<QQuickItem>(QStringLiteral("palcoDaVitrine"));
    const double w = palco->width();
    const double h = palco->height();
    EXPECT_DOUBLE_EQ(h, 300);
    EXPECT_DOUBLE_EQ(w, 1040 - 460 - 32 - 56);
    double decorrido = 0;
    // At the start, 7.3 s later and a quarter turn (22.5 s) after that.
    for (const int passo : {0, 7300, 22500}) {
        avancar(passo);
        decorrido += passo / 1000.0;
        SCOPED_TRACE(decorrido);
        const double t = inicioDesde2001 + decorrido;
        EXPECT_NEAR(achar(QStringLiteral("tempoDaOrbita"))->property("t").toDouble(), t, 1e-6);
        // Each tile stands on the whole window pixel nearest its place on the orbit.
        for (int i = 0; i < 10; ++i) {
            const QPointF esperado = vitrine::posicaoNaOrbita(i, t, w, h);
            const QPointF centro = centroDoAzulejo(i);
            EXPECT_NEAR(centro.x(), esperado.x(), 0.5) << i;
            EXPECT_NEAR(centro.y(), esperado.y(), 0.5) << i;
            auto *azulejo = achar<QQuickItem>(QStringLiteral("azulejoDaOrbita%1").arg(i));
            const QPointF naJanela = azulejo->mapToScene(QPointF(0, 0));
            EXPECT_EQ(naJanela, QPointF(naJanela.toPoint())) << i;
        }
    }
    // The dashed ellipse's picture: on whole points, holding the path's box and a point of room
    // on every side of it.
    auto *elipse = achar<QQuickItem>(QStringLiteral("tracoDaOrbita"));
    const QRectF caixa(w / 2 - vitrine::raioXDaOrbita(w) - 1, h / 2 - vitrine::raioYDaOrbita(w) - 1,
                       2 * vitrine::raioXDaOrbita(w) + 2, 2 * vitrine::raioYDaOrbita(w) + 2);
    const QRectF figura(elipse->position(), elipse->size());
    EXPECT_EQ(figura, QRectF(figura.toAlignedRect()));
    EXPECT_TRUE(figura.contains(caixa));
    EXPECT_LT(figura.width() - caixa.width(), 2);
    EXPECT_LT(figura.height() - caixa.height(), 2);
}

// The slow layers change at most 20 times a second: their time holds between 50 ms steps and
// lands on each step exactly, so the drawing they cause is a third of following every frame.
TEST_F(Vitrine, OrbitaEManchasAndamEmPassosDe50ms)
{
    ASSERT_TRUE(abrir());
    for (const char *nome : {"tempoDaOrbita", "tempoDasManchas"}) {
        SCOPED_TRACE(nome);
        QObject *tempo = achar(QString::fromLatin1(nome));
        const double t0 = tempo->property("t").toDouble();
        struct Passo {
            int ms;
            double esperado;
        };
        for (const Passo &passo : {Passo{16, 0}, Passo{33, 0}, Passo{1, 0.05}, Passo{49, 0.05}, Passo{1, 0.1},
                                   Passo{1000, 1.1}}) {
            avancar(passo.ms);
            EXPECT_NEAR(tempo->property("t").toDouble() - t0, passo.esperado, 1e-6) << passo.ms;
        }
    }
}

TEST_F(Vitrine, MovimentoReduzidoAoAparecerDeixaPilhaFraseEOrbitaParadas)
{
    MovimentoReduzido::instancia().definir(true);
    ASSERT_TRUE(abrir());
    EXPECT_EQ(achar(QStringLiteral("camadaDasManchas"))->property("item").value<QObject *>(), nullptr)
        << "no blob layer";
    const QPointF antes = centroDoAzulejo(3);
    auto *halo = achar<QQuickItem>(QStringLiteral("haloDoPonto"));
    const double haloAntes = halo->scale();
    auto *segundos = cartao(0)->findChild<QObject *>(QStringLiteral("segundosDoCartao"));
    capturar(QStringLiteral("vitrine-movimento-reduzido-0s"));
    avancar(700);
    EXPECT_NE(halo->scale(), haloAntes) << "the dot pulses regardless";
    avancar(15000);
    EXPECT_EQ(ordem(), (QList<int>{0, 1, 2}));
    EXPECT_TRUE(cartao(0)->property("frente").toBool());
    EXPECT_EQ(frase(), 0);
    EXPECT_EQ(centroDoAzulejo(3), antes) << "the orbit stands still";
    EXPECT_EQ(segundos->property("text").toString(), QStringLiteral("15")) << "codes still tick";
    EXPECT_EQ(achar(QStringLiteral("lacoDaCifra"))->property("passos").toInt(), 6) << "the cipher line still flips";
    capturar(QStringLiteral("vitrine-movimento-reduzido-15s"));
    MovimentoReduzido::instancia().definir(false);
}

TEST_F(Vitrine, MovimentoReduzidoLigadoDepoisNaoParaOsLacosMasTiraAsManchasEParaAOrbita)
{
    ASSERT_TRUE(abrir());
    EXPECT_NE(achar(QStringLiteral("camadaDasManchas"))->property("item").value<QObject *>(), nullptr);
    avancar(1000);
    MovimentoReduzido::instancia().definir(true);
    avancar(100);
    EXPECT_EQ(achar(QStringLiteral("camadaDasManchas"))->property("item").value<QObject *>(), nullptr);
    const QPointF antes = centroDoAzulejo(0);
    avancar(4000);
    EXPECT_EQ(centroDoAzulejo(0), antes);
    EXPECT_EQ(ordem(), (QList<int>{2, 0, 1})) << "the running stack loop goes on";
    EXPECT_EQ(frase(), 1) << "the running phrase loop goes on";
    MovimentoReduzido::instancia().definir(false);
}

TEST_F(Vitrine, AbaixoDe900PontosOuCobertaTudoParaEAoVoltarContinua)
{
    ASSERT_TRUE(abrir());
    avancar(5000);
    EXPECT_TRUE(algumLacoRodando());
    EXPECT_EQ(ordem(), (QList<int>{2, 0, 1}));

    redimensionar(899);
    EXPECT_FALSE(vitrine_->property("ativa").toBool());
    EXPECT_FALSE(algumLacoRodando());
    // Nothing under the showcase keeps an animation going, once the transitions under way
    // (a spring, the ring's last second) have ended.
    avancar(1500);
    for (QObject *objeto : vitrine_->findChildren<QObject *>()) {
        const QVariant rodando = objeto->property("running");
        if (rodando.isValid()) {
            EXPECT_FALSE(rodando.toBool()) << objeto->metaObject()->className() << " in "
                                           << objeto->parent()->metaObject()->className();
        }
    }
    const QPointF azulejo = centroDoAzulejo(0);
    const double halo = achar<QQuickItem>(QStringLiteral("haloDoPonto"))->scale();
    auto *segundos = cartao(0)->findChild<QObject *>(QStringLiteral("segundosDoCartao"));
    const QString segundosAntes = segundos->property("text").toString();
    avancar(10000);
    EXPECT_EQ(ordem(), (QList<int>{2, 0, 1}));
    EXPECT_EQ(centroDoAzulejo(0), azulejo);
    EXPECT_EQ(achar<QQuickItem>(QStringLiteral("haloDoPonto"))->scale(), halo);
    EXPECT_EQ(segundos->property("text").toString(), segundosAntes) << "the cards stop following the clock";

    // Wide again (the same showcase, not a new column): it goes on from where it stopped, 0.4 s
    // into the stack's second sleep and 1.4 s into the phrases' second.
    redimensionar(1040);
    EXPECT_TRUE(algumLacoRodando());
    EXPECT_EQ(ordem(), (QList<int>{2, 0, 1}));
    EXPECT_EQ(frase(), 1);
    EXPECT_NE(segundos->property("text").toString(), segundosAntes);
    avancar(2100);
    EXPECT_EQ(frase(), 1);
    avancar(200);
    EXPECT_EQ(frase(), 2) << "the phrase's sleep went on, it did not start again";
    avancar(1800);
    EXPECT_EQ(ordem(), (QList<int>{2, 0, 1}));
    avancar(200);
    EXPECT_EQ(ordem(), (QList<int>{1, 2, 0}));

    // Covered: the same.
    raiz()->setProperty("coberta", true);
    avancar(16);
    EXPECT_FALSE(algumLacoRodando());
}

TEST_F(Vitrine, CapturasEmVariosMomentos)
{
    ASSERT_TRUE(abrir());
    avancar(1200);
    capturar(QStringLiteral("vitrine-1040-1s"));
    avancar(3800 + 2000);
    capturar(QStringLiteral("vitrine-1040-7s"));
    avancar(9000);
    capturar(QStringLiteral("vitrine-1040-16s"));
}

TEST_F(Vitrine, CapturaLarga)
{
    ASSERT_TRUE(abrir(QSize(1400, 680)));
    avancar(1200);
    capturar(QStringLiteral("vitrine-1400-1s"));
}

} // namespace
