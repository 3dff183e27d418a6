// The edit sheet's item kept by the state, and a screen capture that must not count as leaving.
#include "AmbienteDoEstado.h"

#include <QSignalSpy>

namespace {
using Fase = EstadoDoApp::Fase;
}

class Edicao : public TesteDoEstado {};

TEST(EdicaoNoMac, IdentidadeEIgualdade)
{
    const EdicaoNoMac novoCodigo{TipoDeItem::codigo, std::nullopt};
    const EdicaoNoMac outroNovoCodigo{TipoDeItem::codigo, std::nullopt};
    const EdicaoNoMac codigo{TipoDeItem::codigo, QStringLiteral("abc")};
    const EdicaoNoMac senha{TipoDeItem::senha, QStringLiteral("abc")};
    EXPECT_EQ(novoCodigo.id(), QStringLiteral("codigo-novo"));
    EXPECT_EQ(codigo.id(), QStringLiteral("codigo-abc"));
    EXPECT_EQ(senha.id(), QStringLiteral("senha-abc"));
    EXPECT_EQ((EdicaoNoMac{TipoDeItem::nota, std::nullopt}.id()), QStringLiteral("nota-novo"));
    EXPECT_EQ(novoCodigo, outroNovoCodigo);
    EXPECT_NE(codigo, senha);
    EXPECT_NE(codigo, novoCodigo);
    EXPECT_FALSE(novoCodigo.itemParaQml().isValid());
    EXPECT_EQ(codigo.itemParaQml().toString(), QStringLiteral("abc"));
}

TEST_F(Edicao, AbreSoComCofreEFechaQuandoOCofreSai)
{
    EstadoDoApp &iniciado = estadoIniciado();
    iniciado.editar(QStringLiteral("codigo"));
    EXPECT_FALSE(iniciado.edicao()) << "sem cofre aberto não há folha";

    EstadoDoApp &aberto = estadoAberto(semearConta());
    QSignalSpy mudou(&aberto, &EstadoDoApp::edicaoMudou);
    aberto.editar(QStringLiteral("senha"), QStringLiteral("id-1"));
    ASSERT_TRUE(aberto.edicao());
    EXPECT_EQ(aberto.edicao()->id(), QStringLiteral("senha-id-1"));
    aberto.editar(QStringLiteral("senha"), QStringLiteral("id-1"));
    EXPECT_EQ(mudou.size(), 1) << "o mesmo valor não avisa de novo";
    aberto.editar(QStringLiteral("outra-coisa"));
    EXPECT_EQ(aberto.edicao()->id(), QStringLiteral("senha-id-1"));
    EXPECT_EQ(aberto.edicaoParaQml().value<EdicaoNoMac>().nomeDoTipo(), QStringLiteral("senha"));

    aberto.fecharEdicao();
    EXPECT_FALSE(aberto.edicao());
    EXPECT_FALSE(aberto.edicaoParaQml().isValid());

    aberto.editar(QStringLiteral("nota"));
    Testes::executar(aberto.sair());
    EXPECT_EQ(aberto.fase(), Fase::semConta);
    EXPECT_FALSE(aberto.edicao()) << "a folha fecha com o cofre";
}

TEST_F(Edicao, CapturaDaTelaNaoContaComoSairDoPrimeiroPlano)
{
    EstadoDoApp &aberto = estadoAberto(semearConta());
    aberto.preferencias()->definirProtegerApp(true);
    aberto.preferencias()->definirBloqueio(OpcaoDeBloqueio::imediato);

    aberto.comecarCapturaDaTela();
    aberto.aoIrParaSegundoPlano();
    EXPECT_EQ(aberto.fase(), Fase::aberto);
    EXPECT_FALSE(aberto.momentoDoSegundoPlano());
    aberto.aoVoltarAoPrimeiroPlano();
    aberto.terminarCapturaDaTela();

    aberto.aoIrParaSegundoPlano();
    EXPECT_EQ(aberto.fase(), Fase::bloqueado) << "depois da captura, sair volta a travar";
}
