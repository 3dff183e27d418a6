#include "servicos/Seguranca.h"
#include "support/Executar.h"

#include <gtest/gtest.h>

#include <QCoro/QCoroFuture>
#include <QFuture>
#include <QPromise>
#include <QTimer>

#include <memory>
#include <stdexcept>

namespace {

struct Seguranca_ : ::testing::Test {
    void SetUp() override { Seguranca::removerAutenticador(); }
    void TearDown() override { Seguranca::removerAutenticador(); }
};

TEST_F(Seguranca_, SemAutenticadorNadaEhConfirmado)
{
    EXPECT_FALSE(Seguranca::podeAutenticar());
    EXPECT_FALSE(Testes::executar(autenticarDono("Abrir o Corvane")));
}

TEST_F(Seguranca_, OAutenticadorRegistradoRecebeOMotivoEDecide)
{
    auto motivos = std::make_shared<QStringList>();
    auto resposta = std::make_shared<bool>(true);
    Seguranca::registrarAutenticador([motivos, resposta](QString motivo) -> QCoro::Task<bool> {
        motivos->append(motivo);
        co_return *resposta;
    });
    EXPECT_TRUE(Seguranca::podeAutenticar());
    EXPECT_TRUE(Testes::executar(autenticarDono("Abrir o Corvane")));
    *resposta = false;
    EXPECT_FALSE(Testes::executar(autenticarDono("Mostrar suas senhas e notas")));
    EXPECT_EQ(*motivos, QStringList({"Abrir o Corvane", "Mostrar suas senhas e notas"}));
}

TEST_F(Seguranca_, IndisponivelRecusaSemPerguntar)
{
    auto perguntas = std::make_shared<int>(0);
    auto disponivel = std::make_shared<bool>(false);
    Seguranca::registrarAutenticador(
        [perguntas](QString) -> QCoro::Task<bool> {
            ++*perguntas;
            co_return true;
        },
        [disponivel] { return *disponivel; });
    EXPECT_FALSE(Seguranca::podeAutenticar());
    EXPECT_FALSE(Testes::executar(autenticarDono("Abrir o Corvane")));
    EXPECT_EQ(*perguntas, 0);

    *disponivel = true;
    EXPECT_TRUE(Seguranca::podeAutenticar());
    EXPECT_TRUE(Testes::executar(autenticarDono("Abrir o Corvane")));
    EXPECT_EQ(*perguntas, 1);
}

TEST_F(Seguranca_, AutenticadorQueFalhaEhUmaRecusa)
{
    Seguranca::registrarAutenticador([](QString) -> QCoro::Task<bool> {
        throw std::runtime_error("sem tela");
        co_return true;
    });
    bool resultado = true;
    EXPECT_NO_THROW(resultado = Testes::executar(autenticarDono("Abrir o Corvane")));
    EXPECT_FALSE(resultado);
}

TEST_F(Seguranca_, TrocarOAutenticadorDuranteAPerguntaNaoInvalidaAEmCurso)
{
    // The first authenticator captures state and is still waiting when another one is
    // registered; the pending prompt must finish with its own answer.
    auto resposta = std::make_shared<bool>(true);
    auto portao = std::make_shared<QPromise<void>>();
    portao->start();
    const QFuture<void> aberto = portao->future();
    Seguranca::registrarAutenticador([resposta, aberto](QString) -> QCoro::Task<bool> {
        co_await aberto;
        co_return *resposta;
    });
    // Runs once the first prompt is waiting; only then does the first prompt go on.
    QTimer::singleShot(0, [portao] {
        Seguranca::registrarAutenticador([](QString) -> QCoro::Task<bool> { co_return false; });
        portao->finish();
    });
    EXPECT_TRUE(Testes::executar(autenticarDono("Abrir o Corvane")));
    EXPECT_FALSE(Testes::executar(autenticarDono("Abrir o Corvane")));
}

TEST_F(Seguranca_, RemoverOAutenticadorTornaIndisponivel)
{
    Seguranca::registrarAutenticador([](QString) -> QCoro::Task<bool> { co_return true; });
    Seguranca::removerAutenticador();
    EXPECT_FALSE(Seguranca::podeAutenticar());
    EXPECT_FALSE(Testes::executar(autenticarDono("Abrir o Corvane")));
}

TEST(TipoDeBiometria, NaoHaBiometriaEOsTextosSaoOsDaSenha)
{
    EXPECT_EQ(tipoDeBiometria(), TipoDeBiometria::nenhuma);
    const struct {
        TipoDeBiometria tipo;
        const char *nome;
        const char *simbolo;
        const char *comArtigo;
    } tabela[] = {
        {TipoDeBiometria::faceID, "Face ID", "faceid", "o Face ID"},
        {TipoDeBiometria::touchID, "Touch ID", "touchid", "o Touch ID"},
        {TipoDeBiometria::opticID, "Optic ID", "opticid", "o Optic ID"},
        {TipoDeBiometria::nenhuma, "senha do computador", "lock", "a senha do computador"},
    };
    for (const auto &linha : tabela) {
        SCOPED_TRACE(linha.nome);
        EXPECT_EQ(nome(linha.tipo), linha.nome);
        EXPECT_EQ(simbolo(linha.tipo), linha.simbolo);
        EXPECT_EQ(nomeComArtigo(linha.tipo), QString::fromUtf8(linha.comArtigo));
    }
}

} // namespace
