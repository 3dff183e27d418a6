// The AutoFill status: reading the host's switch, asking for it, and the rules of the card and
// the settings section in each state, with the card's dismissal kept across restarts.
#include "screens/vault/SituacaoDoPreenchimento.h"
#include "support/DiretorioTemporario.h"
#include "support/Executar.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <atomic>

namespace {

class RepositorioComChave final : public RepositorioDeIdentidades {
public:
    std::atomic<bool> chave{false};
    bool ligado() override { return chave; }
    bool substituirTodas(const QList<IdentidadeDoPreenchimento> &) override { return true; }
    bool adicionar(const IdentidadeDoPreenchimento &) override { return true; }
    bool removerTodas() override { return true; }
};

class SituacaoTeste : public ::testing::Test {
protected:
    std::unique_ptr<SituacaoDoPreenchimento> nova()
    {
        return std::make_unique<SituacaoDoPreenchimento>(
            repositorio, Padroes(pasta.arquivo(QStringLiteral("padroes.json"))),
            [this](bool ligar, std::function<void()> concluido) {
                ++pedidos;
                pedidosDeLigar.append(ligar);
                repositorio->chave = ligar ? ligarAoPedir : false;
                concluido();
            });
    }

    DiretorioTemporario pasta;
    std::shared_ptr<RepositorioComChave> repositorio = std::make_shared<RepositorioComChave>();
    int pedidos = 0;
    QList<bool> pedidosDeLigar;
    bool ligarAoPedir = true;
};

} // namespace

TEST_F(SituacaoTeste, RegrasDoCartaoEDaSecaoEmCadaEstado)
{
    struct Caso {
        const char *nome;
        std::optional<bool> ligado;
        bool fechado;
        bool cartao;
        const char *texto;
        const char *simbolo;
        const char *botao;
    };
    const Caso casos[] = {
        {"ainda não lido", std::nullopt, false, false, "Desligado", "circle", "Ligar"},
        {"desligado", false, false, true, "Desligado", "circle", "Ligar"},
        {"desligado e dispensado", false, true, false, "Desligado", "circle", "Ligar"},
        {"ligado", true, false, false, "Ligado neste computador", "checkmark.circle.fill",
         "Abrir ajustes do preenchimento"},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        DiretorioTemporario outra;
        SituacaoDoPreenchimento situacao(repositorio, Padroes(outra.arquivo(QStringLiteral("p.json"))),
                                         [](bool, std::function<void()> f) { f(); });
        if (caso.fechado)
            situacao.fecharCartao();
        situacao.definirLigado(caso.ligado);
        EXPECT_EQ(situacao.cartaoVisivel(), caso.cartao);
        EXPECT_EQ(situacao.textoDaSecao(), QString::fromUtf8(caso.texto));
        EXPECT_EQ(situacao.simboloDaSecao(), QString::fromUtf8(caso.simbolo));
        EXPECT_EQ(situacao.estaLigado(), caso.ligado == true);
        EXPECT_EQ(situacao.botaoDaSecao(), QString::fromUtf8(caso.botao));
        EXPECT_EQ(situacao.ligadoParaQml().isValid(), caso.ligado.has_value());
    }
    EXPECT_EQ(SituacaoDoPreenchimento::tituloDoCartao(), QStringLiteral("Preencha senhas sozinho no navegador e nos apps"));
    EXPECT_EQ(SituacaoDoPreenchimento::botaoLigarDoCartao(), QStringLiteral("Ligar agora"));
    EXPECT_EQ(SituacaoDoPreenchimento::botaoDepoisDoCartao(), QStringLiteral("Depois"));
}

TEST_F(SituacaoTeste, AtualizarLeAChaveDoAnfitriao)
{
    auto situacao = nova();
    QSignalSpy mudou(situacao.get(), &SituacaoDoPreenchimento::ligadoMudou);
    QSignalSpy cartao(situacao.get(), &SituacaoDoPreenchimento::cartaoVisivelMudou);
    EXPECT_FALSE(situacao->ligado().has_value());
    Testes::executar(situacao->atualizar());
    EXPECT_EQ(situacao->ligado(), false);
    EXPECT_TRUE(situacao->cartaoVisivel());
    Testes::executar(situacao->atualizar()); // the same value: nobody is told
    EXPECT_EQ(mudou.count(), 1);
    repositorio->chave = true;
    Testes::executar(situacao->atualizar());
    EXPECT_EQ(situacao->ligado(), true);
    EXPECT_EQ(mudou.count(), 2);
    EXPECT_EQ(cartao.count(), 2); // shown, then hidden
}

