#include "TelaComServidor.h"

#include "servicos/FilaDeIdentidades.h"
#include "servicos/Seguranca.h"
#include "plataforma/InfoDoPacote.h"
#include "support/Executar.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QQmlContext>
#include <QThread>

void TelaComServidor::SetUp()
{
    segredos = CofreDeSegredosEmMemoria::instalar();
    RepositorioDeIdentidades::usar(identidades);
    servidor.iniciar();
    QVariantMap info = InfoDoPacote::dicionario();
    info.insert(QStringLiteral("URLDaAPI"), servidor.endereco().toString());
    info.insert(QStringLiteral("URLDoSite"), servidor.endereco().toString());
    completarInfo(info);
    InfoDoPacote::substituir(info);
    TesteQuick::SetUp();
}

void TelaComServidor::TearDown()
{
    TesteQuick::TearDown();
    soltar();
    estado.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Testes::executar(FilaDeIdentidades::doProcesso().ociosa());
    Seguranca::removerAutenticador();
    InfoDoPacote::substituir(std::nullopt);
    RepositorioDeIdentidades::usar(nullptr);
    CofreDeSegredos::usar(nullptr);
}

AmbienteDoEstado TelaComServidor::ambienteDeTeste(const QString &computador)
{
    AmbienteDoEstado ambiente;
    ambiente.tempoDeAtividade = [] { return 1000.0; };
    ambiente.esperar = [](std::chrono::milliseconds) -> QCoro::Task<> { co_return; };
    ambiente.nomeDoComputador = [computador] { return computador; };
    ambiente.relogio = &relogio;
    return ambiente;
}

EstadoDoApp &TelaComServidor::criarEstado(AmbienteDoEstado ambiente)
{
    estado.reset();
    estado = std::make_unique<EstadoDoApp>(QStringList{QStringLiteral("corvane")}, std::move(ambiente));
    engine().rootContext()->setContextProperty(QStringLiteral("estadoDeTeste"), estado.get());
    return *estado;
}

bool TelaComServidor::esperarAte(const std::function<bool()> &condicao)
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

QString TelaComServidor::avisoAtual() const
{
    const std::optional<Aviso> &aviso = estado->avisos()->atual();
    return aviso ? aviso->texto : QString();
}
