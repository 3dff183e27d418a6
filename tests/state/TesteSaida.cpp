// Signing out, the session the server ended, and the account records the API client receives.
#include "AmbienteDoEstado.h"

#include "core/ArquivosDoPreenchimento.h"

#include <QFile>

namespace {

using Fase = EstadoDoApp::Fase;

} // namespace

class Saida : public TesteDoEstado {
protected:
    void SetUp() override
    {
        TesteDoEstado::SetUp();
        semeada = semearConta();
    }

    ContaSemeada semeada;
};

TEST_F(Saida, SairApagaOQueEhDaContaEMaisNada)
{
    EstadoDoApp &aberto = estadoAberto(semeada);
    const QString idDaConta = aberto.conta()->id;
    const QString chaveDaOrdem = Cofre::chaveDaOrdem(idDaConta);
    aberto.preferencias()->armazenamento().definirListaDeTextos(chaveDaOrdem,
                                                                {QStringLiteral("a"), QStringLiteral("b")});
    aberto.preferencias()->definirProtegerApp(true);
    aberto.preferencias()->definirBloqueio(OpcaoDeBloqueio::cincoMinutos);
    OpcoesDeSenha opcoes;
    opcoes.tamanho = 32;
    aberto.preferencias()->definirOpcoesDoGerador(opcoes);
    // What the AutoFill extension left for the application: not the account's to delete.
    ASSERT_TRUE(NovaDoPreenchimento::acrescentar(
        NovaDoPreenchimento{QStringLiteral("9b2f3c1e-0000-4000-8000-000000000001"), QStringLiteral("v1.x.y"),
                            QDateTime::currentDateTimeUtc()}));
    ASSERT_TRUE(VinculoDoPreenchimento::acrescentar(
        VinculoDoPreenchimento{QStringLiteral("9b2f3c1e-0000-4000-8000-000000000002"), QStringLiteral("exemplo.com")}));
    ASSERT_EQ(servidor.estado().sessoesAtivas(semeada.email), 1);

    Testes::executar(aberto.sair());

    EXPECT_EQ(aberto.fase(), Fase::semConta);
    EXPECT_FALSE(aberto.conta());
    EXPECT_EQ(aberto.cofre(), nullptr);
    EXPECT_FALSE(aberto.secoesLiberadas());
    EXPECT_FALSE(aberto.precisaEntrarDeNovo());
    EXPECT_EQ(pedidos("DELETE", "/v1/sessao").size(), 1);
    EXPECT_EQ(servidor.estado().sessoesAtivas(semeada.email), 0);
    EXPECT_FALSE(aberto.api()->temSessao());
    EXPECT_EQ(segredos->quantidade(), 0) << "nem chave do cofre nem sessão";
    EXPECT_FALSE(QFile::exists(CopiaDoCofre::arquivo()));
    EXPECT_FALSE(suite().contem(chaveDaOrdem));
    EXPECT_EQ(suite().logico(QString::fromLatin1(chaveDeProtegerApp)), std::optional<bool>(false));
    EXPECT_TRUE(esperarAte([this] { return identidades->remocoes > 0; }));

    // Kept: the last e-mail, the lock delay, the generator options and both exchange files.
    EXPECT_EQ(suite().texto(QString::fromLatin1(chaveDoUltimoEmail)), std::optional<QString>(semeada.email));
    EXPECT_EQ(suite().inteiro(QString::fromLatin1(chaveDoBloqueio)), std::optional<qint64>(300));
    EXPECT_TRUE(suite().contem(QString::fromLatin1(chaveDasOpcoesDoGerador)));
    EXPECT_EQ(NovaDoPreenchimento::ler().size(), 1);
    EXPECT_EQ(VinculoDoPreenchimento::ler().size(), 1);

    // The next start is a first start.
    EstadoDoApp &depois = estadoIniciado();
    EXPECT_EQ(depois.fase(), Fase::semConta);
}

TEST_F(Saida, SairSemConexaoApagaDoMesmoJeito)
{
    EstadoDoApp &aberto = estadoAberto(semeada);
    servidor.falharProximas(-1, Servidor::Falha::conexaoDerrubada(), QStringLiteral("DELETE"),
                            QStringLiteral("/v1/sessao"));
    Testes::executar(aberto.sair());
    EXPECT_EQ(aberto.fase(), Fase::semConta);
    EXPECT_EQ(segredos->quantidade(), 0);
    EXPECT_FALSE(QFile::exists(CopiaDoCofre::arquivo()));
}

