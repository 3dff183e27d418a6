// The store's state: creation from the local copy, applying server items, and the listings.
#include "AmbienteDoCofre.h"

#include <QFile>
#include <QSignalSpy>

namespace {

ItemCifrado itemSelado(const QString &id, TipoDeItem tipo, const ObjetoJSON &conteudo, const QByteArray &chave,
                       qint64 revisao = 1)
{
    ItemCifrado item;
    item.id = id;
    item.tipo = tipo;
    item.dados = AmbienteDoCofre::selar(conteudo, id, chave);
    item.revisao = revisao;
    item.criadoEm = QStringLiteral("2025-03-01T12:00:00.000Z");
    item.atualizadoEm = item.criadoEm;
    return item;
}

} // namespace


class TesteCofre : public AmbienteDoCofre {};

TEST_F(TesteCofre, CopiaDaPropriaContaCarregaItensERevisaoQualquerQueSejaAVersao)
{
    for (const qint64 versao : {1, 2}) {
        SCOPED_TRACE(versao);
        CopiaDoCofre copia;
        copia.versao = versao;
        copia.conta = conta;
        copia.revisao = 7;
        copia.itens = {itemSelado(QStringLiteral("a"), TipoDeItem::senha, senha(QStringLiteral("Banco")), chave)};
        CopiaDoCofre::salvar(copia);

        const auto cofre = novoCofre();
        EXPECT_TRUE(cofre->carregado());
        EXPECT_EQ(cofre->revisao(), 7);
        ASSERT_TRUE(cofre->itemAberto(QStringLiteral("a")).has_value());
        EXPECT_EQ(cofre->itemAberto(QStringLiteral("a"))->titulo(), QStringLiteral("Banco"));
    }
}

TEST_F(TesteCofre, CopiaDeOutraContaOuIlegivelDeixaOCofreVazioENaoCarregado)
{
    CopiaDoCofre copia;
    copia.conta = conta;
    copia.conta.id = QStringLiteral("outra-conta");
    copia.revisao = 9;
    copia.itens = {itemSelado(QStringLiteral("a"), TipoDeItem::nota, nota(QStringLiteral("N")), chave)};
    CopiaDoCofre::salvar(copia);
    {
        const auto cofre = novoCofre();
        EXPECT_FALSE(cofre->carregado());
        EXPECT_EQ(cofre->revisao(), 0);
        EXPECT_TRUE(cofre->cifrados().isEmpty());
    }

    QFile arquivo(CopiaDoCofre::arquivo());
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate));
    arquivo.write("{\"versao\":1,");
    arquivo.close();
    const auto cofre = novoCofre();
    EXPECT_FALSE(cofre->carregado());
    EXPECT_TRUE(cofre->cifrados().isEmpty());
}

TEST_F(TesteCofre, ItemQueNaoAbreFicaCifradoIlegivelNoLogENaCopia)
{
    const CapturaDoLog log;
    const auto cofre = novoCofre();
    const ItemCifrado estranho =
        itemSelado(QStringLiteral("x"), TipoDeItem::senha, senha(QStringLiteral("S")), Cripto::bytesAleatorios(32));
    cofre->aplicar(estranho);

    EXPECT_TRUE(cofre->cifrados().contains(QStringLiteral("x")));
    EXPECT_FALSE(cofre->abertos().contains(QStringLiteral("x")));
    EXPECT_EQ(cofre->ilegiveis(), IdsDeItens{QStringLiteral("x")});
    EXPECT_EQ(CapturaDoLog::linhas(), QStringList{QStringLiteral("item não abriu com a chave deste aparelho: x")});
    cofre->salvarCopia();
    conferirCopia(*cofre);

    // A store created again from that copy writes the line again.
    const auto outro = novoCofre();
    EXPECT_EQ(outro->ilegiveis(), IdsDeItens{QStringLiteral("x")});
    EXPECT_EQ(CapturaDoLog::linhas().size(), 2);

    // A later version that opens leaves the unreadable set.
    cofre->aplicar(itemSelado(QStringLiteral("x"), TipoDeItem::senha, senha(QStringLiteral("S")), chave, 2));
    EXPECT_TRUE(cofre->ilegiveis().isEmpty());
    EXPECT_TRUE(cofre->abertos().contains(QStringLiteral("x")));
}

