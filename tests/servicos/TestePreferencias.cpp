#include "servicos/Preferencias.h"
#include "plataforma/ArquivoAtomico.h"
#include "plataforma/InfoDoPacote.h"
#include "support/DiretorioTemporario.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>

namespace {

struct Preferencias_ : ::testing::Test {
    DiretorioTemporario pasta;
    QString caminho = pasta.arquivo("preferencias.json");

    void gravar(const QByteArray &json) { ASSERT_TRUE(ArquivoAtomico::gravar(caminho, json)); }
    QJsonObject guardado() const
    {
        return QJsonDocument::fromJson(ArquivoAtomico::ler(caminho).value_or(QByteArray())).object();
    }
    static QByteArray emDados(const QByteArray &bytes)
    {
        return R"({"opcoes-do-gerador":{"dados":")" + bytes.toBase64() + R"("}})";
    }
};

TEST_F(Preferencias_, InstalacaoNovaTemOsPadroes)
{
    const Preferencias preferencias{Padroes(caminho)};
    EXPECT_EQ(preferencias.bloqueio(), OpcaoDeBloqueio::imediato);
    EXPECT_TRUE(preferencias.protegerApp());
    EXPECT_EQ(preferencias.ultimoEmail(), QString());
    EXPECT_EQ(preferencias.opcoesDoGerador(), OpcoesDeSenha());
    EXPECT_EQ(preferencias.opcoesDoGerador().tamanho, 20);
    // Reading never writes.
    EXPECT_FALSE(QFileInfo::exists(caminho));
}

TEST_F(Preferencias_, BloqueioSoAceitaOsQuatroInteiros)
{
    const struct {
        const char *guardado;
        OpcaoDeBloqueio esperado;
    } casos[] = {
        {R"({"bloqueio":0})", OpcaoDeBloqueio::imediato},
        {R"({"bloqueio":60})", OpcaoDeBloqueio::umMinuto},
        {R"({"bloqueio":300})", OpcaoDeBloqueio::cincoMinutos},
        {R"({"bloqueio":900})", OpcaoDeBloqueio::quinzeMinutos},
        {R"({"bloqueio":900.0})", OpcaoDeBloqueio::quinzeMinutos},
        {R"({"bloqueio":120})", OpcaoDeBloqueio::imediato},
        {R"({"bloqueio":-60})", OpcaoDeBloqueio::imediato},
        {R"({"bloqueio":60.5})", OpcaoDeBloqueio::imediato},
        {R"({"bloqueio":"60"})", OpcaoDeBloqueio::imediato},
        {R"({"bloqueio":true})", OpcaoDeBloqueio::imediato},
        {R"({"bloqueio":null})", OpcaoDeBloqueio::imediato},
        {R"({"bloqueio":[300]})", OpcaoDeBloqueio::imediato},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.guardado);
        gravar(caso.guardado);
        EXPECT_EQ(Preferencias{Padroes(caminho)}.bloqueio(), caso.esperado);
    }
}

TEST_F(Preferencias_, ProtegerAppSoAceitaUmValorLogico)
{
    const struct {
        const char *guardado;
        bool esperado;
    } casos[] = {
        {R"({"proteger-app":false})", false},
        {R"({"proteger-app":true})", true},
        {R"({"proteger-app":"false"})", true},
        {R"({"proteger-app":0})", true},
        {R"({"proteger-app":null})", true},
        {R"({})", true},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.guardado);
        gravar(caso.guardado);
        EXPECT_EQ(Preferencias{Padroes(caminho)}.protegerApp(), caso.esperado);
    }
}

TEST_F(Preferencias_, UltimoEmailDeOutroTipoLeComoVazio)
{
    gravar(R"({"ultimo-email":"ana@exemplo.com"})");
    EXPECT_EQ(Preferencias{Padroes(caminho)}.ultimoEmail(), "ana@exemplo.com");
    gravar(R"({"ultimo-email":42})");
    EXPECT_EQ(Preferencias{Padroes(caminho)}.ultimoEmail(), QString());
}

