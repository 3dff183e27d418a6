#include "plataforma/ArquivoAtomico.h"
#include "plataforma/RepositorioDeIdentidades.h"
#include "support/DiretorioTemporario.h"
#include "support/Permissoes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <functional>
#include <sys/stat.h>
#include <thread>

namespace {

using Testes::permissoes;

struct RepositorioDeIdentidades_ : ::testing::Test {
    DiretorioTemporario pasta;
    RepositorioDeIdentidadesEmArquivo repositorio;

    QJsonObject arquivo() const
    {
        return QJsonDocument::fromJson(ArquivoAtomico::ler(repositorio.caminho()).value_or(QByteArray())).object();
    }
};

const QList<IdentidadeDoPreenchimento> duas = {
    IdentidadeDeSenha{"exemplo.com", "ana", "id-1"},
    IdentidadeDeCodigo{"exemplo.com", "Exemplo · ana", "id-2"},
};

TEST_F(RepositorioDeIdentidades_, FicaNaPastaDoAnfitriaoDentroDosDadosDoUsuario)
{
    EXPECT_EQ(repositorio.caminho(), pasta.dados() + "/corvane-anfitriao/identidades.json");
}

TEST_F(RepositorioDeIdentidades_, SemArquivoEstaDesligadoEVazio)
{
    EXPECT_FALSE(repositorio.ligado());
    EXPECT_TRUE(repositorio.identidades().isEmpty());
}

TEST_F(RepositorioDeIdentidades_, SubstituirGuardaAsDuasEspeciesEmOrdemEmArquivoProtegido)
{
    ASSERT_TRUE(repositorio.definirLigado(true));
    ASSERT_TRUE(repositorio.substituirTodas(duas));

    // A second object, as the host process would read it.
    RepositorioDeIdentidadesEmArquivo anfitriao(repositorio.caminho());
    EXPECT_TRUE(anfitriao.ligado());
    EXPECT_EQ(anfitriao.identidades(), duas);
    EXPECT_EQ(permissoes(repositorio.caminho()), 0600u);
    EXPECT_EQ(permissoes(pasta.dados() + "/corvane-anfitriao"), 0700u);

    ASSERT_TRUE(repositorio.substituirTodas({IdentidadeDeSenha{"outro.com", "", "id-3"}}));
    EXPECT_EQ(anfitriao.identidades(), (QList<IdentidadeDoPreenchimento>{IdentidadeDeSenha{"outro.com", "", "id-3"}}));
}

TEST_F(RepositorioDeIdentidades_, AdicionarNaoRepeteUmaIdentidadeIgual)
{
    ASSERT_TRUE(repositorio.definirLigado(true));
    ASSERT_TRUE(repositorio.substituirTodas({duas[0]}));
    ASSERT_TRUE(repositorio.adicionar(duas[1]));
    ASSERT_TRUE(repositorio.adicionar(duas[1]));
    // Same domain and id, other label: a different identity.
    ASSERT_TRUE(repositorio.adicionar(IdentidadeDeCodigo{"exemplo.com", "Exemplo", "id-2"}));
    EXPECT_EQ(repositorio.identidades(),
              (QList<IdentidadeDoPreenchimento>{duas[0], duas[1], IdentidadeDeCodigo{"exemplo.com", "Exemplo", "id-2"}}));
}

TEST_F(RepositorioDeIdentidades_, AdicionarVariasNumaEscritaNaoRepeteNenhuma)
{
    const IdentidadeDoPreenchimento outroRotulo = IdentidadeDeCodigo{"exemplo.com", "Exemplo", "id-2"};
    ASSERT_TRUE(repositorio.definirLigado(true));
    ASSERT_TRUE(repositorio.substituirTodas({duas[0]}));
    // One already there, one given twice, one differing only in its label.
    ASSERT_TRUE(repositorio.adicionarVarias({duas[0], duas[1], duas[1], outroRotulo}));
    EXPECT_EQ(repositorio.identidades(), (QList<IdentidadeDoPreenchimento>{duas[0], duas[1], outroRotulo}));
    ASSERT_TRUE(repositorio.adicionarVarias({}));
    ASSERT_TRUE(repositorio.adicionarVarias({duas[1]}));
    EXPECT_EQ(repositorio.identidades(), (QList<IdentidadeDoPreenchimento>{duas[0], duas[1], outroRotulo}));
}

TEST_F(RepositorioDeIdentidades_, SubstituirDosRegistrosTrocaSoOsRegistrosDados)
{
    using Lista = QList<IdentidadeDoPreenchimento>;
    const IdentidadeDoPreenchimento a1 = IdentidadeDeSenha{"a.com", "ana", "a"};
    const IdentidadeDoPreenchimento a2 = IdentidadeDeCodigo{"a.com", "ana", "a"};
    const IdentidadeDoPreenchimento b = IdentidadeDeSenha{"b.com", "", "b"};
    const IdentidadeDoPreenchimento c = IdentidadeDeSenha{"c.com", "bia", "c"};
    const IdentidadeDoPreenchimento novaA = IdentidadeDeSenha{"a.com.br", "ana", "a"};
    const IdentidadeDoPreenchimento d = IdentidadeDeCodigo{"d.com", "D", "d"};
    const struct {
        const char *nome;
        IdentidadesPorRegistro mudancas;
        Lista depois;
    } casos[] = {
        {"nothing to change", {}, {a1, a2, b, c}},
        {"a record replaced goes to the end", {{"a", {novaA}}}, {b, c, novaA}},
        {"a record removed", {{"b", {}}}, {a1, a2, c}},
        {"a record not there is added, records in id order", {{"d", {d}}, {"b", {b}}}, {a1, a2, c, b, d}},
        {"removing a record not there changes nothing", {{"x", {}}}, {a1, a2, b, c}},
    };
    RepositorioDeIdentidadesEmArquivo outro(repositorio.caminho(), "org.exemplo.cofre");
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        ASSERT_TRUE(repositorio.definirLigado(true));
        ASSERT_TRUE(repositorio.substituirTodas({a1, a2, b, c}));
        ASSERT_TRUE(outro.substituirTodas({IdentidadeDeSenha{"a.com", "x", "a"}}));
        ASSERT_TRUE(repositorio.substituirDosRegistros(caso.mudancas));
        EXPECT_EQ(repositorio.identidades(), caso.depois);
        EXPECT_TRUE(repositorio.ligado());
        EXPECT_EQ(outro.identidades(), (Lista{IdentidadeDeSenha{"a.com", "x", "a"}})) << "another provider's record";
    }
}

