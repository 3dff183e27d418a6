// A store built from a large local copy opens its items on several threads: the result must be
// the store that applying each item in turn gives, unreadable and damaged items included.
#include "AmbienteDoCofre.h"

#include "vault/AberturaDosItens.h"

namespace {

struct Resultado {
    ItensCifrados cifrados;
    ItensAbertos abertos;
    IdsDeItens ilegiveis;
    QStringList log;
};

Resultado resultadoDe(const Cofre &cofre, const QStringList &log)
{
    return {cofre.cifrados(), cofre.abertos(), cofre.ilegiveis(), log};
}

} // namespace

class TesteAberturaDoCofre : public AmbienteDoCofre {
protected:
    // `quantidade` items of the three kinds, among them items sealed with another key, a damaged
    // envelope, deleted and content-less items, and ids repeated later in the copy (the last
    // one applied wins, as from the server).
    [[nodiscard]] QList<ItemCifrado> itensVariados(int quantidade) const
    {
        const QByteArray outraChave = Cripto::bytesAleatorios(32);
        QList<ItemCifrado> itens;
        for (int n = 0; n < quantidade; ++n) {
            ItemCifrado item;
            item.id = QStringLiteral("item-%1").arg(n % 97 == 96 ? n - 50 : n); // some ids come again
            item.tipo = todosOsTiposDeItem[n % 3];
            const ObjetoJSON conteudo = item.tipo == TipoDeItem::codigo ? codigo(QStringLiteral("C%1").arg(n))
                                        : item.tipo == TipoDeItem::senha ? senha(QStringLiteral("S%1").arg(n))
                                                                         : nota(QStringLiteral("N%1").arg(n));
            item.dados = selar(conteudo, item.id, n % 41 == 5 ? outraChave : chave);
            if (n % 53 == 7)
                item.dados = item.dados->texto().chopped(3) + QStringLiteral("AAA"); // damaged tag
            if (n % 67 == 9)
                item.apagadoEm = QStringLiteral("2025-03-02T12:00:00.000Z");
            if (n % 71 == 11)
                item.dados.reset();
            item.revisao = n;
            item.criadoEm = QStringLiteral("2025-03-01T12:00:00.000Z");
            item.atualizadoEm = item.criadoEm;
            itens.append(item);
        }
        return itens;
    }

    // The store as applying each item in turn leaves it.
    [[nodiscard]] Resultado itemPorItem(const QList<ItemCifrado> &itens)
    {
        const CapturaDoLog log;
        Cofre cofre(conta, chave, std::nullopt, api.get(), preferencias.get());
        for (const ItemCifrado &item : itens)
            cofre.aplicar(item);
        return resultadoDe(cofre, CapturaDoLog::linhas());
    }
};

TEST_F(TesteAberturaDoCofre, CopiaGrandeOuPequenaDaOMesmoCofreQueAplicarItemPorItem)
{
    for (const int quantidade : {40, int(AberturaDosItens::minimoEmParalelo) + 1, 3000}) {
        SCOPED_TRACE(quantidade);
        CopiaDoCofre copia;
        copia.conta = conta;
        copia.revisao = quantidade;
        copia.itens = itensVariados(quantidade);
        ASSERT_TRUE(CopiaDoCofre::salvar(copia));
        const Resultado esperado = itemPorItem(copia.itens);
        ASSERT_FALSE(esperado.ilegiveis.isEmpty());
        ASSERT_GE(esperado.log.size(), esperado.ilegiveis.size()); // a later copy of an id may open

        // Read from disk by the store, and handed over as start-up reads it.
        for (const bool entregue : {false, true}) {
            SCOPED_TRACE(entregue);
            const CapturaDoLog log;
            const auto cofre = entregue ? std::make_unique<Cofre>(conta, chave, CopiaDoCofre::ler(), api.get(),
                                                                  preferencias.get())
                                        : novoCofre();
            EXPECT_TRUE(cofre->carregado());
            EXPECT_EQ(cofre->revisao(), quantidade);
            const Resultado obtido = resultadoDe(*cofre, CapturaDoLog::linhas());
            EXPECT_EQ(obtido.cifrados, esperado.cifrados);
            EXPECT_EQ(obtido.abertos, esperado.abertos);
            EXPECT_EQ(obtido.ilegiveis, esperado.ilegiveis);
            EXPECT_EQ(obtido.log, esperado.log); // one line per unreadable item, in the copy's order
        }
    }
}

TEST_F(TesteAberturaDoCofre, CopiaEntregueNaoReleODisco)
{
    CopiaDoCofre copia;
    copia.conta = conta;
    copia.revisao = 3;
    copia.itens = itensVariados(3);
    ASSERT_TRUE(CopiaDoCofre::salvar(copia));

    // None handed over means none was readable: the file is not read behind the caller's back.
    const Cofre vazio(conta, chave, std::nullopt, api.get(), preferencias.get());
    EXPECT_FALSE(vazio.carregado());
    EXPECT_TRUE(vazio.cifrados().isEmpty());

    // Another account's copy is ignored whole, as when read from disk.
    copia.conta.id = QStringLiteral("outra-conta");
    const Cofre deOutra(conta, chave, copia, api.get(), preferencias.get());
    EXPECT_FALSE(deOutra.carregado());
    EXPECT_EQ(deOutra.revisao(), 0);
    EXPECT_TRUE(deOutra.cifrados().isEmpty());
}