TEST_F(Preferencias_, OpcoesDoGeradorIndecifraveisDaoOsPadroes)
{
    const OpcoesDeSenha padrao;
    const struct {
        const char *nome;
        QByteArray guardado;
    } casos[] = {
        {"não é JSON", emDados("{tamanho: 12")},
        {"falta semAmbiguos",
         emDados(R"({"tamanho":12,"maiusculas":false,"minusculas":true,"numeros":true,"simbolos":false})")},
        {"tamanho em texto",
         emDados(R"({"tamanho":"12","maiusculas":false,"minusculas":true,"numeros":true,"simbolos":false,"semAmbiguos":false})")},
        {"lista em vez de objeto", emDados("[]")},
        {"texto em vez de dados", R"({"opcoes-do-gerador":"{\"tamanho\":12}"})"},
        {"base64 quebrado", R"({"opcoes-do-gerador":{"dados":"@@@"}})"},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        gravar(caso.guardado);
        EXPECT_EQ(Preferencias{Padroes(caminho)}.opcoesDoGerador(), padrao);
    }
}

TEST_F(Preferencias_, OpcoesDoGeradorGuardadasVoltam)
{
    OpcoesDeSenha opcoes;
    opcoes.tamanho = 32;
    opcoes.simbolos = false;
    opcoes.semAmbiguos = false;
    {
        Preferencias preferencias{Padroes(caminho)};
        preferencias.definirOpcoesDoGerador(opcoes);
    }
    EXPECT_EQ(Preferencias{Padroes(caminho)}.opcoesDoGerador(), opcoes);
}

TEST_F(Preferencias_, ValoresDefinidosSobrevivemAUmNovoInicio)
{
    {
        Preferencias preferencias{Padroes(caminho)};
        preferencias.definirBloqueio(OpcaoDeBloqueio::cincoMinutos);
        preferencias.definirProtegerApp(false);
        preferencias.definirUltimoEmail("ana@exemplo.com");
    }
    const QJsonObject json = guardado();
    EXPECT_EQ(json.value("bloqueio"), QJsonValue(300));
    EXPECT_EQ(json.value("proteger-app"), QJsonValue(false));
    EXPECT_EQ(json.value("ultimo-email"), QJsonValue("ana@exemplo.com"));

    const Preferencias depois{Padroes(caminho)};
    EXPECT_EQ(depois.bloqueio(), OpcaoDeBloqueio::cincoMinutos);
    EXPECT_FALSE(depois.protegerApp());
    EXPECT_EQ(depois.ultimoEmail(), "ana@exemplo.com");
}

TEST_F(Preferencias_, MesmoValorGravaDeNovoSemAvisar)
{
    Preferencias preferencias{Padroes(caminho)};
    QSignalSpy bloqueio(&preferencias, &Preferencias::bloqueioMudou);
    QSignalSpy proteger(&preferencias, &Preferencias::protegerAppMudou);
    QSignalSpy email(&preferencias, &Preferencias::ultimoEmailMudou);
    QSignalSpy opcoes(&preferencias, &Preferencias::opcoesDoGeradorMudou);

    preferencias.definirBloqueio(OpcaoDeBloqueio::imediato);
    preferencias.definirProtegerApp(true);
    preferencias.definirUltimoEmail(QString());
    preferencias.definirOpcoesDoGerador(OpcoesDeSenha());
    EXPECT_EQ(bloqueio.count() + proteger.count() + email.count() + opcoes.count(), 0);
    // Written through all the same, the empty e-mail as an empty string.
    const QJsonObject json = guardado();
    EXPECT_EQ(json.value("bloqueio"), QJsonValue(0));
    EXPECT_EQ(json.value("proteger-app"), QJsonValue(true));
    EXPECT_EQ(json.value("ultimo-email"), QJsonValue(""));
    EXPECT_TRUE(json.value("opcoes-do-gerador").isObject());

    preferencias.definirBloqueio(OpcaoDeBloqueio::quinzeMinutos);
    preferencias.definirBloqueio(OpcaoDeBloqueio::quinzeMinutos);
    preferencias.definirProtegerApp(false);
    preferencias.definirUltimoEmail("b@c.d");
    OpcoesDeSenha outra;
    outra.numeros = false; // one flag differs: a change
    preferencias.definirOpcoesDoGerador(outra);
    EXPECT_EQ(bloqueio.count(), 1);
    EXPECT_EQ(proteger.count(), 1);
    EXPECT_EQ(email.count(), 1);
    EXPECT_EQ(opcoes.count(), 1);
}