TEST_F(SituacaoTeste, LigarPedeAoAnfitriaoELeDeNovo)
{
    auto situacao = nova();
    Testes::executar(situacao->atualizar());
    QSignalSpy mudou(situacao.get(), &SituacaoDoPreenchimento::ligadoMudou);
    situacao->abrirAjustes();
    EXPECT_EQ(pedidos, 1);
    ASSERT_TRUE(mudou.wait(5000));
    EXPECT_EQ(situacao->ligado(), true);
    EXPECT_EQ(situacao->textoDaSecao(), QStringLiteral("Ligado neste computador"));
}

TEST_F(SituacaoTeste, CartaoDispensadoContinuaFechadoDepoisDeReiniciar)
{
    {
        auto situacao = nova();
        situacao->definirLigado(false);
        ASSERT_TRUE(situacao->cartaoVisivel());
        QSignalSpy visivel(situacao.get(), &SituacaoDoPreenchimento::cartaoVisivelMudou);
        situacao->fecharCartao();
        EXPECT_FALSE(situacao->cartaoVisivel());
        EXPECT_EQ(visivel.count(), 1);
    }
    auto depois = nova();
    EXPECT_TRUE(depois->cartaoFechado());
    depois->definirLigado(false);
    EXPECT_FALSE(depois->cartaoVisivel());
    EXPECT_EQ(Padroes(pasta.arquivo(QStringLiteral("padroes.json"))).logico(QStringLiteral("cartaoDoPreenchimentoFechado")),
              true);
}

// Switched on, the section's button offers switching off (the host's `desativar`) rather than
// asking to switch on again; the line follows the switch and the account.
TEST_F(SituacaoTeste, LigadoOfereceDesligarEALinhaSegueAChaveEAConta)
{
    auto situacao = nova();
    repositorio->chave = true;
    Testes::executar(situacao->atualizar());
    QSignalSpy oferecido(situacao.get(), &SituacaoDoPreenchimento::desligarOferecido);
    QSignalSpy mudou(situacao.get(), &SituacaoDoPreenchimento::ligadoMudou);
    situacao->abrirAjustes();
    EXPECT_EQ(oferecido.count(), 1);
    EXPECT_EQ(pedidos, 0) << "nada pedido ao anfitrião antes da escolha";

    situacao->desligar();
    EXPECT_EQ(pedidosDeLigar, QList<bool>{false});
    ASSERT_TRUE(mudou.wait(5000));
    EXPECT_EQ(situacao->ligado(), false);
    EXPECT_EQ(situacao->textoDaSecao(), QStringLiteral("Desligado"));
    EXPECT_EQ(situacao->botaoDaSecao(), QStringLiteral("Ligar"));
    situacao->abrirAjustes();
    EXPECT_EQ(pedidosDeLigar, (QList<bool>{false, true}));
    EXPECT_EQ(oferecido.count(), 1);

    const struct {
        const char *nome;
        bool ligado;
        bool comConta;
        const char *texto;
        const char *simbolo;
    } casos[] = {
        {"ligado com conta", true, true, "Ligado neste computador", "checkmark.circle.fill"},
        {"ligado sem conta", true, false, "Entre no app primeiro", "circle"},
        {"desligado sem conta", false, false, "Desligado", "circle"},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        situacao->definirLigado(caso.ligado);
        QSignalSpy aviso(situacao.get(), &SituacaoDoPreenchimento::ligadoMudou);
        situacao->definirComConta(caso.comConta);
        EXPECT_EQ(situacao->textoDaSecao(), QString::fromUtf8(caso.texto));
        EXPECT_EQ(situacao->simboloDaSecao(), QString::fromUtf8(caso.simbolo));
        EXPECT_EQ(situacao->simboloDaSecaoEmAzul(), caso.ligado && caso.comConta);
        EXPECT_EQ(situacao->botaoDaSecao(),
                  caso.ligado ? QStringLiteral("Abrir ajustes do preenchimento") : QStringLiteral("Ligar"));
    }
    EXPECT_EQ(SituacaoDoPreenchimento::textoDesligar(), QStringLiteral("Desligar neste computador"));
}
