// A store the state has let go refuses to sync, and a sync under way when it is let go ends
// without touching the local copy or the store.
#include "AmbienteDoCofre.h"

class TesteCofreAposentado : public AmbienteDoCofre {};

TEST_F(TesteCofreAposentado, NaoPedeNadaDepoisDeAposentado)
{
    gravarNoServidor(QStringLiteral("s1"), TipoDeItem::senha, senha(QStringLiteral("Banco")));
    const auto cofre = novoCofre();
    cofre->aposentar();

    Testes::executar(cofre->sincronizar());
    EXPECT_TRUE(pedidos("GET", "/v1/cofre").isEmpty());
    EXPECT_FALSE(cofre->carregado());
    EXPECT_FALSE(cofre->sincronizando());
    EXPECT_FALSE(CopiaDoCofre::ler().has_value());
}

TEST_F(TesteCofreAposentado, SincroniaEmCursoTerminaSemAplicarNemGravar)
{
    gravarNoServidor(QStringLiteral("s1"), TipoDeItem::senha, senha(QStringLiteral("Banco")));
    const auto cofre = novoCofre();
    servidor.definirAtraso(std::chrono::milliseconds(150));

    QCoro::Task<> tarefa = cofre->sincronizar();
    ASSERT_TRUE(cofre->sincronizando());
    cofre->aposentar();
    Testes::executar(std::move(tarefa));

    EXPECT_EQ(pedidos("GET", "/v1/cofre").size(), 1);
    EXPECT_FALSE(cofre->sincronizando());
    EXPECT_TRUE(cofre->abertos().isEmpty());
    EXPECT_FALSE(cofre->ultimaSincronia().has_value());
    EXPECT_FALSE(CopiaDoCofre::ler().has_value());
}
