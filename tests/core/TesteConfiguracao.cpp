#include "core/Configuracao.h"
#include "plataforma/InfoDoPacote.h"

#include <gtest/gtest.h>

namespace {

struct Configuracao : ::testing::Test {
    void TearDown() override { InfoDoPacote::substituir(std::nullopt); }
    static void com(const QVariantMap &dicionario) { InfoDoPacote::substituir(dicionario); }
};

TEST_F(Configuracao, ProgramaTrazOsQuatroValoresCompilados)
{
    const auto info = InfoDoPacote::dicionario();
    EXPECT_TRUE(info.contains("URLDaAPI"));
    EXPECT_TRUE(info.contains("GrupoDoApp"));
    EXPECT_TRUE(urlDaAPI().isValid());
}

TEST_F(Configuracao, GrupoDoAppCaiNoPadraoQuandoAusenteVazioNaoTextoOuComCifrao)
{
    const QList<QVariantMap> casos = {
        {},
        {{"GrupoDoApp", ""}},
        {{"GrupoDoApp", 42}},
        {{"GrupoDoApp", "$(GRUPO)"}},
    };
    for (const auto &caso : casos) {
        com(caso);
        EXPECT_EQ(grupoDoApp(), "group.app.corvane");
    }
    com({{"GrupoDoApp", "group.exemplo"}});
    EXPECT_EQ(grupoDoApp(), "group.exemplo");
}

TEST_F(Configuracao, GrupoDoChaveiroDevolveOTextoComoEsta)
{
    com({});
    EXPECT_EQ(grupoDoChaveiro(), "");
    com({{"GrupoDoChaveiro", 7}});
    EXPECT_EQ(grupoDoChaveiro(), "");
    com({{"GrupoDoChaveiro", "$(AppIdentifierPrefix)x"}});
    EXPECT_EQ(grupoDoChaveiro(), "$(AppIdentifierPrefix)x");
    com({{"GrupoDoChaveiro", " EQ.app "}});
    EXPECT_EQ(grupoDoChaveiro(), " EQ.app ");
}

TEST_F(Configuracao, EnderecosInvalidosCaemNoPadraoOuNaAusencia)
{
    const QList<QVariant> ruins = {QVariant(), QVariant(3), QVariant(""), QVariant("não é url"), QVariant("http://")};
    for (const auto &ruim : ruins) {
        QVariantMap d;
        if (ruim.isValid()) {
            d.insert("URLDaAPI", ruim);
            d.insert("URLDoSite", ruim);
        }
        com(d);
        EXPECT_EQ(urlDaAPI(), QUrl(urlDaAPIDeDesenvolvimento)) << ruim.toString().toStdString();
        EXPECT_FALSE(urlDoSite().has_value()) << ruim.toString().toStdString();
    }
    com({{"URLDaAPI", "https://api.exemplo.com/base"}, {"URLDoSite", "https://exemplo.com"}});
    EXPECT_EQ(urlDaAPI(), QUrl("https://api.exemplo.com/base"));
    EXPECT_EQ(urlDoSite(), QUrl("https://exemplo.com"));
}

} // namespace
