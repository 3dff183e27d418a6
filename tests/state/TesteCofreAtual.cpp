// The state retires the store it lets go, so a late sync of it cannot rewrite the local copy of
// a signed-out account; and it keeps the foreground flag the sync loop reads.
#include "AmbienteDoEstado.h"

#include <QFile>
#include <QPointer>

class CofreAtual : public TesteDoEstado {};

TEST_F(CofreAtual, SairAposentaOCofreESuaSincroniaNaoRegravaACopia)
{
    ContaSemeada semeada = semearConta();
    EstadoDoApp &aberto = estadoAberto(semeada);
    QPointer<Cofre> antigo = aberto.cofre();
    ASSERT_TRUE(antigo);
    // A sync that was asked for while the sign-out was on its way.
    servidor.definirAtraso(std::chrono::milliseconds(100));
    QCoro::Task<> tardia = antigo->sincronizar();

    Testes::executar(aberto.sair());
    ASSERT_TRUE(antigo) << "the store is deleted later, after the current event";
    EXPECT_TRUE(antigo->aposentado());
    Testes::executar(std::move(tardia));
    Testes::executar(antigo->sincronizar());
    EXPECT_FALSE(QFile::exists(CopiaDoCofre::arquivo()));
}

TEST_F(CofreAtual, PrimeiroPlanoSegueOQueOQuadroDiz)
{
    ContaSemeada semeada = semearConta();
    EstadoDoApp &aberto = estadoAberto(semeada);
    EXPECT_TRUE(aberto.emPrimeiroPlano());
    int avisos = 0;
    QObject::connect(&aberto, &EstadoDoApp::emPrimeiroPlanoMudou, [&] { ++avisos; });

    aberto.aoIrParaSegundoPlano();
    EXPECT_FALSE(aberto.emPrimeiroPlano());
    aberto.aoIrParaSegundoPlano();
    aberto.aoVoltarAoPrimeiroPlano();
    EXPECT_TRUE(aberto.emPrimeiroPlano());
    EXPECT_EQ(avisos, 2);
}
