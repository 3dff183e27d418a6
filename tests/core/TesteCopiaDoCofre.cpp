#include "core/ArquivosDoPreenchimento.h"
#include "core/Configuracao.h"
#include "core/CopiaDoCofre.h"
#include "plataforma/ArquivoAtomico.h"
#include "support/DiretorioTemporario.h"
#include "support/Permissoes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <thread>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

const QByteArray contaJSON =
    R"({"id":"c1","email":"ana@exemplo.com","nome":"Ana","sal":"c2Fs",)"
    R"("kdf":{"algoritmo":"argon2id","iteracoes":3,"memoriaKiB":65536,"paralelismo":1},)"
    R"("chaveDoCofreProtegida":"v1.AAA.BBB","autenticadorLigado":false,"criadaEm":"2024-01-02T03:04:05Z"})";

Conta conta()
{
    return Conta::deJSON(CodificacaoJSON::lerDocumento(contaJSON));
}

ItemCifrado item(int n)
{
    return {u"id-%1"_s.arg(n), todosOsTiposDeItem[n % 3], u"v1.nonce%1.dados"_s.arg(n), n, u"2024-01-01T00:00:00Z"_s,
            u"2024-01-0%1T00:00:00Z"_s.arg(n % 9 + 1), std::nullopt};
}

CopiaDoCofre copiaCom(int itens, qint64 revisao)
{
    CopiaDoCofre copia{1, conta(), revisao, {}, {}};
    for (int n = 0; n < itens; ++n)
        copia.itens.append(item(n));
    return copia;
}

QString pastaEsperada(const DiretorioTemporario &tmp)
{
    return tmp.dados() + u"/Group Containers/"_s + grupoDoApp() + u"/Library/Application Support"_s;
}

void gravarBytes(const QString &caminho, const QByteArray &bytes)
{
    ASSERT_TRUE(ArquivoAtomico::criarPastaProtegida(QFileInfo(caminho).path()));
    QFile arquivo(caminho);
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    ASSERT_EQ(arquivo.write(bytes), bytes.size());
}

} // namespace

TEST(CopiaDoCofre, GravadaELidaDeVoltaDaOMesmoConteudoNaMesmaOrdem)
{
    const DiretorioTemporario tmp;
    CopiaDoCofre copia = copiaCom(5, 42);
    copia.itens[2].dados.reset();
    copia.itens[2].apagadoEm = u"2024-02-02T00:00:00Z"_s;
    CopiaDoCofre::salvar(copia);

    EXPECT_EQ(CopiaDoCofre::arquivo(), pastaEsperada(tmp) + u"/cofre.json"_s);
    const auto lida = CopiaDoCofre::ler();
    ASSERT_TRUE(lida);
    EXPECT_EQ(*lida, copia);

    const QByteArray bytes = *ArquivoAtomico::ler(CopiaDoCofre::arquivo());
    EXPECT_TRUE(bytes.startsWith(R"({"versao":1,"conta":{"id":"c1",)")) << bytes.left(60).toStdString();
}

TEST(CopiaDoCofre, ArquivoSoDoDonoEPastaFechada)
{
    const DiretorioTemporario tmp;
    CopiaDoCofre::salvar(copiaCom(1, 1));
    EXPECT_EQ(Testes::permissoes(CopiaDoCofre::arquivo()), 0600u);
    EXPECT_EQ(Testes::permissoes(CopiaDoCofre::pasta()), 0700u);
    // Nothing but the file itself is left behind (no temporary file of the atomic write).
    EXPECT_EQ(QDir(CopiaDoCofre::pasta()).entryList(QDir::Files | QDir::Hidden), QStringList{u"cofre.json"_s});
}

TEST(CopiaDoCofre, VersaoNaoEhConferidaMasSempreSeEscreveUm)
{
    const DiretorioTemporario tmp;
    CopiaDoCofre copia = copiaCom(1, 7);
    QByteArray bytes = copia.paraJSON().escritoEmUTF8();
    bytes.replace(R"("versao":1)", R"("versao":2)");
    gravarBytes(CopiaDoCofre::arquivo(), bytes);

    const auto lida = CopiaDoCofre::ler();
    ASSERT_TRUE(lida);
    EXPECT_EQ(lida->versao, 2);
    EXPECT_EQ(lida->itens, copia.itens);
    EXPECT_TRUE(lida->paraJSON().escritoEmUTF8().startsWith(R"({"versao":1,)"));
}

