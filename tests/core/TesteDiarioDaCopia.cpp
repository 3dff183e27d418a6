// The copy's journal: complete lines replay in order over the copy, a line cut short or damaged
// ends the replay, a whole write or the copy's removal takes the journal away, and an append
// only goes after the line its writer left last.
#include "core/DiarioDaCopia.h"
#include "plataforma/ArquivoAtomico.h"
#include "support/DiretorioTemporario.h"

#include <gtest/gtest.h>

#include <QFile>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

ItemCifrado item(const QString &id, qint64 revisao)
{
    return {id, TipoDeItem::senha, u"v1.nonce.%1"_s.arg(revisao), revisao, u"2024-01-01T00:00:00Z"_s,
            u"2024-01-02T00:00:00Z"_s, std::nullopt};
}

CopiaDoCofre base()
{
    CopiaDoCofre copia;
    copia.conta.id = u"c1"_s;
    copia.conta.email = u"ana@exemplo.com"_s;
    copia.conta.kdf = {u"argon2id"_s, 3, 65536, 1};
    copia.revisao = 2;
    copia.itens = {item(u"a"_s, 1), item(u"b"_s, 2)};
    return copia;
}

// Item ids and revisions, in id order: the journal keeps no order of its own.
QList<std::pair<QString, qint64>> resumo(const CopiaDoCofre &copia)
{
    QList<std::pair<QString, qint64>> pares;
    for (const ItemCifrado &i : copia.itens)
        pares.append({i.id, i.revisao});
    std::sort(pares.begin(), pares.end());
    return pares;
}

MudancaDaCopia mudanca(qint64 revisao, QList<ItemCifrado> gravados, QList<QString> removidos = {})
{
    return {std::nullopt, revisao, std::move(gravados), std::move(removidos), std::nullopt};
}

} // namespace

TEST(DiarioDaCopia, RepeteLinhasCompletasEmOrdemEParaNaPrimeiraQuebrada)
{
    const QByteArray troca = mudanca(3, {item(u"a"_s, 3), item(u"c"_s, 3)}, {u"b"_s}).linha();
    const QByteArray volta = mudanca(4, {item(u"b"_s, 4)}, {u"c"_s, u"inexistente"_s}).linha();
    MudancaDaCopia comConta = mudanca(5, {});
    comConta.conta = base().conta;
    comConta.conta->nome = u"Ana Nova"_s;
    const QByteArray conta = comConta.linha();
    using Resumo = QList<std::pair<QString, qint64>>;
    struct Caso {
        const char *nome;
        QByteArray diario;
        qint64 revisao;
        Resumo itens;
        bool ateOFim;
    };
    const Caso casos[] = {
        {"vazio", {}, 2, {{u"a"_s, 1}, {u"b"_s, 2}}, true},
        {"uma", troca, 3, {{u"a"_s, 3}, {u"c"_s, 3}}, true},
        {"removido volta", troca + volta, 4, {{u"a"_s, 3}, {u"b"_s, 4}}, true},
        {"cortada no fim", troca + volta.chopped(1), 3, {{u"a"_s, 3}, {u"c"_s, 3}}, false},
        {"meia linha", troca + volta.left(volta.size() / 2), 3, {{u"a"_s, 3}, {u"c"_s, 3}}, false},
        {"danificada no meio", troca + "{\"revisao\":9}\n" + volta, 3, {{u"a"_s, 3}, {u"c"_s, 3}}, false},
        {"lixo no início", "xx\n" + troca, 2, {{u"a"_s, 1}, {u"b"_s, 2}}, false},
        {"só a conta", conta, 5, {{u"a"_s, 1}, {u"b"_s, 2}}, true},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        CopiaDoCofre copia = base();
        EXPECT_EQ(DiarioDaCopia::aplicar(copia, caso.diario), caso.ateOFim);
        EXPECT_EQ(copia.revisao, caso.revisao);
        EXPECT_EQ(resumo(copia), caso.itens);
        EXPECT_EQ(copia.conta.nome, caso.diario == conta ? u"Ana Nova"_s : base().conta.nome);
    }
}

