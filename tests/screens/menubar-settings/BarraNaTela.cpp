#include "BarraNaTela.h"

#include "servicos/Seguranca.h"
#include "plataforma/Padroes.h"
#include "support/Executar.h"

#include <QCoro/QCoroFuture>
#include <QPromise>
#include <QQmlContext>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

void BarraNaTela::SetUp()
{
    Seguranca::registrarAutenticador(
        [this](QString motivo) -> QCoro::Task<bool> {
            motivos.append(motivo);
            if (!segurarDono)
                co_return donoConfirma;
            // Held open until the test answers: the prompt the user has not closed yet.
            auto promessa = std::make_shared<QPromise<bool>>();
            promessa->start();
            QFuture<bool> futuro = promessa->future();
            pendentes.append([promessa](bool confirma) {
                promessa->addResult(confirma);
                promessa->finish();
            });
            co_return co_await futuro;
        },
        [this] { return donoDisponivel; });
    TelaComConta::SetUp();
    identidades->ligadoAgora = false;
    servidor.site().definirVersaoPublicada(QStringLiteral("1.2.0"));
    atualizacao = std::make_unique<VerificadorDeAtualizacao>();
    atualizacao->definirAbridor([this](const QUrl &url) { abertos.append(url); });
    preenchimento = std::make_unique<SituacaoDoPreenchimento>(
        nullptr, Padroes(pasta.arquivo(QStringLiteral("padroes.json"))), [](bool, std::function<void()> concluido) { concluido(); });
}

void BarraNaTela::completarInfo(QVariantMap &info)
{
    info.insert(QStringLiteral("CFBundleShortVersionString"), QStringLiteral("1.2.0"));
}

void BarraNaTela::TearDown()
{
    while (!pendentes.isEmpty())
        pendentes.takeFirst()(false);
    TelaComConta::TearDown();
}

void BarraNaTela::soltar()
{
    preenchimento.reset();
    atualizacao.reset();
}

void BarraNaTela::responderDono(bool confirma)
{
    ASSERT_FALSE(pendentes.isEmpty());
    pendentes.takeFirst()(confirma);
}

ObjetoJSON BarraNaTela::codigo(const QString &emissor, const QString &conta, const QString &segredo)
{
    return DadosDeCodigo::novo(emissor, conta, segredo, AlgoritmoTotp::sha1, 6, 30).json;
}

void BarraNaTela::entrar(bool proteger)
{
    deixarConectado(proteger);
    criarEstado(ambienteDeTeste(QStringLiteral("estacao-da-ana")));
    Testes::executar(estado->comecar());
    if (proteger) {
        EXPECT_EQ(estado->fase(), EstadoDoApp::Fase::bloqueado);
        return;
    }
    EXPECT_EQ(estado->fase(), EstadoDoApp::Fase::aberto);
    esperarPrimeiraSincronia();
}

void BarraNaTela::semConta()
{
    criarEstado(ambienteDeTeste(QStringLiteral("estacao-da-ana")));
    Testes::executar(estado->comecar());
    EXPECT_EQ(estado->fase(), EstadoDoApp::Fase::semConta);
}

QQuickItem *BarraNaTela::mostrarBarra()
{
    engine().rootContext()->setContextProperty(QStringLiteral("estadoDeTeste"), estado.get());
    engine().rootContext()->setContextProperty(QStringLiteral("atualizacaoDeTeste"), atualizacao.get());
    QQuickItem *raiz = mostrar(importacoes + QStringLiteral(R"(
import Corvane.Barra
BarraDeMenus {
    estado: estadoDeTeste
    atualizacao: atualizacaoDeTeste
})"),
                               QSize(340, 560), QStringLiteral("#ffffff"));
    if (raiz)
        ajustarAltura();
    avancar(100);
    return raiz;
}

void BarraNaTela::ajustarAltura()
{
    const int altura = qRound(raiz()->property("implicitHeight").toDouble());
    if (janela()->height() == altura)
        return;
    QSignalSpy quadro(janela(), &QQuickWindow::frameSwapped);
    janela()->resize(340, altura);
    EXPECT_TRUE(QTest::qWaitFor([&] { return janela()->height() == altura && janela()->isExposed(); }));
    janela()->update();
    EXPECT_TRUE(quadro.wait(5000));
}

QQuickItem *BarraNaTela::mostrarAjustes()
{
    engine().rootContext()->setContextProperty(QStringLiteral("estadoDeTeste"), estado.get());
    engine().rootContext()->setContextProperty(QStringLiteral("atualizacaoDeTeste"), atualizacao.get());
    engine().rootContext()->setContextProperty(QStringLiteral("preenchimentoDeTeste"), preenchimento.get());
    QQuickItem *raiz = mostrar(importacoes + QStringLiteral(R"(
import Corvane.Barra
AjustesNoMac {
    width: parent ? parent.width : 0
    height: parent ? parent.height : 0
    estado: estadoDeTeste
    atualizacao: atualizacaoDeTeste
    preenchimento: preenchimentoDeTeste
})"),
                               QSize(480, 640));
    if (raiz) {
        modelo = achar<ModeloDosAjustes>(QStringLiteral("modeloDosAjustes"));
        if (modelo)
            modelo->definirAbridor([this](const QUrl &url) { abertos.append(url); });
    }
    avancar(100);
    return raiz;
}

void BarraNaTela::clicar(QQuickItem *alvo)
{
    QTest::mouseClick(janela(), Qt::LeftButton, {}, centro(alvo));
    QCoreApplication::processEvents();
}

void BarraNaTela::rolarAte(QQuickItem *alvo)
{
    auto *rolagem = raiz()->property("contentItem").value<QQuickItem *>();
    if (!rolagem || !alvo)
        return;
    auto *conteudo = rolagem->property("contentItem").value<QQuickItem *>();
    const double y = alvo->mapToItem(conteudo, QPointF(0, 0)).y();
    const double maximo = std::max(0.0, rolagem->property("contentHeight").toDouble() - rolagem->height());
    rolagem->setProperty("contentY", std::clamp(y - 120, 0.0, maximo));
    QCoreApplication::processEvents();
}
