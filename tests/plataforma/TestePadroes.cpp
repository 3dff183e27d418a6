#include "plataforma/ArquivoAtomico.h"
#include "plataforma/Padroes.h"
#include "support/DiretorioTemporario.h"
#include "support/Permissoes.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <sys/stat.h>
#include <thread>

namespace {

struct Padroes_ : ::testing::Test {
    DiretorioTemporario pasta;
    Padroes padroes{pasta.arquivo("suite.json")};

    void escreverArquivo(const QByteArray &json) { ASSERT_TRUE(ArquivoAtomico::gravar(padroes.caminho(), json)); }
};

TEST_F(Padroes_, CadaTipoVoltaComoFoiGravado)
{
    EXPECT_TRUE(padroes.definirInteiro("bloqueio", 300));
    EXPECT_TRUE(padroes.definirInteiro("grande", Q_INT64_C(9007199254740993)));
    EXPECT_TRUE(padroes.definirLogico("proteger-app", false));
    EXPECT_TRUE(padroes.definirTexto("ultimo-email", ""));
    EXPECT_TRUE(padroes.definirDados("opcoes-do-gerador", QByteArray("\x00\xff{}", 4)));
    EXPECT_TRUE(padroes.definirListaDeTextos("ordem-1", {"b", "a", "b"}));
    EXPECT_TRUE(padroes.definirListaDeTextos("vazia", {}));

    // A second object on the same file, as another program would open it.
    const Padroes outro(padroes.caminho());
    EXPECT_EQ(outro.inteiro("bloqueio"), 300);
    EXPECT_EQ(outro.inteiro("grande"), Q_INT64_C(9007199254740993));
    EXPECT_EQ(outro.logico("proteger-app"), false);
    EXPECT_EQ(outro.texto("ultimo-email"), QString(""));
    EXPECT_EQ(outro.dados("opcoes-do-gerador"), QByteArray("\x00\xff{}", 4));
    EXPECT_EQ(outro.listaDeTextos("ordem-1"), QStringList({"b", "a", "b"}));
    EXPECT_EQ(outro.listaDeTextos("vazia"), QStringList());
    EXPECT_EQ(outro.inteiro("ausente"), std::nullopt);

    EXPECT_EQ(Testes::permissoes(padroes.caminho()), 0600u);
}

TEST_F(Padroes_, TipoErradoLeComoAusente)
{
    escreverArquivo(R"({"texto":"60","logico":true,"numero":1,"fracao":60.5,"inteiroEmPonto":60.0,)"
                    R"("lista":["a",1],"objeto":{"outra":"x"},"dadosRuins":{"dados":"@@@"},"nulo":null})");
    EXPECT_EQ(padroes.inteiro("texto"), std::nullopt);
    EXPECT_EQ(padroes.inteiro("logico"), std::nullopt);
    EXPECT_EQ(padroes.inteiro("fracao"), std::nullopt);
    EXPECT_EQ(padroes.inteiro("inteiroEmPonto"), 60);
    EXPECT_EQ(padroes.logico("numero"), std::nullopt);
    EXPECT_EQ(padroes.logico("texto"), std::nullopt);
    EXPECT_EQ(padroes.texto("numero"), std::nullopt);
    EXPECT_EQ(padroes.texto("lista"), std::nullopt);
    EXPECT_EQ(padroes.dados("texto"), std::nullopt);
    EXPECT_EQ(padroes.dados("objeto"), std::nullopt);
    EXPECT_EQ(padroes.dados("dadosRuins"), std::nullopt);
    EXPECT_EQ(padroes.listaDeTextos("lista"), std::nullopt);
    EXPECT_EQ(padroes.listaDeTextos("texto"), std::nullopt);
    EXPECT_EQ(padroes.texto("nulo"), std::nullopt);
    EXPECT_TRUE(padroes.contem("nulo"));
    EXPECT_FALSE(padroes.contem("ausente"));
}

TEST_F(Padroes_, ArquivoDanificadoLeVazioEAProximaGravacaoOSubstitui)
{
    escreverArquivo("{ isto não é json");
    EXPECT_EQ(padroes.inteiro("bloqueio"), std::nullopt);
    EXPECT_TRUE(padroes.definirInteiro("bloqueio", 60));
    EXPECT_EQ(padroes.inteiro("bloqueio"), 60);
    EXPECT_TRUE(QJsonDocument::fromJson(*ArquivoAtomico::ler(padroes.caminho())).isObject());
}

TEST_F(Padroes_, RemoverTiraSoAChaveERemoverTudoApagaASuite)
{
    padroes.definirTexto("ultimo-email", "a@b.c");
    padroes.definirListaDeTextos("ordem-x", {"1"});
    EXPECT_TRUE(padroes.remover("ordem-x"));
    EXPECT_TRUE(padroes.remover("nunca-existiu"));
    EXPECT_EQ(padroes.listaDeTextos("ordem-x"), std::nullopt);
    EXPECT_EQ(padroes.texto("ultimo-email"), QString("a@b.c"));

    EXPECT_TRUE(padroes.removerTudo());
    EXPECT_FALSE(QFileInfo::exists(padroes.caminho()));
    EXPECT_EQ(padroes.texto("ultimo-email"), std::nullopt);
    EXPECT_TRUE(padroes.removerTudo());
}

TEST_F(Padroes_, DoisProgramasGravandoChavesDiferentesNaoPerdemNenhuma)
{
    constexpr int porLinha = 40;
    const auto gravar = [&](const QString &prefixo) {
        Padroes meu(padroes.caminho());
        for (int i = 0; i < porLinha; ++i)
            ASSERT_TRUE(meu.definirInteiro(prefixo + QString::number(i), i));
    };
    std::thread app(gravar, QStringLiteral("app-"));
    std::thread extensao(gravar, QStringLiteral("extensao-"));
    app.join();
    extensao.join();
    for (int i = 0; i < porLinha; ++i) {
        EXPECT_EQ(padroes.inteiro(QStringLiteral("app-%1").arg(i)), i);
        EXPECT_EQ(padroes.inteiro(QStringLiteral("extensao-%1").arg(i)), i);
    }
}

TEST_F(Padroes_, GravarSemPastaFalhaSemExcecao)
{
    Padroes semPasta(pasta.arquivo("falta/suite.json"));
    EXPECT_FALSE(semPasta.definirLogico("proteger-app", true));
    EXPECT_EQ(semPasta.logico("proteger-app"), std::nullopt);
}

TEST(PadroesSuites, SuiteDoGrupoFicaNoConteinerEAPadraoNaConfiguracao)
{
    const DiretorioTemporario pasta;
    const auto grupo = Padroes::doGrupo("group.app.corvane");
    ASSERT_TRUE(grupo);
    EXPECT_EQ(grupo->caminho(),
              pasta.dados() + "/Group Containers/group.app.corvane/Library/Preferences/group.app.corvane.json");
    EXPECT_TRUE(Padroes(*grupo).definirInteiro("bloqueio", 900));
    EXPECT_EQ(Padroes::doGrupo("group.app.corvane")->inteiro("bloqueio"), 900);

    Padroes padrao = Padroes::padrao();
    EXPECT_EQ(padrao.caminho(), pasta.configuracao() + "/corvane/padroes.json");
    EXPECT_TRUE(padrao.definirTexto("armazenamento-de-segredos", "arquivo"));
    // The two suites are separate.
    EXPECT_EQ(grupo->texto("armazenamento-de-segredos"), std::nullopt);
}

TEST(PadroesSuites, SuiteDoGrupoQueNaoAbreEInformada)
{
    const DiretorioTemporario pasta;
    EXPECT_EQ(Padroes::doGrupo(""), std::nullopt);
    ASSERT_TRUE(ArquivoAtomico::gravar(pasta.arquivo("arquivo"), "x"));
    qputenv("XDG_DATA_HOME", pasta.arquivo("arquivo").toLocal8Bit());
    EXPECT_EQ(Padroes::doGrupo("group.app.corvane"), std::nullopt);
}

} // namespace
