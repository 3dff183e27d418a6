#include "BarraNaTela.h"

#include "api/ClienteDaAPI.h"
#include "app/RelogioDasTelas.h"
#include "app/servicos/FilaDeIdentidades.h"
#include "app/servicos/Preferencias.h"
#include "app/servicos/Seguranca.h"
#include "core/Chaveiro.h"
#include "core/Configuracao.h"
#include "core/CopiaDoCofre.h"
#include "core/Envelope.h"
#include "plataforma/InfoDoPacote.h"
#include "plataforma/Padroes.h"
#include "plataforma/RepositorioDeIdentidades.h"
#include "support/ContaNoServidor.h"
#include "support/Executar.h"

#include <QCoro/QCoroFuture>
#include <QElapsedTimer>
#include <QPromise>
#include <QQmlContext>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QUuid>

#include <algorithm>
#include <atomic>

namespace {

// An AutoFill store whose switch the tests flip.
class RepositorioDeTeste final : public RepositorioDeIdentidades {
public:
    bool ligado() override { return ligadoAgora; }
    bool substituirTodas(const QList<IdentidadeDoPreenchimento> &) override { return true; }
    bool adicionar(const IdentidadeDoPreenchimento &) override { return true; }
    bool removerTodas() override { return true; }
    std::atomic<bool> ligadoAgora = false;
};

std::shared_ptr<RepositorioDeTeste> repositorio;

} // namespace

void BarraNaTela::SetUp()
{
    segredos = CofreDeSegredosEmMemoria::instalar();
    repositorio = std::make_shared<RepositorioDeTeste>();
    RepositorioDeIdentidades::usar(repositorio);
    servidor.iniciar();
    QVariantMap info = InfoDoPacote::dicionario();
    info.insert(QStringLiteral("URLDaAPI"), servidor.endereco().toString());
    info.insert(QStringLiteral("URLDoSite"), servidor.endereco().toString());
    info.insert(QStringLiteral("CFBundleShortVersionString"), QStringLiteral("1.2.0"));
    InfoDoPacote::substituir(info);
    servidor.site().definirVersaoPublicada(QStringLiteral("1.2.0"));
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
    TesteQuick::SetUp();
    agoraDaTela = QDateTime(QDate(2026, 3, 2), QTime(9, 41, 10), Qt::UTC);
    RelogioDasTelas::instancia().usarFonte([this] { return agoraDaTela; });
    servidor.estado().criarConta(Testes::novaConta(email));
    chave = Cripto::bytesAleatorios(32);
    atualizacao = std::make_unique<VerificadorDeAtualizacao>();
    atualizacao->definirAbridor([this](const QUrl &url) { abertos.append(url); });
    preenchimento = std::make_unique<SituacaoDoPreenchimento>(
        nullptr, Padroes(pasta.arquivo(QStringLiteral("padroes.json"))), [](std::function<void()> concluido) { concluido(); });
}

void BarraNaTela::TearDown()
{
    while (!pendentes.isEmpty())
        pendentes.takeFirst()(false);
    TesteQuick::TearDown();
    estado.reset();
    preenchimento.reset();
    atualizacao.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Testes::executar(FilaDeIdentidades::doProcesso().ociosa());
    Seguranca::removerAutenticador();
    InfoDoPacote::substituir(std::nullopt);
    RepositorioDeIdentidades::usar(nullptr);
    repositorio.reset();
    CofreDeSegredos::usar(nullptr);
}

void BarraNaTela::definirRepositorioLigado(bool ligado) { repositorio->ligadoAgora = ligado; }

void BarraNaTela::responderDono(bool confirma)
{
    ASSERT_FALSE(pendentes.isEmpty());
    pendentes.takeFirst()(confirma);
}

ObjetoJSON BarraNaTela::codigo(const QString &emissor, const QString &conta, const QString &segredo)
{
    return DadosDeCodigo::novo(emissor, conta, segredo, AlgoritmoTotp::sha1, 6, 30).json;
}

QString BarraNaTela::semear(const ObjetoJSON &conteudo)
{
    const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces).toLower();
    const QString envelope =
        Cripto::selarEnvelope(ValorJSON::objeto(conteudo).escritoEmUTF8(), chave, Cripto::rotuloDoItem(id));
    static_cast<void>(servidor.estado().gravarItem(email, id, valorBruto(TipoDeItem::codigo), envelope));
    return id;
}

namespace {

AmbienteDoEstado ambienteDeTeste(Relogio *relogio)
{
    AmbienteDoEstado ambiente;
    ambiente.tempoDeAtividade = [] { return 1000.0; };
    ambiente.esperar = [](std::chrono::milliseconds) -> QCoro::Task<> { co_return; };
    ambiente.nomeDoComputador = [] { return QStringLiteral("estacao-da-ana"); };
    ambiente.relogio = relogio;
    return ambiente;
}

} // namespace

void BarraNaTela::entrar(bool proteger)
{
    const RespostaDeSessao sessao = Testes::sessaoDe(servidor.estado(), email);
    Chaveiro::gravar(chave, QString::fromLatin1(Chaveiro::contaDaChaveDoCofre));
    CopiaDoCofre::salvar(CopiaDoCofre{1, sessao.conta, 0, {}});
    ClienteDaAPI(servidor.endereco()).guardarSessao(sessao);
    Padroes::doGrupo(grupoDoApp())->definirLogico(QString::fromLatin1(chaveDeProtegerApp), proteger);

    estado = std::make_unique<EstadoDoApp>(QStringList{QStringLiteral("corvane")}, ambienteDeTeste(&relogioDosAvisos));
    Testes::executar(estado->comecar());
    if (proteger) {
        EXPECT_EQ(estado->fase(), EstadoDoApp::Fase::bloqueado);
        return;
    }
    EXPECT_EQ(estado->fase(), EstadoDoApp::Fase::aberto);
    EXPECT_TRUE(esperarAte([this] {
        return estado->cofre() && estado->cofre()->carregado() && !estado->cofre()->sincronizando() &&
               !servidor.pedidos(QStringLiteral("GET"), QStringLiteral("/v1/conta")).isEmpty();
    })) << "a primeira sincronia não terminou";
    QCoreApplication::processEvents();
}

void BarraNaTela::semConta()
{
    estado = std::make_unique<EstadoDoApp>(QStringList{QStringLiteral("corvane")}, ambienteDeTeste(&relogioDosAvisos));
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

void BarraNaTela::irPara(qint64 segundos)
{
    agoraDaTela = QDateTime::fromSecsSinceEpoch(segundos, Qt::UTC);
    RelogioDasTelas::instancia().atualizar();
    QCoreApplication::processEvents();
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

bool BarraNaTela::esperarAte(const std::function<bool()> &condicao)
{
    QElapsedTimer relogio;
    relogio.start();
    while (!condicao()) {
        if (relogio.elapsed() > 20000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}