TEST_F(RepositorioDeIdentidades_, SubstituirDosRegistrosMantemEntradasDesconhecidasDeOutrosRegistros)
{
    ASSERT_TRUE(ArquivoAtomico::criarPastaProtegida(pasta.dados() + "/corvane-anfitriao"));
    ASSERT_TRUE(ArquivoAtomico::gravar(
        repositorio.caminho(),
        R"({"provedores":{"app.corvane.mac":{"ligado":true,"identidades":[)"
        R"({"tipo":"chave","dominio":"a.com","idDoRegistro":"1"},)"
        R"({"tipo":"chave","dominio":"b.com","idDoRegistro":"2"},7]}}})"));
    ASSERT_TRUE(repositorio.substituirDosRegistros({{"2", {IdentidadeDeSenha{"b.com", "u", "2"}}}}));
    const QJsonArray lista =
        arquivo().value("provedores").toObject().value("app.corvane.mac").toObject().value("identidades").toArray();
    ASSERT_EQ(lista.size(), 3);
    EXPECT_EQ(lista[0].toObject().value("tipo").toString(), "chave");
    EXPECT_EQ(lista[1].toInt(), 7);
    EXPECT_EQ(repositorio.identidades(), QList<IdentidadeDoPreenchimento>{(IdentidadeDeSenha{"b.com", "u", "2"})});

    // A file that cannot be read is not touched.
    ASSERT_TRUE(QFile::remove(repositorio.caminho()));
    ASSERT_TRUE(QDir().mkpath(repositorio.caminho()));
    EXPECT_FALSE(repositorio.substituirDosRegistros({{"2", {}}}));
}

