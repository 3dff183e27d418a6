// The automatic sync loop, the sidebar's status line and the banners, over the vault window's
// object tree against the development server, on the screens' clock.
#include "SincroniaNaTela.h"

#include "servidor/ServidorDeDesenvolvimento.h"
#include "support/Executar.h"

#include <QGuiApplication>
#include <QPointer>
#include <QQuickWindow>
#include <QTest>

namespace {

// Each status state's row (by objectName) and text.
QString textoDe(QQuickItem *linha)
{
    auto *texto = linha->findChild<QQuickItem *>(QStringLiteral("textoDaLinha"));
    return texto ? texto->property("text").toString() : QString();
}

} // namespace

TEST_F(SincroniaNaTela, LacoEsperaVinteSegundosESoSincronizaEmPrimeiroPlano)
{
    abrirComSincronia();
    esperarOciosoELimpar();
    const qint64 inicio = agoraDaTela.toSecsSinceEpoch();

    irPara(inicio + 19);
    EXPECT_EQ(sincronias(), 0) << "nothing before 20 seconds";
    irPara(inicio + 20);
    EXPECT_TRUE(esperarAte([this] { return sincronias() == 1 && !cofre().sincronizando(); }));

    // In the background the loop keeps waking and sends nothing.
    estado->aoIrParaSegundoPlano();
    servidor.limparPedidos();
    irPara(inicio + 40);
    irPara(inicio + 60);
    QCoreApplication::processEvents();
    EXPECT_EQ(sincronias(), 0);

    // A failed pass does not stop the loop: the next one tries again.
    estado->aoVoltarAoPrimeiroPlano(); // the state syncs by itself on return
    esperarOciosoELimpar();
    servidor.falharProximas(-1, Servidor::Falha::conexaoDerrubada(), QStringLiteral("GET"), QStringLiteral("/v1/cofre"));
    irPara(inicio + 80);
    EXPECT_TRUE(esperarAte([this] { return cofre().semConexao() && !cofre().sincronizando(); }));
    servidor.limparFalhas();
    servidor.limparPedidos();
    irPara(inicio + 99);
    EXPECT_EQ(sincronias(), 0);
    irPara(inicio + 100);
    EXPECT_TRUE(esperarAte([this] { return sincronias() >= 1 && !cofre().semConexao(); }));
}

TEST_F(SincroniaNaTela, QualquerJanelaNossaQueGanhaFocoSincroniza)
{
    abrirComSincronia();
    esperarOciosoELimpar();

    QQuickWindow outra;
    outra.resize(200, 120);
    outra.show();
    outra.requestActivate();
    ASSERT_TRUE(esperarAte([&] { return QGuiApplication::focusWindow() == &outra; }));
    EXPECT_TRUE(esperarAte([this] { return sincronias() == 1; }));
}