TEST(DiarioDaCopia, LidoComACopiaEApagadoPorEscritaInteiraOuSaida)
{
    const DiretorioTemporario tmp;
    ASSERT_TRUE(CopiaDoCofre::salvar(base()));
    const auto tamanho = DiarioDaCopia::acrescentar(mudanca(3, {item(u"c"_s, 3)}), 0);
    ASSERT_TRUE(tamanho);
    EXPECT_EQ(*tamanho, DiarioDaCopia::tamanho());
    const QFileDevice::Permissions permissoes = QFile::permissions(DiarioDaCopia::arquivo());
    EXPECT_TRUE(permissoes.testFlags(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    EXPECT_EQ(permissoes & 0x0077, 0); // nothing for the group or others

    // Only after the line its writer left last: another size means another writer or a cut line.
    EXPECT_FALSE(DiarioDaCopia::acrescentar(mudanca(4, {}), 0));
    EXPECT_FALSE(DiarioDaCopia::acrescentar(mudanca(4, {}), *tamanho + 1));

    const auto lida = CopiaDoCofre::ler();
    ASSERT_TRUE(lida);
    EXPECT_EQ(lida->revisao, 3);
    EXPECT_EQ(resumo(*lida), (QList<std::pair<QString, qint64>>{{u"a"_s, 1}, {u"b"_s, 2}, {u"c"_s, 3}}));
    EXPECT_EQ(lida->diarioLido, *tamanho);

    ASSERT_TRUE(CopiaDoCofre::salvar(base()));
    EXPECT_FALSE(QFile::exists(DiarioDaCopia::arquivo()));
    EXPECT_EQ(CopiaDoCofre::ler(), base());
    EXPECT_EQ(CopiaDoCofre::ler()->diarioLido, 0);

    ASSERT_TRUE(DiarioDaCopia::acrescentar(mudanca(3, {}), 0));
    CopiaDoCofre::apagar();
    EXPECT_FALSE(QFile::exists(DiarioDaCopia::arquivo()));
    EXPECT_FALSE(QFile::exists(CopiaDoCofre::arquivo()));
}

// The journal names the copy file it extends: a whole write replaces the copy first and removes
// the journal after, and a journal left beside a newer copy (a crash in between) is not replayed.
TEST(DiarioDaCopia, NomeiaACopiaQueEstendeENaoSeRepeteSobreOutra)
{
    const DiretorioTemporario tmp;
    ASSERT_TRUE(CopiaDoCofre::salvar(base()));
    const std::optional<QString> marca = DiarioDaCopia::marcaDaCopia();
    ASSERT_TRUE(marca);
    ASSERT_TRUE(DiarioDaCopia::acrescentar(mudanca(3, {item(u"c"_s, 3)}), 0));
    EXPECT_TRUE(DiarioDaCopia::nomeiaACopia());
    const QByteArray diario = *ArquivoAtomico::ler(DiarioDaCopia::arquivo());
    EXPECT_TRUE(diario.startsWith("{\"copia\":\"" + marca->toLatin1() + "\",\"revisao\":3,"));
    ASSERT_TRUE(DiarioDaCopia::acrescentar(mudanca(4, {item(u"d"_s, 4)}), diario.size()));
    EXPECT_EQ(CopiaDoCofre::ler()->revisao, 4);

    {
        SCOPED_TRACE("a new copy with the old journal still beside it");
        CopiaDoCofre nova = base();
        nova.revisao = 7;
        nova.itens = {item(u"a"_s, 7)};
        ASSERT_TRUE(ArquivoAtomico::gravar(CopiaDoCofre::arquivo(), nova.emBytes()));
        ASSERT_TRUE(QFile::exists(DiarioDaCopia::arquivo()));
        const auto lida = CopiaDoCofre::ler();
        ASSERT_TRUE(lida);
        EXPECT_EQ(*lida, nova);
        EXPECT_FALSE(lida->diarioLido) << "o diário alheio não recebe mais linhas";
    }
    {
        SCOPED_TRACE("replayed only over the copy it names");
        CopiaDoCofre copia = base();
        EXPECT_FALSE(DiarioDaCopia::aplicar(copia, diario, u"outra"_s));
        EXPECT_EQ(copia, base());
        EXPECT_FALSE(DiarioDaCopia::aplicar(copia, diario));
        EXPECT_TRUE(DiarioDaCopia::aplicar(copia, diario, marca));
        EXPECT_EQ(copia.revisao, 3);
    }
    ASSERT_TRUE(CopiaDoCofre::salvar(base()));
    EXPECT_FALSE(QFile::exists(DiarioDaCopia::arquivo()));
    EXPECT_FALSE(DiarioDaCopia::nomeiaACopia());
    EXPECT_EQ(CopiaDoCofre::ler()->diarioLido, 0);
}

// A journal an older version began names no copy: still replayed over the copy (it never outlived
// its copy), and taken away before a whole write, as that version did.
TEST(DiarioDaCopia, DiarioSemNomeDeUmaVersaoAnteriorContinuaLido)
{
    const DiretorioTemporario tmp;
    ASSERT_TRUE(CopiaDoCofre::salvar(base()));
    ASSERT_TRUE(ArquivoAtomico::gravar(DiarioDaCopia::arquivo(), mudanca(3, {item(u"c"_s, 3)}).linha()));
    EXPECT_FALSE(DiarioDaCopia::nomeiaACopia());
    const auto lida = CopiaDoCofre::ler();
    ASSERT_TRUE(lida);
    EXPECT_EQ(lida->revisao, 3);
    EXPECT_TRUE(lida->diarioLido);
    // Lines after its first add to it as they are.
    ASSERT_TRUE(DiarioDaCopia::acrescentar(mudanca(4, {}), *lida->diarioLido));
    EXPECT_FALSE(DiarioDaCopia::nomeiaACopia());
    EXPECT_EQ(CopiaDoCofre::ler()->revisao, 4);

    ASSERT_TRUE(CopiaDoCofre::salvar(base()));
    EXPECT_FALSE(QFile::exists(DiarioDaCopia::arquivo()));
    EXPECT_EQ(CopiaDoCofre::ler(), base());
}

TEST(DiarioDaCopia, PrimeiraLinhaSemCopiaNaoEhEscrita)
{
    const DiretorioTemporario tmp;
    EXPECT_FALSE(DiarioDaCopia::marcaDaCopia());
    EXPECT_FALSE(DiarioDaCopia::acrescentar(mudanca(3, {}), 0));
    EXPECT_FALSE(QFile::exists(DiarioDaCopia::arquivo()));
}
