// The host and the extension as separate programs talking through real pipes.
#include "CopiaDeTeste.h"
#include "autofill/protocolo/ProtocoloDoAnfitriao.h"
#include "plataforma/CofreDeSegredosEmArquivo.h"
#include "plataforma/RepositorioDeIdentidades.h"
#include "support/DiretorioTemporario.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QProcess>

using namespace Qt::StringLiterals;

namespace {

struct Execucao {
    int saida = -1;
    QByteArray stdout_;
};

} // namespace

class AnfitriaoEExtensao : public ::testing::Test {
protected:
    void SetUp() override
    {
        pasta = std::make_unique<DiretorioTemporario>();
        arquivoDeSegredos = pasta->arquivo(u"segredos.json"_s);
        CofreDeSegredos::usar(std::make_shared<CofreDeSegredosEmArquivo>(arquivoDeSegredos));
        ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(u"CORVANE_TESTE_SEGREDOS"_s, arquivoDeSegredos);
        ambiente.insert(u"CORVANE_TESTE_DONO"_s, u"confirma"_s);
        ambiente.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    }

    void TearDown() override
    {
        CofreDeSegredos::usar(nullptr);
        pasta.reset();
    }

    void ligar() { ASSERT_TRUE(RepositorioDeIdentidadesEmArquivo().definirLigado(true)); }

