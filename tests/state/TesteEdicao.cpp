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

TEST_F(Edicao, FolhaAbertaNaoESubstituida)
{
    // Whatever asks for another sheet (Ctrl+N behind the editor, a card, a row), the open one
    // keeps its typed changes until it is closed.
    struct Caso {
        const char *aberta;
        const char *itemAberto;
        const char *pedida;
        const char *itemPedido;
    };
    const Caso casos[] = {
        {"senha", "id-1", "senha", ""},
        {"senha", "id-1", "senha", "id-2"},
        {"nota", "", "codigo", ""},
        {"codigo", "abc", "nota", "id-3"},
        {"nota", "id-4", "nota", ""},
    };
    EstadoDoApp &aberto = estadoAberto(semearConta());
    for (const Caso &caso : casos) {
        SCOPED_TRACE(std::string(caso.aberta) + "/" + caso.itemAberto + " <- " + caso.pedida + "/" + caso.itemPedido);
        aberto.editar(QString::fromUtf8(caso.aberta), QString::fromUtf8(caso.itemAberto));
        ASSERT_TRUE(aberto.edicao());
        const QString antes = aberto.edicao()->id();
        QSignalSpy mudou(&aberto, &EstadoDoApp::edicaoMudou);
        aberto.editar(QString::fromUtf8(caso.pedida), QString::fromUtf8(caso.itemPedido));
        EXPECT_EQ(aberto.edicao()->id(), antes);
        EXPECT_EQ(mudou.size(), 0);
        aberto.fecharEdicao();
        aberto.editar(QString::fromUtf8(caso.pedida), QString::fromUtf8(caso.itemPedido));
        ASSERT_TRUE(aberto.edicao()) << "fechada, a próxima abre";
        aberto.fecharEdicao();
    }
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
