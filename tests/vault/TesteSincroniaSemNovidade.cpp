// A synchronisation that brings nothing new leaves the local copy and the AutoFill identities as
// they are, and any change still reaches both: new items, a changed links file, a store switched
// on after the last rebuild.
#include "AmbienteDoCofre.h"

#include "core/ArquivosDoPreenchimento.h"

#include <atomic>

namespace {

// An identity store whose switch the test turns, counting the replacements it took.
class RepositorioComChave final : public RepositorioDeIdentidades {
public:
    bool ligado() override { return ligado_; }
    bool substituirTodas(const QList<IdentidadeDoPreenchimento> &) override
    {
        ++substituicoes_;
        return true;
    }
    bool adicionar(const IdentidadeDoPreenchimento &) override { return true; }
    bool removerTodas() override { return true; }

    void ligar(bool valor) { ligado_ = valor; }
    [[nodiscard]] int substituicoes() const { return substituicoes_; }

private:
    std::atomic<bool> ligado_ = true;
    std::atomic<int> substituicoes_ = 0;
};

} // namespace

class TesteSincroniaSemNovidade : public AmbienteDoCofre {
protected:
    // Syncs and waits until the identity store has taken whatever the run queued.
    void sincronizar(Cofre &cofre)
    {
        Testes::executar(cofre.sincronizar());
        aguardarIdentidades();
    }
    [[nodiscard]] qsizetype reconstrucoes() const { return identidades->substituicoes().size(); }
};

TEST_F(TesteSincroniaSemNovidade, NadaNovoNaoReconstroiAsIdentidadesMasCadaMudancaSim)
{
    gravarNoServidor(QStringLiteral("s1"), TipoDeItem::senha, senha(QStringLiteral("Banco"), QStringLiteral("banco.com")));
    const auto cofre = novoCofre();
    sincronizar(*cofre);
    ASSERT_EQ(reconstrucoes(), 1);

    sincronizar(*cofre);
    sincronizar(*cofre);
    EXPECT_EQ(reconstrucoes(), 1) << "nothing changed: the list in the store is still right";
    conferirCopia(*cofre);

    // Another device adds an item: one more rebuild, holding it, and the copy follows.
    gravarNoServidor(QStringLiteral("s2"), TipoDeItem::senha, senha(QStringLiteral("Correio"), QStringLiteral("correio.com")));
    sincronizar(*cofre);
    ASSERT_EQ(reconstrucoes(), 2);
    EXPECT_TRUE(identidades->substituicoes().last().contains(IdentidadeDoPreenchimento(
        IdentidadeDeSenha{QStringLiteral("correio.com"), QStringLiteral("ana"), QStringLiteral("s2")})));
    conferirCopia(*cofre);

    // A deletion elsewhere is a change too.
    servidor.estado().apagarItem(email, QStringLiteral("s1"));
    sincronizar(*cofre);
    ASSERT_EQ(reconstrucoes(), 3);
    EXPECT_FALSE(identidades->substituicoes().last().contains(IdentidadeDoPreenchimento(
        IdentidadeDeSenha{QStringLiteral("banco.com"), QStringLiteral("ana"), QStringLiteral("s1")})));
    conferirCopia(*cofre);
}

TEST_F(TesteSincroniaSemNovidade, UmVinculoNovoNoArquivoReconstroiAsIdentidades)
{
    gravarNoServidor(QStringLiteral("c1"), TipoDeItem::codigo, codigo(QStringLiteral("GitHub")));
    const auto cofre = novoCofre();
    sincronizar(*cofre);
    ASSERT_EQ(reconstrucoes(), 1);

    // The identities are built from the links file as well: a link left by the extension counts
    // even though no item changed (here one to an id the vault does not hold, which the run then
    // drops from the file).
    ASSERT_TRUE(VinculoDoPreenchimento::acrescentar({QStringLiteral("fantasma"), QStringLiteral("x.com")}));
    sincronizar(*cofre);
    EXPECT_EQ(reconstrucoes(), 2);
    EXPECT_TRUE(VinculoDoPreenchimento::ler().isEmpty());

    // The file is back to what the last rebuild saw before the link: that is a change again.
    sincronizar(*cofre);
    EXPECT_EQ(reconstrucoes(), 3);
    sincronizar(*cofre);
    EXPECT_EQ(reconstrucoes(), 3);
}

TEST_F(TesteSincroniaSemNovidade, LojaLigadaDepoisDaUltimaReconstrucaoRecebeALista)
{
    const auto repositorio = std::make_shared<RepositorioComChave>();
    RepositorioDeIdentidades::usar(repositorio);
    repositorio->ligar(false);
    gravarNoServidor(QStringLiteral("s1"), TipoDeItem::senha, senha(QStringLiteral("Banco"), QStringLiteral("banco.com")));
    const auto cofre = novoCofre();
    sincronizar(*cofre);
    EXPECT_EQ(repositorio->substituicoes(), 0);

    // Switched on with nothing new in the vault: the next run still hands the list over, once.
    repositorio->ligar(true);
    sincronizar(*cofre);
    EXPECT_EQ(repositorio->substituicoes(), 1);
    sincronizar(*cofre);
    EXPECT_EQ(repositorio->substituicoes(), 1);
}

TEST_F(TesteSincroniaSemNovidade, DepoisDeRemovidasAsIdentidadesVoltamNaProximaSincronia)
{
    gravarNoServidor(QStringLiteral("s1"), TipoDeItem::senha, senha(QStringLiteral("Banco"), QStringLiteral("banco.com")));
    const auto cofre = novoCofre();
    sincronizar(*cofre);
    ASSERT_EQ(reconstrucoes(), 1);

    Testes::executar(removerIdentidadesDoPreenchimento());
    sincronizar(*cofre);
    EXPECT_EQ(reconstrucoes(), 2) << "the store no longer holds the last list";
}