TEST_F(Preferencias_, ArmazenamentoEhOMesmoArquivoParaOutrasChaves)
{
    Preferencias preferencias{Padroes(caminho)};
    EXPECT_EQ(preferencias.armazenamento().caminho(), caminho);
    EXPECT_TRUE(preferencias.armazenamento().definirListaDeTextos("ordem-conta-1", {"b", "a"}));
    preferencias.definirProtegerApp(false);
    EXPECT_EQ(Padroes(caminho).listaDeTextos("ordem-conta-1"), QStringList({"b", "a"}));
}

TEST_F(Preferencias_, SemArgumentosUsaASuiteDoGrupoOuAPadrao)
{
    InfoDoPacote::substituir(QVariantMap{{"GrupoDoApp", "group.teste.corvane"}});
    {
        Preferencias preferencias;
        EXPECT_EQ(preferencias.armazenamento().caminho(),
                  pasta.dados() + "/Group Containers/group.teste.corvane/Library/Preferences/group.teste.corvane.json");
        preferencias.definirBloqueio(OpcaoDeBloqueio::umMinuto);
        EXPECT_EQ(Preferencias().bloqueio(), OpcaoDeBloqueio::umMinuto);
    }
    // A data folder that cannot hold the container: the standard suite instead.
    ASSERT_TRUE(ArquivoAtomico::gravar(pasta.caminho() + "/bloqueado", "x"));
    qputenv("XDG_DATA_HOME", (pasta.caminho() + "/bloqueado").toLocal8Bit());
    {
        const Preferencias preferencias;
        EXPECT_EQ(preferencias.armazenamento().caminho(), pasta.configuracao() + "/corvane/padroes.json");
    }
    InfoDoPacote::substituir(std::nullopt);
}

TEST(OpcaoDeBloqueio, ValoresBrutosNomesEOrdem)
{
    const struct {
        OpcaoDeBloqueio opcao;
        qint64 segundos;
        const char *nome;
    } tabela[] = {
        {OpcaoDeBloqueio::imediato, 0, "Imediato"},
        {OpcaoDeBloqueio::umMinuto, 60, "1 minuto"},
        {OpcaoDeBloqueio::cincoMinutos, 300, "5 minutos"},
        {OpcaoDeBloqueio::quinzeMinutos, 900, "15 minutos"},
    };
    ASSERT_EQ(std::size(todasAsOpcoesDeBloqueio), std::size(tabela));
    for (size_t i = 0; i < std::size(tabela); ++i) {
        SCOPED_TRACE(tabela[i].nome);
        EXPECT_EQ(todasAsOpcoesDeBloqueio[i], tabela[i].opcao);
        EXPECT_EQ(valorBruto(tabela[i].opcao), tabela[i].segundos);
        EXPECT_EQ(opcaoDeBloqueio(tabela[i].segundos), tabela[i].opcao);
        EXPECT_EQ(nome(tabela[i].opcao), QString::fromUtf8(tabela[i].nome));
    }
    EXPECT_EQ(opcaoDeBloqueio(30), std::nullopt);
    EXPECT_EQ(opcaoDeBloqueio(1), std::nullopt);
    EXPECT_EQ(opcaoDeBloqueio(3600), std::nullopt);
}

} // namespace
