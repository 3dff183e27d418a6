#include "core/Chaveiro.h"
#include "plataforma/InfoDoPacote.h"
#include "support/CofreDeSegredosEmMemoria.h"

#include <gtest/gtest.h>

namespace {

struct Chaveiro_ : ::testing::Test {
    std::shared_ptr<CofreDeSegredosEmMemoria> cofre = CofreDeSegredosEmMemoria::instalar();

    void SetUp() override { InfoDoPacote::substituir(QVariantMap{{"GrupoDoChaveiro", "equipe.app.corvane"}}); }
    void TearDown() override
    {
        InfoDoPacote::substituir(std::nullopt);
        CofreDeSegredos::usar(nullptr);
    }
};

TEST_F(Chaveiro_, ConsultaLevaOServicoFixoEOGrupoSoQuandoConfigurado)
{
    const struct {
        QVariantMap info;
        std::optional<QString> grupo;
    } casos[] = {
        {{}, std::nullopt},
        {{{"GrupoDoChaveiro", ""}}, std::nullopt},
        {{{"GrupoDoChaveiro", "$(AppIdentifierPrefix)app.corvane"}}, std::nullopt},
        {{{"GrupoDoChaveiro", "equipe.app.corvane"}}, QStringLiteral("equipe.app.corvane")},
        {{{"GrupoDoChaveiro", "equipe.app.corvane"}, {"CFBundleIdentifier", "app.corvane.AutoFill"}},
         QStringLiteral("equipe.app.corvane")},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.info.value("GrupoDoChaveiro").toString().toStdString());
        InfoDoPacote::substituir(caso.info);
        const auto consulta = Chaveiro::consulta("sessao");
        EXPECT_EQ(consulta.servico, QString("app.corvane"));
        EXPECT_EQ(consulta.conta, QString("sessao"));
        EXPECT_EQ(consulta.grupo, caso.grupo);
    }
}

TEST_F(Chaveiro_, LeituraGravacaoEApagarUsamTodosOGrupo)
{
    Chaveiro::gravar("tokens", "sessao");
    (void)Chaveiro::ler("sessao");
    Chaveiro::apagar("sessao");
    ASSERT_EQ(cofre->consultas().size(), 3);
    for (const auto &consulta : cofre->consultas())
        EXPECT_EQ(consulta, (ConsultaDeSegredo{"app.corvane", "sessao", QStringLiteral("equipe.app.corvane")}));
}

TEST_F(Chaveiro_, GravarDuasVezesDeixaUmItemComOSegundoValor)
{
    Chaveiro::gravar("primeiro", "sessao");
    Chaveiro::gravar("segundo", "sessao");
    EXPECT_EQ(cofre->quantidade(), 1);
    EXPECT_EQ(Chaveiro::ler("sessao"), QByteArray("segundo"));
}

TEST_F(Chaveiro_, ChaveDoCofreSoComTrintaEDoisBytes)
{
    for (const qsizetype tamanho : {0, 31, 33, 64}) {
        SCOPED_TRACE(tamanho);
        Chaveiro::gravar(QByteArray(tamanho, 'k'), Chaveiro::contaDaChaveDoCofre);
        EXPECT_EQ(Chaveiro::lerChaveDoCofre(), std::nullopt);
        EXPECT_EQ(Chaveiro::lerChaveDoCofreComSituacao().situacao, SituacaoDoSegredo::ausente);
        // Left in place, not deleted.
        EXPECT_EQ(Chaveiro::ler(Chaveiro::contaDaChaveDoCofre), QByteArray(tamanho, 'k'));
    }
    const QByteArray chave(32, '\x5a');
    Chaveiro::gravar(chave, "chave-do-cofre");
    EXPECT_EQ(Chaveiro::lerChaveDoCofre(), chave);
    const auto leitura = Chaveiro::lerChaveDoCofreComSituacao();
    EXPECT_EQ(leitura.situacao, SituacaoDoSegredo::presente);
    EXPECT_EQ(leitura.bytes, chave);
}

// An unreachable keyring must not look like a signed-out machine.
TEST_F(Chaveiro_, CofreIndisponivelNaoSeConfundeComItemAusente)
{
    Chaveiro::gravar(QByteArray(32, 'k'), "chave-do-cofre");
    EXPECT_EQ(Chaveiro::lerComSituacao("sessao").situacao, SituacaoDoSegredo::ausente);

    cofre->tornarIndisponivel(true);
    EXPECT_EQ(Chaveiro::lerChaveDoCofre(), std::nullopt);
    EXPECT_EQ(Chaveiro::ler("sessao"), std::nullopt);
    EXPECT_EQ(Chaveiro::lerChaveDoCofreComSituacao().situacao, SituacaoDoSegredo::indisponivel);
    EXPECT_EQ(Chaveiro::lerComSituacao("sessao").situacao, SituacaoDoSegredo::indisponivel);
    EXPECT_NO_THROW(Chaveiro::apagar("sessao"));
    EXPECT_THROW(Chaveiro::gravar("x", "sessao"), ErroDoChaveiro);

    cofre->tornarIndisponivel(false);
    EXPECT_EQ(Chaveiro::lerChaveDoCofre(), QByteArray(32, 'k'));
}

TEST_F(Chaveiro_, GravacaoQueFalhaLancaOStatusEMantemOValorAnterior)
{
    Chaveiro::gravar("tokens-antigos", "sessao");
    cofre->fazerEscritasFalharem(-25308);
    try {
        Chaveiro::gravar("tokens-novos", "sessao");
        FAIL() << "the write should have thrown";
    } catch (const ErroDoChaveiro &erro) {
        EXPECT_EQ(erro.status, -25308);
        EXPECT_EQ(erro, ErroDoChaveiro::falha(-25308));
        EXPECT_FALSE(erro == ErroDoChaveiro::falha(-25291));
    }
    EXPECT_EQ(Chaveiro::ler("sessao"), QByteArray("tokens-antigos"));
    EXPECT_EQ(cofre->quantidade(), 1);
}

TEST_F(Chaveiro_, ApagarContaSemItemNaoFazNada)
{
    Chaveiro::gravar("k", "outra");
    EXPECT_NO_THROW(Chaveiro::apagar("sessao"));
    EXPECT_EQ(cofre->quantidade(), 1);
    Chaveiro::apagar("outra");
    EXPECT_EQ(cofre->quantidade(), 0);
}

} // namespace
