#include "QuadroNaTela.h"

#include "plataforma/InfoDoPacote.h"
#include "plataforma/Padroes.h"
#include "support/Executar.h"

// Spelled out rather than built from TesteQuick's: the two are initialised in different files.
const QString QuadroNaTela::importacoes = QStringLiteral(
    "import QtQuick\nimport Corvane.App\nimport Corvane.Comum\nimport Corvane.Cofre\nimport Corvane.Barra\n"
    "import Corvane.Quadro\n");

void QuadroNaTela::SetUp()
{
    pasta = std::make_unique<DiretorioTemporario>();
    servidor.iniciar();
    QVariantMap info = InfoDoPacote::dicionario();
    info.insert(QStringLiteral("URLDaAPI"), servidor.endereco().toString());
    info.insert(QStringLiteral("URLDoSite"), servidor.endereco().toString());
    info.insert(QStringLiteral("CFBundleShortVersionString"), QStringLiteral("1.4"));
    InfoDoPacote::substituir(info);
    TesteQuick::SetUp();
    estado = std::make_unique<EstadoDoApp>(QStringList{QStringLiteral("corvane")});
    atualizacao = std::make_unique<VerificadorDeAtualizacao>();
    atualizacao->definirAbridor([this](const QUrl &url) { abertos.append(url); });
    preenchimento = novaSituacao();
    engine().rootContext()->setContextProperty(QStringLiteral("estadoDeTeste"), estado.get());
    engine().rootContext()->setContextProperty(QStringLiteral("atualizacaoDeTeste"), atualizacao.get());
    engine().rootContext()->setContextProperty(QStringLiteral("preenchimentoDeTeste"), preenchimento.get());
}

void QuadroNaTela::TearDown()
{
    TesteQuick::TearDown();
    preenchimento.reset();
    atualizacao.reset();
    estado.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    InfoDoPacote::substituir(std::nullopt);
    pasta.reset();
}

std::unique_ptr<SituacaoDoPreenchimento> QuadroNaTela::novaSituacao()
{
    return std::make_unique<SituacaoDoPreenchimento>(
        nullptr, Padroes(pasta->arquivo(QStringLiteral("padroes.json"))),
        [this](bool ligar, std::function<void()> concluido) {
            ++(ligar ? pedidosDeLigar : pedidosDeDesligar);
            concluido();
        });
}

QQuickItem *QuadroNaTela::mostrarRaiz(QSize tamanho)
{
    return mostrar(importacoes + QStringLiteral(R"(
RaizDoMac {
    anchors.fill: parent
    comecarAoMostrar: false
    estado: estadoDeTeste
    atualizacao: atualizacaoDeTeste
    preenchimento: preenchimentoDeTeste
})"),
                   tamanho, QStringLiteral("#ff00ff"));
}

void QuadroNaTela::publicarEProcurar(const QString &versao)
{
    servidor.site().definirVersaoPublicada(versao);
    Testes::executar(atualizacao->procurar());
}