TEST_F(SincroniaNaTela, LacoCanceladoDuranteOSonoNaoSincronizaMais)
{
    abrirComSincronia();
    esperarOciosoELimpar();
    const qint64 inicio = agoraDaTela.toSecsSinceEpoch();
    QObject *laco = acharObjeto(QStringLiteral("sincroniaAutomatica"));
    ASSERT_TRUE(laco->property("ativa").toBool());

    irPara(inicio + 10);
    QMetaObject::invokeMethod(laco, "cancelar");
    irPara(inicio + 25);
    QQuickWindow outra;
    outra.show();
    outra.requestActivate();
    EXPECT_TRUE(esperarAte([&] { return QGuiApplication::focusWindow() == &outra; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(sincronias(), 0);
    EXPECT_FALSE(laco->property("ativa").toBool());
}

TEST_F(SincroniaNaTela, LacoNaoSincronizaDepoisQueOCofreFechou)
{
    abrirComSincronia();
    esperarOciosoELimpar();
    const qint64 inicio = agoraDaTela.toSecsSinceEpoch();
    QObject *laco = acharObjeto(QStringLiteral("sincroniaAutomatica"));

    // Locked during the sleep: the window is still up here, the vault is not open any more.
    irPara(inicio + 10);
    estado->travar();
    irPara(inicio + 25);
    QCoreApplication::processEvents();
    EXPECT_EQ(sincronias(), 0);
    EXPECT_FALSE(laco->property("ativa").toBool());
}

TEST_F(SincroniaNaTela, LacoSegueUmCofreNovoAbertoSemTrocarDeJanela)
{
    abrirComSincronia();
    esperarOciosoELimpar();
    const qint64 inicio = agoraDaTela.toSecsSinceEpoch();
    QPointer<Cofre> antigo = estado->cofre();

    irPara(inicio + 10);
    estado->abrirCofre(*estado->conta(), chave, false); // as a sign-in again with a fresh store does
    ASSERT_NE(estado->cofre(), antigo.data());
    esperarOciosoELimpar(); // its first sync, the state's own

    irPara(inicio + 29);
    EXPECT_EQ(sincronias(), 0) << "the new store gets a full sleep first";
    irPara(inicio + 30);
    EXPECT_TRUE(esperarAte([this] { return sincronias() == 1 && !cofre().sincronizando(); }));
    EXPECT_TRUE(acharObjeto(QStringLiteral("sincroniaAutomatica"))->property("ativa").toBool());
}

TEST_F(SincroniaNaTela, LinhaOciosaContaOTempoDesdeAUltimaSincronia)
{
    abrirComSincronia(QSize(1040, 680));
    esperarOciosoELimpar();
    estado->aoIrParaSegundoPlano(); // no loop pass in between
    const QDateTime ultima = cofre().ultimaSincronia()->toLocalTime();
    const QDateTime amanha(ultima.date().addDays(1), QTime(10, 0));
    const QString dataDeOntem = ultima.toString(ultima.date().year() == amanha.date().year() ? QStringLiteral("dd/MM")
                                                                                             : QStringLiteral("dd/MM/yyyy"));

    struct Caso {
        qint64 depois;
        QString texto;
        const char *captura;
    };
    const Caso casos[] = {
        {10, QStringLiteral("Sincronizado agora"), "sincronia-agora"},
        {5 * 60 + 3, QStringLiteral("Sincronizado há 5 min"), "sincronia-minutos"},
        {ultima.secsTo(amanha), QStringLiteral("Sincronizado em %1 às %2").arg(dataDeOntem, ultima.toString(QStringLiteral("HH:mm"))),
         "sincronia-ontem"},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.captura);
        irParaDepoisDaSincronia(caso.depois);
        EXPECT_TRUE(visivel(QStringLiteral("linhaOciosa")));
        EXPECT_TRUE(visivel(QStringLiteral("nuvemDaSincronia")));
        EXPECT_EQ(texto(QStringLiteral("textoOcioso")), caso.texto);
        capturar(QString::fromLatin1(caso.captura));
    }

    // A click anywhere on the line, not only on its text, syncs; the spinner shows meanwhile.
    servidor.definirAtraso(std::chrono::milliseconds(300));
    QQuickItem *linha = item(QStringLiteral("linhaOciosa"));
    QTest::mouseClick(janela(), Qt::LeftButton, {}, ponto(linha, linha->width() - 4, linha->height() / 2));
    EXPECT_TRUE(esperarAte([this] { return cofre().sincronizando(); }));
    EXPECT_EQ(texto(QStringLiteral("textoOcioso")), QStringLiteral("Sincronizando…"));
    EXPECT_TRUE(visivel(QStringLiteral("indicadorDaSincronia")));
    capturar(QStringLiteral("sincronia-sincronizando"));
    EXPECT_TRUE(esperarAte([this] { return !cofre().sincronizando(); }));
    EXPECT_EQ(sincronias(), 1);
}

TEST_F(SincroniaNaTela, LinhaMostraSemConexaoFalhaESessaoEncerradaComSuasAcoes)
{
    abrirComSincronia();
    esperarOciosoELimpar();
    estado->aoIrParaSegundoPlano();

    const auto falhar = [this](const Servidor::Falha &falha) {
        servidor.falharProximas(-1, falha, QStringLiteral("GET"), QStringLiteral("/v1/cofre"));
        Testes::executar(cofre().sincronizar());
        servidor.limparFalhas();
        QCoreApplication::processEvents();
        avancar(500); // the line's spring
    };

    falhar(Servidor::Falha::conexaoDerrubada());
    ASSERT_TRUE(cofre().semConexao());
    EXPECT_FALSE(visivel(QStringLiteral("linhaOciosa")));
    EXPECT_FALSE(visivel(QStringLiteral("botaoTentarDeNovo")));
    EXPECT_EQ(textoDe(item(QStringLiteral("linhaSemConexao"))),
              QStringLiteral("Sem internet. Mostrando a cópia deste computador."));
    capturar(QStringLiteral("sincronia-sem-internet"));

    Testes::executar(cofre().sincronizar());
    falhar(Servidor::Falha::erro(500, QStringLiteral("erro-interno")));
    ASSERT_TRUE(cofre().falhouAoSincronizar());
    EXPECT_EQ(item(QStringLiteral("colunaDaSituacao"))->opacity(), 1.0);
    EXPECT_FALSE(visivel(QStringLiteral("linhaSemConexao")));
    EXPECT_EQ(textoDe(item(QStringLiteral("linhaDaFalha"))), QStringLiteral("Não deu para sincronizar"));
    EXPECT_TRUE(visivel(QStringLiteral("botaoTentarDeNovo")));
    capturar(QStringLiteral("sincronia-falhou"));
    servidor.limparPedidos();
    clicar(item(QStringLiteral("botaoTentarDeNovo")));
    EXPECT_TRUE(esperarAte([this] { return sincronias() == 1 && !cofre().sincronizando(); }));
    QCoreApplication::processEvents();
    EXPECT_TRUE(visivel(QStringLiteral("linhaOciosa")));

    // The session ends while offline: signing in again is offered first.
    falhar(Servidor::Falha::conexaoDerrubada());
    estado->sessaoFoiEncerrada();
    QCoreApplication::processEvents();
    avancar(600);
    EXPECT_TRUE(visivel(QStringLiteral("linhaDaSessaoEncerrada")));
    EXPECT_FALSE(visivel(QStringLiteral("linhaSemConexao")));
    EXPECT_EQ(textoDe(item(QStringLiteral("linhaDaSessaoEncerrada"))), QStringLiteral("Sessão encerrada neste computador"));
    capturar(QStringLiteral("sincronia-sessao-encerrada"));
    clicar(item(QStringLiteral("botaoEntrarDeNovo")));
    EXPECT_TRUE(folhaAberta());
}

TEST_F(SincroniaNaTela, FaixasNoSingularNoPluralEAPrecedenciaDaSessao)
{
    semear(TipoDeItem::nota, ObjetoJSON(), true);
    abrirComSincronia();
    esperarOciosoELimpar();
    estado->aoIrParaSegundoPlano();
    ASSERT_EQ(cofre().ilegiveis().size(), 1);
    EXPECT_TRUE(visivel(QStringLiteral("faixaDeItensIlegiveis")));
    EXPECT_FALSE(visivel(QStringLiteral("faixaDeEntrarDeNovo")));
    const auto titulo = [this](const QString &faixa) {
        return item(faixa)->findChild<QQuickItem *>(QStringLiteral("tituloDaFaixa"))->property("text").toString();
    };
    EXPECT_EQ(titulo(QStringLiteral("faixaDeItensIlegiveis")), QStringLiteral("1 item ainda não abriu neste computador"));
    capturar(QStringLiteral("faixa-um-ilegivel"));

    semear(TipoDeItem::senha, ObjetoJSON(), true);
    Testes::executar(cofre().sincronizar());
    QCoreApplication::processEvents();
    EXPECT_EQ(titulo(QStringLiteral("faixaDeItensIlegiveis")), QStringLiteral("2 itens ainda não abriram neste computador"));
    capturar(QStringLiteral("faixa-ilegiveis"));
    clicar(item(QStringLiteral("faixaDeItensIlegiveis"))->findChild<QQuickItem *>(QStringLiteral("botaoDaFaixa")));
    EXPECT_TRUE(folhaAberta());
    pedirFolha(false);

    estado->sessaoFoiEncerrada();
    QCoreApplication::processEvents();
    avancar(800);
    EXPECT_TRUE(visivel(QStringLiteral("faixaDeEntrarDeNovo")));
    EXPECT_FALSE(visivel(QStringLiteral("faixaDeItensIlegiveis")));
    EXPECT_EQ(titulo(QStringLiteral("faixaDeEntrarDeNovo")), QStringLiteral("Entre de novo para sincronizar"));
    capturar(QStringLiteral("faixa-entrar-de-novo"));
    clicar(item(QStringLiteral("faixaDeEntrarDeNovo"))->findChild<QQuickItem *>(QStringLiteral("botaoDaFaixa")));
    EXPECT_TRUE(folhaAberta());
}
