#include "CofreNaTela.h"

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

#include <QElapsedTimer>
#include <QQmlContext>
#include <QTest>
#include <QThread>
#include <QUuid>

namespace {

// An AutoFill store that is switched off, so the vault window shows its AutoFill card.
class RepositorioDesligado final : public RepositorioDeIdentidades {
public:
    bool ligado() override { return false; }
    bool substituirTodas(const QList<IdentidadeDoPreenchimento> &) override { return true; }
    bool adicionar(const IdentidadeDoPreenchimento &) override { return true; }
    bool removerTodas() override { return true; }
};

} // namespace

void CofreNaTela::SetUp()
{
    segredos = CofreDeSegredosEmMemoria::instalar();
    RepositorioDeIdentidades::usar(std::make_shared<RepositorioDesligado>());
    servidor.iniciar();
    QVariantMap info = InfoDoPacote::dicionario();
    info.insert(QStringLiteral("URLDaAPI"), servidor.endereco().toString());
    info.insert(QStringLiteral("URLDoSite"), QStringLiteral("https://corvane.exemplo"));
    InfoDoPacote::substituir(info);
    Seguranca::registrarAutenticador([this](QString motivo) -> QCoro::Task<bool> {
        motivos.append(motivo);
        co_return donoConfirma;
    });
    TesteQuick::SetUp();
    agoraDaTela = QDateTime(QDate(2026, 3, 2), QTime(9, 41, 10), Qt::UTC);
    RelogioDasTelas::instancia().usarFonte([this] { return agoraDaTela; });
    servidor.estado().criarConta(Testes::novaConta(email));
    chave = Cripto::bytesAleatorios(32);
}

void CofreNaTela::TearDown()
{
    TesteQuick::TearDown();
    estado.reset();
    preenchimento.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Testes::executar(FilaDeIdentidades::doProcesso().ociosa());
    Seguranca::removerAutenticador();
    InfoDoPacote::substituir(std::nullopt);
    RepositorioDeIdentidades::usar(nullptr);
    CofreDeSegredos::usar(nullptr);
}

ObjetoJSON CofreNaTela::codigo(const QString &emissor, const QString &conta, bool favorito, const QString &segredo)
{
    DadosDeCodigo dados = DadosDeCodigo::novo(emissor, conta, segredo, AlgoritmoTotp::sha1, 6, 30);
    dados.json.definir(QStringLiteral("favorito"), ValorJSON::booleano(favorito));
    return dados.json;
}

QString CofreNaTela::semear(TipoDeItem tipo, const ObjetoJSON &conteudo, bool outraChave)
{
    const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces).toLower();
    const QString envelope = Cripto::selarEnvelope(ValorJSON::objeto(conteudo).escritoEmUTF8(),
                                                   outraChave ? Cripto::bytesAleatorios(32) : chave,
                                                   Cripto::rotuloDoItem(id));
    static_cast<void>(servidor.estado().gravarItem(email, id, valorBruto(tipo), envelope));
    return id;
}

QQuickItem *CofreNaTela::abrir(QSize tamanho)
{
    // This computer as a previous run left it: key, copy and session; protection off.
    const RespostaDeSessao sessao = Testes::sessaoDe(servidor.estado(), email);
    Chaveiro::gravar(chave, QString::fromLatin1(Chaveiro::contaDaChaveDoCofre));
    CopiaDoCofre::salvar(CopiaDoCofre{1, sessao.conta, 0, {}});
    ClienteDaAPI(servidor.endereco()).guardarSessao(sessao);
    Padroes::doGrupo(grupoDoApp())->definirLogico(QString::fromLatin1(chaveDeProtegerApp), false);

    AmbienteDoEstado ambiente;
    ambiente.tempoDeAtividade = [] { return 1000.0; };
    ambiente.esperar = [](std::chrono::milliseconds) -> QCoro::Task<> { co_return; };
    ambiente.nomeDoComputador = [] { return QStringLiteral("estacao-da-ana"); };
    ambiente.relogio = &relogioDosAvisos;
    estado = std::make_unique<EstadoDoApp>(QStringList{QStringLiteral("corvane")}, std::move(ambiente));
    preenchimento = std::make_unique<SituacaoDoPreenchimento>(nullptr, Padroes(pasta.arquivo(QStringLiteral("padroes.json"))),
                                                              [](std::function<void()> concluido) { concluido(); });
    preenchimento->definirLigado(false);
    Testes::executar(estado->comecar());
    EXPECT_EQ(estado->fase(), EstadoDoApp::Fase::aberto);
    EXPECT_TRUE(esperarAte([this] {
        return estado->cofre() && estado->cofre()->carregado() && !estado->cofre()->sincronizando() &&
               !servidor.pedidos(QStringLiteral("GET"), QStringLiteral("/v1/conta")).isEmpty();
    })) << "a primeira sincronia não terminou";
    QCoreApplication::processEvents();

    engine().rootContext()->setContextProperty(QStringLiteral("estadoDeTeste"), estado.get());
    engine().rootContext()->setContextProperty(QStringLiteral("preenchimentoDeTeste"), preenchimento.get());
    QQuickItem *raiz = mostrar(importacoes + QStringLiteral(R"(
import Corvane.Cofre
CofreNoMac {
    width: parent ? parent.width : 0
    height: parent ? parent.height : 0
    estado: estadoDeTeste
    preenchimento: preenchimentoDeTeste
})"),
                               tamanho);
    avancar(1200); // the cards' entrance
    return raiz;
}

void CofreNaTela::irPara(qint64 segundos)
{
    agoraDaTela = QDateTime::fromSecsSinceEpoch(segundos, Qt::UTC);
    RelogioDasTelas::instancia().atualizar();
    QCoreApplication::processEvents();
}

QStringList CofreNaTela::idsNaGrade()
{
    QObject *grade = acharObjeto(QStringLiteral("gradeDeCodigosNoMac"));
    QObject *lista = grade ? grade->property("codigos").value<QObject *>() : nullptr;
    QStringList ids;
    if (!lista)
        return ids;
    const int n = lista->property("quantidade").toInt();
    auto *modelo = qobject_cast<QAbstractItemModel *>(lista);
    for (int i = 0; i < n; ++i)
        ids << modelo->data(modelo->index(i, 0), Qt::UserRole + 1).toString();
    return ids;
}

void CofreNaTela::clicar(QQuickItem *alvo, Qt::MouseButton botao)
{
    QTest::mouseClick(janela(), botao, {}, centro(alvo));
    QCoreApplication::processEvents();
}

void CofreNaTela::passarPor(QQuickItem *alvo)
{
    QTest::mouseMove(janela(), centro(alvo));
    QCoreApplication::processEvents();
}

bool CofreNaTela::esperarAte(const std::function<bool()> &condicao)
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