TEST(CopiaDoCofre, ArquivoIncompletoOuDanificadoNaoEhCopia)
{
    const DiretorioTemporario tmp;
    const QByteArray conta = contaJSON;
    const QByteArray item = R"({"id":"i","tipo":"nota","revisao":1,"criadoEm":"c","atualizadoEm":"a"})";
    const QByteArray casos[] = {
        R"({"conta":)" + conta + R"(,"revisao":1,"itens":[]})",
        R"({"versao":1,"revisao":1,"itens":[]})",
        R"({"versao":1,"conta":)" + conta + R"(,"itens":[]})",
        R"({"versao":1,"conta":)" + conta + R"(,"revisao":1})",
        R"({"versao":1,"conta":)" + conta + R"(,"revisao":1,"itens":null})",
        R"({"versao":1,"conta":{"id":"c1"},"revisao":1,"itens":[]})",
        R"({"versao":1,"conta":)" + conta + R"(,"revisao":1,"itens":[)" + item + R"(,{"id":"j"}]})",
        R"({"versao":1,"conta":)" + conta + R"(,"revisao":1,"itens":[)" + item.left(40),
        "",
        "[]",
    };
    // The well-formed control, so the cases above fail for the reason they show.
    gravarBytes(CopiaDoCofre::arquivo(), R"({"versao":1,"conta":)" + conta + R"(,"revisao":1,"itens":[)" + item + "]}");
    ASSERT_TRUE(CopiaDoCofre::ler());
    for (const QByteArray &bytes : casos) {
        SCOPED_TRACE(bytes.toStdString());
        gravarBytes(CopiaDoCofre::arquivo(), bytes);
        EXPECT_FALSE(CopiaDoCofre::ler());
    }
}

TEST(CopiaDoCofre, ApagarRemoveSoOArquivoDaCopia)
{
    const DiretorioTemporario tmp;
    CopiaDoCofre::apagar(); // nothing there: nothing happens
    EXPECT_FALSE(CopiaDoCofre::ler());

    CopiaDoCofre::salvar(copiaCom(2, 3));
    ASSERT_TRUE(NovaDoPreenchimento::acrescentar({u"n1"_s, u"v1.a.b"_s, QDateTime::currentDateTimeUtc()}));
    CopiaDoCofre::apagar();
    EXPECT_FALSE(QFileInfo::exists(CopiaDoCofre::arquivo()));
    EXPECT_TRUE(QFileInfo(CopiaDoCofre::pasta()).isDir());
    EXPECT_EQ(NovaDoPreenchimento::ler().size(), 1);
}

TEST(CopiaDoCofre, SemConteinerDoGrupoFicaNaPastaDeDadosDoUsuario)
{
    const DiretorioTemporario tmp;
    // A plain file where the containers should be: the group gets no container.
    gravarBytes(tmp.dados() + u"/Group Containers"_s, "x");
    EXPECT_EQ(CopiaDoCofre::pasta(), tmp.dados());
    CopiaDoCofre::salvar(copiaCom(1, 5));
    EXPECT_TRUE(QFileInfo::exists(tmp.dados() + u"/cofre.json"_s));
    ASSERT_TRUE(CopiaDoCofre::ler());
    EXPECT_EQ(CopiaDoCofre::ler()->revisao, 5);
}

TEST(CopiaDoCofre, NovaGravacaoSubstituiOArquivoInteiro)
{
    const DiretorioTemporario tmp;
    CopiaDoCofre::salvar(copiaCom(50, 1));
    CopiaDoCofre::salvar(copiaCom(1, 2));
    const auto lida = CopiaDoCofre::ler();
    ASSERT_TRUE(lida);
    EXPECT_EQ(lida->revisao, 2);
    EXPECT_EQ(lida->itens.size(), 1);
}

// The extension reads the file at any moment while the application rewrites it: every read must
// see one whole copy, old or new, never a truncated or mixed one.
TEST(CopiaDoCofre, LeitorConcorrenteNuncaVeArquivoPelaMetade)
{
    const DiretorioTemporario tmp;
    const CopiaDoCofre grande = copiaCom(2000, 2000);
    const CopiaDoCofre pequena = copiaCom(3, 3);
    CopiaDoCofre::salvar(pequena);

    std::atomic<bool> fim{false};
    std::atomic<int> leituras{0};
    std::atomic<int> falhas{0};
    std::thread leitor([&] {
        while (!fim.load()) {
            const auto lida = CopiaDoCofre::ler();
            if (!lida || lida->revisao != lida->itens.size())
                ++falhas;
            ++leituras;
        }
    });
    for (int i = 0; i < 60; ++i)
        CopiaDoCofre::salvar(i % 2 ? pequena : grande);
    fim = true;
    leitor.join();

    EXPECT_GT(leituras.load(), 0);
    EXPECT_EQ(falhas.load(), 0);
}