TEST_F(RepositorioDeIdentidades_, RemoverTudoEsvaziaMasMantemOInterruptor)
{
    ASSERT_TRUE(repositorio.definirLigado(true));
    ASSERT_TRUE(repositorio.substituirTodas(duas));
    ASSERT_TRUE(repositorio.removerTodas());
    EXPECT_TRUE(repositorio.identidades().isEmpty());
    EXPECT_TRUE(repositorio.ligado());
    EXPECT_TRUE(repositorio.removerTodas());
}

TEST_F(RepositorioDeIdentidades_, OutroProvedorNaoEhTocado)
{
    RepositorioDeIdentidadesEmArquivo outro(repositorio.caminho(), "org.exemplo.cofre");
    ASSERT_TRUE(outro.definirLigado(true));
    ASSERT_TRUE(outro.substituirTodas({duas[0]}));

    ASSERT_TRUE(repositorio.substituirTodas({duas[1]}));
    ASSERT_TRUE(repositorio.removerTodas());

    EXPECT_FALSE(repositorio.ligado());
    EXPECT_TRUE(outro.ligado());
    EXPECT_EQ(outro.identidades(), QList<IdentidadeDoPreenchimento>{duas[0]});
}

TEST_F(RepositorioDeIdentidades_, ChavesDesconhecidasSobrevivemAUmaReescrita)
{
    ASSERT_TRUE(ArquivoAtomico::criarPastaProtegida(pasta.dados() + "/corvane-anfitriao"));
    ASSERT_TRUE(ArquivoAtomico::gravar(repositorio.caminho(),
                                       R"({"versaoDoAnfitriao":3,"provedores":{"app.corvane.mac":{"ligado":true,"cor":"azul"}}})"));
    ASSERT_TRUE(repositorio.substituirTodas(duas));
    EXPECT_EQ(arquivo().value("versaoDoAnfitriao").toInt(), 3);
    EXPECT_EQ(arquivo().value("provedores").toObject().value("app.corvane.mac").toObject().value("cor").toString(), "azul");
    EXPECT_TRUE(repositorio.ligado());
}

TEST_F(RepositorioDeIdentidades_, ArquivoDanificadoLeComoVazioEEhSubstituido)
{
    ASSERT_TRUE(ArquivoAtomico::criarPastaProtegida(pasta.dados() + "/corvane-anfitriao"));
    ASSERT_TRUE(ArquivoAtomico::gravar(repositorio.caminho(), "{\"provedores\": [nada"));
    EXPECT_FALSE(repositorio.ligado());
    EXPECT_TRUE(repositorio.identidades().isEmpty());
    ASSERT_TRUE(repositorio.substituirTodas(duas));
    EXPECT_EQ(repositorio.identidades(), duas);
}

TEST_F(RepositorioDeIdentidades_, EntradasIncompreensiveisSaoPuladas)
{
    ASSERT_TRUE(ArquivoAtomico::criarPastaProtegida(pasta.dados() + "/corvane-anfitriao"));
    ASSERT_TRUE(ArquivoAtomico::gravar(
        repositorio.caminho(),
        R"({"provedores":{"app.corvane.mac":{"ligado":"sim","identidades":[)"
        R"({"tipo":"chave","dominio":"a.com","idDoRegistro":"1"},)"
        R"({"tipo":"senha","dominio":"b.com","idDoRegistro":"2"},)"
        R"({"tipo":"senha","dominio":"c.com","usuario":"u","idDoRegistro":"3"},)"
        R"(7]}}})"));
    // A switch that is not a flag is off.
    EXPECT_FALSE(repositorio.ligado());
    EXPECT_EQ(repositorio.identidades(), QList<IdentidadeDoPreenchimento>{(IdentidadeDeSenha{"c.com", "u", "3"})});
}