TEST_F(TesteCofre, ItemApagadoOuSemDadosSaiDeTudoInclusiveDosIlegiveis)
{
    const auto cofre = novoCofre();
    struct Caso {
        const char *nome;
        bool apagado;
        bool comDados;
    };
    for (const Caso &caso : {Caso{"apagado com dados", true, true}, Caso{"sem dados nem apagadoEm", false, false}}) {
        SCOPED_TRACE(caso.nome);
        cofre->aplicar(itemSelado(QStringLiteral("bom"), TipoDeItem::nota, nota(QStringLiteral("N")), chave));
        cofre->aplicar(itemSelado(QStringLiteral("mau"), TipoDeItem::nota, nota(QStringLiteral("N")),
                                  Cripto::bytesAleatorios(32)));
        ASSERT_EQ(cofre->cifrados().size(), 2);
        for (const char *id : {"bom", "mau"}) {
            ItemCifrado fim = cofre->cifrados().value(QString::fromLatin1(id));
            if (caso.apagado)
                fim.apagadoEm = QStringLiteral("2025-03-02T00:00:00.000Z");
            if (!caso.comDados)
                fim.dados.reset();
            cofre->aplicar(fim);
        }
        EXPECT_TRUE(cofre->cifrados().isEmpty());
        EXPECT_TRUE(cofre->abertos().isEmpty());
        EXPECT_TRUE(cofre->ilegiveis().isEmpty());
    }
    // An id the store does not hold is no error.
    ItemCifrado desconhecido;
    desconhecido.id = QStringLiteral("nunca-visto");
    cofre->aplicar(desconhecido);
    EXPECT_TRUE(cofre->cifrados().isEmpty());
}

TEST_F(TesteCofre, UltimoAplicadoVenceMesmoComRevisaoMenor)
{
    const auto cofre = novoCofre();
    cofre->aplicar(itemSelado(QStringLiteral("a"), TipoDeItem::nota, nota(QStringLiteral("Nova")), chave, 5));
    cofre->aplicar(itemSelado(QStringLiteral("a"), TipoDeItem::nota, nota(QStringLiteral("Velha")), chave, 3));
    EXPECT_EQ(cofre->cifrados().value(QStringLiteral("a")).revisao, 3);
    EXPECT_EQ(cofre->itemAberto(QStringLiteral("a"))->titulo(), QStringLiteral("Velha"));
    EXPECT_EQ(cofre->itemAberto(QStringLiteral("a"))->revisao, 3);
}

TEST_F(TesteCofre, AplicarAvisaCifradosAbertosEIlegiveisNessaOrdemESoQuandoMudam)
{
    const auto cofre = novoCofre();
    QStringList avisos;
    QObject::connect(cofre.get(), &Cofre::cifradosMudou, [&] { avisos.append(QStringLiteral("cifrados")); });
    QObject::connect(cofre.get(), &Cofre::abertosMudou, [&] { avisos.append(QStringLiteral("abertos")); });
    QObject::connect(cofre.get(), &Cofre::ilegiveisMudou, [&] { avisos.append(QStringLiteral("ilegiveis")); });

    const ItemCifrado mau =
        itemSelado(QStringLiteral("a"), TipoDeItem::nota, nota(QStringLiteral("N")), Cripto::bytesAleatorios(32));
    cofre->aplicar(mau);
    EXPECT_EQ(avisos, (QStringList{QStringLiteral("cifrados"), QStringLiteral("ilegiveis")}));

    avisos.clear();
    cofre->aplicar(itemSelado(QStringLiteral("a"), TipoDeItem::nota, nota(QStringLiteral("N")), chave, 2));
    EXPECT_EQ(avisos, (QStringList{QStringLiteral("cifrados"), QStringLiteral("abertos"), QStringLiteral("ilegiveis")}));

    avisos.clear();
    cofre->aplicar(cofre->cifrados().value(QStringLiteral("a"))); // the same item again
    EXPECT_TRUE(avisos.isEmpty());
}

TEST_F(TesteCofre, ContaDeOutroIdNuncaSubstituiADoCofre)
{
    const auto cofre = novoCofre();
    QSignalSpy avisos(cofre.get(), &Cofre::contaMudou);
    Conta outra = conta;
    outra.id = QStringLiteral("intrusa");
    outra.nome = QStringLiteral("Outra");
    cofre->definirConta(outra);
    EXPECT_EQ(cofre->conta(), conta);

    Conta renomeada = conta;
    renomeada.nome = QStringLiteral("Ana Maria");
    cofre->definirConta(renomeada);
    cofre->definirConta(renomeada);
    EXPECT_EQ(cofre->conta().nome, QStringLiteral("Ana Maria"));
    EXPECT_EQ(avisos.count(), 1);
}