TEST_F(Saida, SessaoEncerradaSoMarcaQueEPrecisoEntrarDeNovo)
{
    // Open, and locked: the flag is set and nothing is deleted.
    for (const bool travado : {false, true}) {
        SCOPED_TRACE(travado ? "bloqueado" : "aberto");
        EstadoDoApp &aberto = estadoAberto(semeada);
        aberto.preferencias()->definirProtegerApp(true);
        if (travado)
            aberto.bloquear();
        Cofre *const cofre = aberto.cofre();
        aberto.sessaoFoiEncerrada();
        EXPECT_TRUE(aberto.precisaEntrarDeNovo());
        EXPECT_FALSE(aberto.podeSincronizar());
        EXPECT_EQ(aberto.cofre(), cofre);
        EXPECT_EQ(chaveNoChaveiro(), semeada.chave);
        EXPECT_TRUE(QFile::exists(CopiaDoCofre::arquivo()));
        if (travado) {
            EXPECT_TRUE(Testes::executar(aberto.desbloquear()));
            EXPECT_EQ(aberto.fase(), Fase::aberto);
            EXPECT_TRUE(aberto.precisaEntrarDeNovo()) << "o cofre abre com o pedido de entrar de novo";
        }
    }
}

TEST_F(Saida, SessaoEncerradaSemContaNaoMudaNada)
{
    EstadoDoApp &iniciado = estadoIniciado();
    iniciado.sessaoFoiEncerrada();
    EXPECT_FALSE(iniciado.precisaEntrarDeNovo());
    EXPECT_EQ(iniciado.fase(), Fase::semConta);
}

// The server ends the session; the API client says so through its callback, which reaches the
// state in a task of its own; the user signs in again and keeps the same vault.
TEST_F(Saida, SessaoQueOServidorEncerrouVoltaComEntrarDeNovo)
{
    EstadoDoApp &aberto = estadoAberto(semeada);
    Cofre *const cofre = aberto.cofre();
    servidor.estado().revogarSessoes(semeada.email);
    servidor.estado().expirarTokensDeAcesso();

    Testes::executar(cofre->sincronizar());
    EXPECT_TRUE(esperarAte([&] { return aberto.precisaEntrarDeNovo(); }));
    EXPECT_EQ(aberto.fase(), Fase::aberto);
    EXPECT_EQ(aberto.cofre(), cofre);
    EXPECT_EQ(chaveNoChaveiro(), semeada.chave);

    const EntradaPendente pendente = Testes::executar(aberto.prepararEntrada(semeada.email, semeada.senha));
    servidor.limparPedidos();
    Testes::executar(aberto.entrarDeNovo(pendente));
    EXPECT_FALSE(aberto.precisaEntrarDeNovo());
    EXPECT_TRUE(aberto.podeSincronizar());
    EXPECT_EQ(aberto.cofre(), cofre) << "o mesmo cofre continua na tela";
    EXPECT_FALSE(aberto.secoesLiberadas()) << "entrar de novo não libera as seções";
    EXPECT_EQ(pedidos("GET", "/v1/cofre").size(), 1);
    EXPECT_TRUE(aberto.api()->temSessao());
}

TEST_F(Saida, ContaRecebidaSoQuandoEhAMesmaConta)
{
    EstadoDoApp &aberto = estadoAberto(semeada);
    Conta renomeada = *aberto.conta();
    renomeada.nome = QStringLiteral("Ana Renomeada");
    aberto.contaRecebida(renomeada);
    EXPECT_EQ(aberto.conta(), ContaOpcional(renomeada));
    EXPECT_EQ(aberto.cofre()->conta(), renomeada);
    ASSERT_TRUE(CopiaDoCofre::ler());
    EXPECT_EQ(CopiaDoCofre::ler()->conta, renomeada);

    Conta outra = renomeada;
    outra.id = QStringLiteral("outra-conta");
    outra.nome = QStringLiteral("Intrusa");
    aberto.contaRecebida(outra);
    EXPECT_EQ(aberto.conta(), ContaOpcional(renomeada));
    EXPECT_EQ(CopiaDoCofre::ler()->conta, renomeada);
}