// As the system's store does, a provider switched off takes no new identity; switched on again,
// it does. Another provider's switch is its own.
TEST_F(RepositorioDeIdentidades_, DesligadoRecusaIdentidadesNovas)
{
    RepositorioDeIdentidadesEmArquivo outro(repositorio.caminho(), "org.exemplo.cofre");
    ASSERT_TRUE(outro.definirLigado(true));
    const struct {
        const char *nome;
        std::function<bool()> adicionar;
    } casos[] = {
        {"one", [this] { return repositorio.adicionar(duas[1]); }},
        {"several", [this] { return repositorio.adicionarVarias(duas); }},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        ASSERT_TRUE(repositorio.definirLigado(true));
        ASSERT_TRUE(repositorio.substituirTodas({}));
        ASSERT_TRUE(repositorio.definirLigado(false));
        EXPECT_FALSE(caso.adicionar());
        EXPECT_TRUE(repositorio.identidades().isEmpty());
        EXPECT_FALSE(repositorio.ligado());

        ASSERT_TRUE(repositorio.definirLigado(true));
        EXPECT_TRUE(caso.adicionar());
        EXPECT_FALSE(repositorio.identidades().isEmpty());
    }
    RepositorioDeIdentidadesEmArquivo semArquivo(pasta.arquivo("nenhum.json"));
    EXPECT_FALSE(semArquivo.adicionar(duas[0])) << "sem arquivo, tudo está desligado";
}

TEST_F(RepositorioDeIdentidades_, ArquivoIlegivelNuncaEhSobrescrito)
{
    // A folder where the file should be cannot be read as a file.
    ASSERT_TRUE(QDir().mkpath(repositorio.caminho()));
    EXPECT_FALSE(repositorio.ligado());
    EXPECT_FALSE(repositorio.substituirTodas(duas));
    EXPECT_FALSE(repositorio.adicionar(duas[0]));
    EXPECT_FALSE(repositorio.definirLigado(true));
    EXPECT_TRUE(QFileInfo(repositorio.caminho()).isDir());
}

TEST_F(RepositorioDeIdentidades_, AdicoesSimultaneasNaoSePerdem)
{
    // Two writers (the extension adding while the application adds) must not lose entries:
    // each read-modify-write holds the lock.
    constexpr int porEscritor = 25;
    ASSERT_TRUE(repositorio.definirLigado(true));
    auto escrever = [this](const QString &prefixo) {
        RepositorioDeIdentidadesEmArquivo proprio(repositorio.caminho());
        for (int i = 0; i < porEscritor; ++i)
            EXPECT_TRUE(proprio.adicionar(IdentidadeDeSenha{prefixo + QString::number(i) + ".com", "", "id"}));
    };
    std::thread a(escrever, QStringLiteral("a"));
    std::thread b(escrever, QStringLiteral("b"));
    a.join();
    b.join();
    EXPECT_EQ(repositorio.identidades().size(), 2 * porEscritor);
}

TEST_F(RepositorioDeIdentidades_, OArmazenamentoDoProcessoPodeSerTrocado)
{
    auto proprio = std::make_shared<RepositorioDeIdentidadesEmArquivo>(pasta.arquivo("outro.json"));
    RepositorioDeIdentidades::usar(proprio);
    EXPECT_EQ(RepositorioDeIdentidades::atual(), proprio);
    RepositorioDeIdentidades::usar(nullptr);
    const auto padrao = std::dynamic_pointer_cast<RepositorioDeIdentidadesEmArquivo>(RepositorioDeIdentidades::atual());
    ASSERT_NE(padrao, nullptr);
    EXPECT_EQ(padrao->caminho(), pasta.dados() + "/corvane-anfitriao/identidades.json");
    RepositorioDeIdentidades::usar(nullptr);
}

} // namespace