TEST_F(TesteCofre, CodigosFavoritosPrimeiroDepoisOrdemDepoisTitulo)
{
    // "fav-b" is a favourite but comes after "comum" in the order list.
    preferencias->armazenamento().definirListaDeTextos(
        Cofre::chaveDaOrdem(conta.id),
        {QStringLiteral("comum"), QStringLiteral("fantasma"), QStringLiteral("fav-b"), QStringLiteral("fav-a")});
    const auto cofre = novoCofre();
    const struct {
        const char *id;
        const char *emissor;
        bool favorito;
    } itens[] = {{"comum", "Zebra", false},   {"fav-a", "Alfa", true},      {"fav-b", "Beta", true},
                 {"solto-b", "banco", false}, {"solto-a", "Amazon", false}, {"fav-solto", "Zulu", true}};
    for (const auto &item : itens)
        cofre->aplicar(itemSelado(QString::fromLatin1(item.id), TipoDeItem::codigo,
                                  codigo(QString::fromLatin1(item.emissor), item.favorito), chave));
    cofre->aplicar(itemSelado(QStringLiteral("senha"), TipoDeItem::senha, senha(QStringLiteral("Aaa")), chave));

    EXPECT_EQ(titulos(cofre->codigos()), (QStringList{QStringLiteral("Beta"), QStringLiteral("Alfa"),
                                                       QStringLiteral("Zulu"), QStringLiteral("Zebra"),
                                                       QStringLiteral("Amazon"), QStringLiteral("banco")}));
}

TEST_F(TesteCofre, OrdemGuardadaComIdRepetidoUsaAPrimeiraPosicao)
{
    preferencias->armazenamento().definirListaDeTextos(
        Cofre::chaveDaOrdem(conta.id),
        {QStringLiteral("b"), QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("a")});
    const auto cofre = novoCofre();
    EXPECT_EQ(cofre->ordem().size(), 5);
    for (const char *id : {"c", "a", "b"})
        cofre->aplicar(itemSelado(QString::fromLatin1(id), TipoDeItem::codigo,
                                  codigo(QStringLiteral("E") + QString::fromLatin1(id)), chave));
    EXPECT_EQ(titulos(cofre->codigos()), (QStringList{QStringLiteral("Eb"), QStringLiteral("Ea"), QStringLiteral("Ec")}));
}

TEST_F(TesteCofre, SemOrdemGuardadaCodigosVaoPorFavoritoETitulo)
{
    const auto cofre = novoCofre();
    EXPECT_TRUE(cofre->ordem().isEmpty());
    cofre->aplicar(itemSelado(QStringLiteral("1"), TipoDeItem::codigo, codigo(QStringLiteral("gitlab")), chave));
    cofre->aplicar(itemSelado(QStringLiteral("2"), TipoDeItem::codigo, codigo(QStringLiteral("GitHub"), true), chave));
    cofre->aplicar(itemSelado(QStringLiteral("3"), TipoDeItem::codigo, codigo(QStringLiteral("Docker")), chave));
    EXPECT_EQ(titulos(cofre->codigos()),
              (QStringList{QStringLiteral("GitHub"), QStringLiteral("Docker"), QStringLiteral("gitlab")}));
}

TEST_F(TesteCofre, SenhasENotasPorFavoritoETituloSemDiferencaDeCaixa)
{
    const auto cofre = novoCofre();
    cofre->aplicar(itemSelado(QStringLiteral("1"), TipoDeItem::senha, senha(QStringLiteral("beta")), chave));
    cofre->aplicar(itemSelado(QStringLiteral("2"), TipoDeItem::senha, senha(QStringLiteral("Alpha")), chave));
    cofre->aplicar(
        itemSelado(QStringLiteral("3"), TipoDeItem::senha, senha(QStringLiteral("zeta"), QStringLiteral("z.com"), true), chave));
    cofre->aplicar(itemSelado(QStringLiteral("4"), TipoDeItem::nota, nota(QStringLiteral("b")), chave));
    cofre->aplicar(itemSelado(QStringLiteral("5"), TipoDeItem::nota, nota(QStringLiteral("A")), chave));

    EXPECT_EQ(titulos(cofre->senhas()), (QStringList{QStringLiteral("zeta"), QStringLiteral("Alpha"), QStringLiteral("beta")}));
    EXPECT_EQ(titulos(cofre->notas()), (QStringList{QStringLiteral("A"), QStringLiteral("b")}));
    EXPECT_FALSE(cofre->itemAberto(QStringLiteral("nenhum")).has_value());
}

TEST_F(TesteCofre, ErrosDoCofreTemSuasFrases)
{
    EXPECT_EQ(ErroDoCofre::conflito(std::nullopt).errorDescription(), QStringLiteral("Este item mudou em outro aparelho."));
    EXPECT_EQ(ErroDoCofre::falhaAoCifrar().errorDescription(),
              QStringLiteral("Não foi possível proteger este item. Tente de novo."));
}
