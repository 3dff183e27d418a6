#include "ContaNaTela.h"

#include "app/servicos/FilaDeIdentidades.h"
#include "plataforma/InfoDoPacote.h"
#include "support/Executar.h"

#include <QCoro/QCoroFuture>
#include <QCoro/QCoroSignal>
#include <QElapsedTimer>
#include <QQmlContext>
#include <QTest>
#include <QThread>

namespace {

// The state's short waits, on the test's clock: they end when the test steps past them.
QCoro::Task<> esperarNoRelogio(Relogio *relogio, std::chrono::milliseconds duracao)
{
    std::unique_ptr<Contagem> contagem(relogio->novaContagem(nullptr));
    contagem->iniciar(duracao);
    co_await qCoro(contagem.get(), &Contagem::terminou);
}

} // namespace

void ContaNaTela::SetUp()
{
    segredos = CofreDeSegredosEmMemoria::instalar();
    identidades = std::make_shared<IdentidadesDeTeste>();
    RepositorioDeIdentidades::usar(identidades);
    servidor.iniciar();
    QVariantMap info = InfoDoPacote::dicionario();
    info.insert(QStringLiteral("URLDaAPI"), servidor.endereco().toString());
    info.insert(QStringLiteral("URLDoSite"), servidor.endereco().toString());
    InfoDoPacote::substituir(info);
    Seguranca::registrarAutenticador([this](QString motivo) -> QCoro::Task<bool> {
        motivos.append(motivo);
        if (portaoDoDono) {
            const QFuture<void> espera = portaoDoDono->future();
            co_await espera;
        }
        co_return donoConfirma;
    });
    TesteQuick::SetUp();
    novoEstado();
}

void ContaNaTela::TearDown()
{
    liberarDono();
    TesteQuick::TearDown();
    estado.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Testes::executar(FilaDeIdentidades::doProcesso().ociosa());
    Seguranca::removerAutenticador();
    InfoDoPacote::substituir(std::nullopt);
    RepositorioDeIdentidades::usar(nullptr);
    CofreDeSegredos::usar(nullptr);
}

EstadoDoApp &ContaNaTela::novoEstado()
{
    estado.reset();
    AmbienteDoEstado ambiente;
    ambiente.tempoDeAtividade = [] { return 1000.0; };
    Relogio *const doTeste = &relogio;
    ambiente.esperar = [doTeste](std::chrono::milliseconds duracao) { return esperarNoRelogio(doTeste, duracao); };
    ambiente.nomeDoComputador = [] { return QStringLiteral("estacao-de-teste"); };
    ambiente.relogio = &relogio;
    estado = std::make_unique<EstadoDoApp>(QStringList{QStringLiteral("corvane")}, std::move(ambiente));
    engine().rootContext()->setContextProperty(QStringLiteral("estadoDeTeste"), estado.get());
    return *estado;
}

void ContaNaTela::avancar(int ms)
{
    relogio.avancar(std::chrono::milliseconds(ms));
    TesteQuick::avancar(ms);
}

bool ContaNaTela::esperarAte(const std::function<bool()> &condicao)
{
    QElapsedTimer cronometro;
    cronometro.start();
    while (!condicao()) {
        if (cronometro.elapsed() > 30000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

void ContaNaTela::clicar(const QString &nome)
{
    auto *item = achar<QQuickItem>(nome);
    ASSERT_TRUE(item) << nome.toStdString();
    QTest::mouseClick(janela(), Qt::LeftButton, {}, centro(item));
}

void ContaNaTela::preencher(const QString &campo, const QString &texto)
{
    auto *item = achar<QQuickItem>(campo);
    ASSERT_TRUE(item) << campo.toStdString();
    auto *entrada = item->findChild<QQuickItem *>(QStringLiteral("entrada"));
    ASSERT_TRUE(entrada);
    QTest::mouseClick(janela(), Qt::LeftButton, {}, centro(entrada));
    ASSERT_TRUE(entrada->hasActiveFocus()) << campo.toStdString();
    // Erased key by key: a masked field keeps no selection to type over.
    QTest::keyClick(janela(), Qt::Key_End);
    for (qsizetype i = entrada->property("text").toString().size(); i > 0; --i)
        QTest::keyClick(janela(), Qt::Key_Backspace);
    if (!texto.isEmpty())
        QTest::sendKeyEvent(QTest::KeyAction::Click, janela(), Qt::Key_unknown, texto, {});
}

QJsonObject ContaNaTela::corpoDoPedido(const QString &metodo, const QString &caminho) const
{
    QJsonObject corpo;
    for (const Servidor::PedidoRegistrado &pedido : servidor.pedidos(metodo, caminho)) {
        if (pedido.caminho == caminho)
            corpo = pedido.json();
    }
    return corpo;
}

int ContaNaTela::quantosPedidos(const QString &metodo, const QString &caminho) const
{
    int quantos = 0;
    for (const Servidor::PedidoRegistrado &pedido : servidor.pedidos(metodo, caminho))
        quantos += pedido.caminho == caminho ? 1 : 0;
    return quantos;
}

QString ContaNaTela::avisoAtual() const
{
    const std::optional<Aviso> &aviso = estado->avisos()->atual();
    return aviso ? aviso->texto : QString();
}

void ContaNaTela::segurarDono()
{
    portaoDoDono.emplace();
    portaoDoDono->start();
}

void ContaNaTela::liberarDono()
{
    if (!portaoDoDono)
        return;
    portaoDoDono->finish();
    portaoDoDono.reset();
}