    // Runs a program to its end with `entrada` on its input (closed afterwards when `fechar`).
    Execucao executar(const QString &programa, const QStringList &argumentos, const QByteArray &entrada = {})
    {
        QProcess processo;
        processo.setProcessEnvironment(ambiente);
        processo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        processo.start(programa, argumentos);
        EXPECT_TRUE(processo.waitForStarted());
        processo.write(entrada);
        processo.closeWriteChannel();
        EXPECT_TRUE(processo.waitForFinished(60'000));
        return {processo.exitStatus() == QProcess::NormalExit ? processo.exitCode() : -1, processo.readAllStandardOutput()};
    }

    Execucao anfitriao(const QStringList &argumentos)
    {
        return executar(QStringLiteral(CORVANE_ANFITRIAO), QStringList{u"--extensao"_s, QStringLiteral(CORVANE_EXTENSAO)} + argumentos);
    }

    std::unique_ptr<DiretorioTemporario> pasta;
    QString arquivoDeSegredos;
    QProcessEnvironment ambiente;
};

TEST_F(AnfitriaoEExtensao, FornecerEntregaASenhaDepoisDoDonoEOCodigoAtual)
{
    CopiaDeTeste::instalar({CopiaDeTeste::senha(u"s1"_s, u"Exemplo"_s, u"ana"_s, u"pw \"1\""_s, {u"exemplo.com"_s}),
                            CopiaDeTeste::codigo(u"c1"_s, u"Banco"_s, u"ana"_s, {u"banco.com"_s})});
    ligar();
    const Execucao senha = anfitriao({u"fornecer"_s, u"--registro"_s, u"s1"_s, u"exemplo.com"_s});
    EXPECT_EQ(senha.saida, 0);
    EXPECT_EQ(senha.stdout_, RespostaDaExtensao::deSenha(u"ana"_s, u"pw \"1\""_s).linha());

    const ParametrosTotp parametros{CopiaDeTeste::segredo, AlgoritmoTotp::sha1, 6, 30};
    const QString antes = parametros.codigo(QDateTime::currentDateTimeUtc());
    const Execucao codigo = anfitriao({u"fornecer"_s, u"--registro"_s, u"c1"_s, u"--codigo"_s, u"banco.com"_s});
    const QString depois = parametros.codigo(QDateTime::currentDateTimeUtc());
    EXPECT_EQ(codigo.saida, 0);
    EXPECT_TRUE(codigo.stdout_ == RespostaDaExtensao::deCodigo(antes).linha()
                || codigo.stdout_ == RespostaDaExtensao::deCodigo(depois).linha())
        << codigo.stdout_.constData();
}

TEST_F(AnfitriaoEExtensao, PedidoSilenciosoRecusaSemCopiaNemJanela)
{
    // No copy, no key, no display: the answer still comes at once.
    ambiente.insert(u"QT_QPA_PLATFORM"_s, u"nenhuma"_s);
    PedidoDoAnfitriao pedido;
    pedido.tipo = PedidoDoAnfitriao::Tipo::fornecerSemInteracao;
    pedido.identidade = {{u"exemplo.com"_s, IdentificadorDeServico::Tipo::dominio}, u"s1"_s, u"ana"_s, false};
    const Execucao execucao = executar(QStringLiteral(CORVANE_EXTENSAO), {}, pedido.linha());
    EXPECT_EQ(execucao.saida, 0);
    EXPECT_EQ(execucao.stdout_, RespostaDaExtensao::cancelada(100).linha());
    EXPECT_FALSE(QFile::exists(CopiaDoCofre::arquivo()));
}

TEST_F(AnfitriaoEExtensao, FimDaEntradaEncerraSemResposta)
{
    CopiaDeTeste::instalar({CopiaDeTeste::senha(u"s1"_s, u"Exemplo"_s, u"ana"_s, u"pw"_s, {u"exemplo.com"_s})});
    PedidoDoAnfitriao lista;
    lista.tipo = PedidoDoAnfitriao::Tipo::listarSenhas;
    lista.servicos = {{u"exemplo.com"_s, IdentificadorDeServico::Tipo::dominio}};
    const struct {
        QByteArray entrada;
        int saida;
    } casos[] = {
        {{}, 3},                          // nothing at all
        {R"({"versao":1,"pedido")", 3},   // a request cut short
        {lista.linha(), 3},               // the list was open when the host left
        {"{\"versao\":9}\n", 2},          // not a request
        {QByteArray(tamanhoMaximoDaLinha + 1, 'a') + '\n', 2}, // a line too long is a bad request
        {QByteArray(3 * tamanhoMaximoDaLinha, 'a'), 2},        // even with the host still writing
    };
    for (const auto &caso : casos) {
        const Execucao execucao = executar(QStringLiteral(CORVANE_EXTENSAO), {}, caso.entrada);
        EXPECT_EQ(execucao.saida, caso.saida) << caso.entrada.constData();
        EXPECT_TRUE(execucao.stdout_.isEmpty()) << execucao.stdout_.constData();
    }
}

TEST_F(AnfitriaoEExtensao, ComandosDoAnfitriaoESeusCodigosDeSaida)
{
    // Switched off: the system offers nothing and starts no extension.
    EXPECT_EQ(anfitriao({u"senhas"_s, u"https://exemplo.com/login"_s}).saida, 2);
    EXPECT_EQ(anfitriao({u"sugestoes"_s, u"exemplo.com"_s}).stdout_, "[]\n");

    ligar();
    RepositorioDeIdentidadesEmArquivo repositorio;
    ASSERT_TRUE(repositorio.substituirTodas({IdentidadeDeSenha{u"exemplo.com"_s, u"ana"_s, u"s1"_s},
                                             IdentidadeDeCodigo{u"banco.com"_s, u"Banco"_s, u"c1"_s}}));
    EXPECT_EQ(anfitriao({u"sugestoes"_s, u"login.exemplo.com"_s}).stdout_,
              R"([{"tipo":"senha","dominio":"exemplo.com","usuario":"ana","idDoRegistro":"s1"}])" "\n");

    // An extension that ends without answering is a failure; bad usage too.
    EXPECT_EQ(executar(QStringLiteral(CORVANE_ANFITRIAO), {u"--extensao"_s, u"/bin/true"_s, u"codigos"_s, u"a.com"_s}).saida, 2);
    EXPECT_EQ(anfitriao({u"fornecer"_s, u"exemplo.com"_s}).saida, 2);
    EXPECT_EQ(anfitriao({u"voar"_s}).saida, 2);

    EXPECT_EQ(anfitriao({u"desativar"_s}).saida, 0);
    EXPECT_FALSE(repositorio.ligado());
}
