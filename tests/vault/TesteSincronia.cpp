// Synchronisation against the development server: full and incremental pulls, completeness,
// unreadable items, and the flags each kind of failure leaves.
#include "AmbienteDoCofre.h"

#include <QFile>

#include <sys/stat.h>

namespace {

void sincronizar(Cofre &cofre)
{
    Testes::executar(cofre.sincronizar());
}

QByteArray respostaDoCofre(qint64 revisao, const QList<ItemCifrado> &itens, std::optional<bool> completo)
{
    Escritor escritor;
    escritor.inteiro(QStringLiteral("revisao"), revisao).talvezFlag(QStringLiteral("completo"), completo);
    escritor.lista(QStringLiteral("itens"), itens, [](const ItemCifrado &item) { return item.paraJSON(); });
    return escritor.documento();
}

} // namespace

class TesteSincronia : public AmbienteDoCofre {};

TEST_F(TesteSincronia, PrimeiraPedeTudoEAsSeguintesSoOQueMudouDesdeARevisao)
{
    gravarNoServidor(QStringLiteral("s1"), TipoDeItem::senha, senha(QStringLiteral("Banco"), QStringLiteral("banco.com")));
    gravarNoServidor(QStringLiteral("c1"), TipoDeItem::codigo, codigo(QStringLiteral("GitHub")));
    gravarNoServidor(QStringLiteral("n1"), TipoDeItem::nota, nota(QStringLiteral("Wi-Fi")));
    const auto cofre = novoCofre();
    EXPECT_FALSE(cofre->carregado());

    sincronizar(*cofre);
    ASSERT_EQ(pedidos("GET", "/v1/cofre").size(), 1);
    EXPECT_EQ(pedidos("GET", "/v1/cofre").first().caminho, QStringLiteral("/v1/cofre"));
    EXPECT_TRUE(cofre->carregado());
    EXPECT_EQ(cofre->revisao(), 3);
    EXPECT_EQ(cofre->abertos().size(), 3);
    EXPECT_EQ(titulos(cofre->senhas()), QStringList{QStringLiteral("Banco")});
    EXPECT_TRUE(cofre->ultimaSincronia().has_value());
    EXPECT_FALSE(cofre->sincronizando());
    conferirCopia(*cofre);
    aguardarIdentidades();
    ASSERT_FALSE(identidades->substituicoes().isEmpty());
    EXPECT_TRUE(identidades->substituicoes().last().contains(IdentidadeDoPreenchimento(
        IdentidadeDeSenha{QStringLiteral("banco.com"), QStringLiteral("ana"), QStringLiteral("s1")})));

    // Another device adds one item and deletes another.
    gravarNoServidor(QStringLiteral("s2"), TipoDeItem::senha, senha(QStringLiteral("Correio")));
    servidor.estado().apagarItem(email, QStringLiteral("n1"));
    servidor.limparPedidos();
    sincronizar(*cofre);
    ASSERT_EQ(pedidos("GET", "/v1/cofre").size(), 1);
    EXPECT_EQ(pedidos("GET", "/v1/cofre").first().caminho, QStringLiteral("/v1/cofre?desde=3"));
    EXPECT_EQ(cofre->revisao(), 5);
    EXPECT_TRUE(cofre->abertos().contains(QStringLiteral("s1")));
    EXPECT_TRUE(cofre->abertos().contains(QStringLiteral("s2")));
    EXPECT_FALSE(cofre->cifrados().contains(QStringLiteral("n1")));
    conferirCopia(*cofre);

    // Nothing new: the same request, nothing changes.
    servidor.limparPedidos();
    sincronizar(*cofre);
    EXPECT_EQ(pedidos("GET", "/v1/cofre").first().caminho, QStringLiteral("/v1/cofre?desde=5"));
    EXPECT_EQ(cofre->abertos().size(), 3);
}

TEST_F(TesteSincronia, CopiaPropriaPedeDesdeSuaRevisaoERespostaCompletaSubstituiTudo)
{
    const ItemCifrado daCopia =
        gravarNoServidor(QStringLiteral("velho"), TipoDeItem::nota, nota(QStringLiteral("Velho")));
    servidor.estado().apagarItem(email, QStringLiteral("velho"));
    CopiaDoCofre copia;
    copia.conta = conta;
    copia.revisao = 7; // ahead of the server (2): it answers the whole vault
    copia.itens = {daCopia};
    CopiaDoCofre::salvar(copia);
    gravarNoServidor(QStringLiteral("novo"), TipoDeItem::nota, nota(QStringLiteral("Novo")));

    const auto cofre = novoCofre();
    ASSERT_TRUE(cofre->carregado());
    sincronizar(*cofre);
    EXPECT_EQ(pedidos("GET", "/v1/cofre").first().caminho, QStringLiteral("/v1/cofre?desde=7"));
    EXPECT_EQ(cofre->revisao(), 3); // lower than before: a complete answer is taken as it is
    EXPECT_EQ(cofre->cifrados().keys(), QList<QString>{QStringLiteral("novo")});
    conferirCopia(*cofre);
}

TEST_F(TesteSincronia, RespostaSemCompletoDependeDeOCofreJaTerBase)
{
    const ItemCifrado local = gravarNoServidor(QStringLiteral("local"), TipoDeItem::nota, nota(QStringLiteral("L")));
    const ItemCifrado mau = gravarNoServidor(QStringLiteral("mau"), TipoDeItem::nota, nota(QStringLiteral("M")),
                                             Cripto::bytesAleatorios(32));
    const ItemCifrado remoto = gravarNoServidor(QStringLiteral("remoto"), TipoDeItem::nota, nota(QStringLiteral("R")));

    {
        SCOPED_TRACE("sem base: a resposta é o cofre inteiro");
        const auto cofre = novoCofre();
        cofre->aplicar(local);
        cofre->aplicar(mau);
        servidor.falharProximas(1, Servidor::Falha::bruta(200, respostaDoCofre(2, {remoto}, std::nullopt)), "GET",
                                "/v1/cofre");
        sincronizar(*cofre);
        EXPECT_EQ(cofre->cifrados().keys(), QList<QString>{QStringLiteral("remoto")});
        EXPECT_TRUE(cofre->ilegiveis().isEmpty());
        EXPECT_EQ(cofre->revisao(), 2);
    }
    {
        SCOPED_TRACE("com base: a resposta só traz mudanças");
        CopiaDoCofre copia;
        copia.conta = conta;
        copia.revisao = 10;
        copia.itens = {local};
        CopiaDoCofre::salvar(copia);
        const auto cofre = novoCofre();
        servidor.falharProximas(1, Servidor::Falha::bruta(200, respostaDoCofre(4, {remoto}, std::nullopt)), "GET",
                                "/v1/cofre");
        sincronizar(*cofre);
        EXPECT_EQ(cofre->cifrados().size(), 2);
        EXPECT_EQ(cofre->revisao(), 10); // never moves back on an incremental answer
    }
}

TEST_F(TesteSincronia, ItemDeOutroAparelhoQueNaoAbreFicaIlegivelCifradoEUmaLinhaNoLog)
{
    const CapturaDoLog log;
    gravarNoServidor(QStringLiteral("alheio"), TipoDeItem::senha, senha(QStringLiteral("X")), Cripto::bytesAleatorios(32));
    gravarNoServidor(QStringLiteral("meu"), TipoDeItem::senha, senha(QStringLiteral("Y")));
    const auto cofre = novoCofre();
    sincronizar(*cofre);

    EXPECT_EQ(cofre->ilegiveis(), IdsDeItens{QStringLiteral("alheio")});
    EXPECT_TRUE(cofre->cifrados().contains(QStringLiteral("alheio")));
    EXPECT_EQ(titulos(cofre->senhas()), QStringList{QStringLiteral("Y")});
    EXPECT_EQ(CapturaDoLog::linhas(),
              QStringList{QStringLiteral("item não abriu com a chave deste aparelho: alheio")});
    conferirCopia(*cofre);

    // Later incremental runs that do not carry it log nothing more; deleting it clears the mark.
    sincronizar(*cofre);
    EXPECT_EQ(CapturaDoLog::linhas().size(), 1);
    servidor.estado().apagarItem(email, QStringLiteral("alheio"));
    sincronizar(*cofre);
    EXPECT_TRUE(cofre->ilegiveis().isEmpty());
    EXPECT_FALSE(cofre->cifrados().contains(QStringLiteral("alheio")));
}

TEST_F(TesteSincronia, SemConexaoMarcaSoSemConexaoEUmSucessoLimpaTudo)
{
    const auto cofre = novoCofre();
    servidor.falharProximas(-1, Servidor::Falha::conexaoDerrubada(), "GET", "/v1/cofre");
    sincronizar(*cofre);
    EXPECT_TRUE(cofre->semConexao());
    EXPECT_FALSE(cofre->falhouAoSincronizar());
    EXPECT_FALSE(cofre->sincronizando());
    EXPECT_FALSE(cofre->carregado());
    EXPECT_FALSE(cofre->ultimaSincronia().has_value());
    EXPECT_FALSE(QFile::exists(CopiaDoCofre::arquivo()));

    // A server error now: the offline flag stays as the earlier run left it.
    servidor.limparFalhas();
    servidor.falharProximas(1, Servidor::Falha::erro(500, QStringLiteral("erro-interno")), "GET", "/v1/cofre");
    sincronizar(*cofre);
    EXPECT_TRUE(cofre->semConexao());
    EXPECT_TRUE(cofre->falhouAoSincronizar());

    sincronizar(*cofre);
    EXPECT_FALSE(cofre->semConexao());
    EXPECT_FALSE(cofre->falhouAoSincronizar());
    EXPECT_TRUE(cofre->carregado());
}

TEST_F(TesteSincronia, SessaoEncerradaMarcaFalhaENaoSemConexao)
{
    const auto cofre = novoCofre();
    api->esquecerSessao();
    sincronizar(*cofre);
    EXPECT_TRUE(cofre->falhouAoSincronizar());
    EXPECT_FALSE(cofre->semConexao());
    EXPECT_FALSE(cofre->sincronizando());
}

TEST_F(TesteSincronia, RespostaQueNaoSeLeMarcaFalhaSemMexerNoCofre)
{
    gravarNoServidor(QStringLiteral("a"), TipoDeItem::nota, nota(QStringLiteral("A")));
    const auto cofre = novoCofre();
    sincronizar(*cofre);
    servidor.falharProximas(1, Servidor::Falha::bruta(200, R"({"revisao":"dez","itens":[]})"), "GET", "/v1/cofre");
    sincronizar(*cofre);
    EXPECT_TRUE(cofre->falhouAoSincronizar());
    EXPECT_EQ(cofre->revisao(), 1);
    EXPECT_EQ(cofre->abertos().size(), 1);
}

TEST_F(TesteSincronia, ChamadaDuranteUmaSincroniaVoltaNaHoraSemPedido)
{
    const auto cofre = novoCofre();
    servidor.definirAtraso(std::chrono::milliseconds(150));
    QList<bool> estados;
    QObject::connect(cofre.get(), &Cofre::sincronizandoMudou, [&] { estados.append(cofre->sincronizando()); });

    QCoro::Task<> primeira = cofre->sincronizar();
    EXPECT_TRUE(cofre->sincronizando());
    QCoro::Task<> segunda = cofre->sincronizar();
    EXPECT_TRUE(segunda.isReady()); // back at once, without waiting for anything
    Testes::executar(std::move(primeira));
    EXPECT_EQ(pedidos("GET", "/v1/cofre").size(), 1);
    EXPECT_EQ(estados, (QList<bool>{true, false}));
}

TEST_F(TesteSincronia, SincroniaCanceladaSoDesligaSincronizando)
{
    // A clock far ahead makes the client renew before the request; forgetting the session while
    // that renewal is in flight cancels the run.
    ClienteDaAPI cliente(servidor.endereco(), [] { return QDateTime::currentDateTimeUtc().addDays(1); });
    cliente.guardarSessao(RespostaDeSessao::deJSON(
        CodificacaoJSON::lerDocumento(QJsonDocument(servidor.estado().abrirSessao(email)).toJson())));
    servidor.definirAtraso(std::chrono::milliseconds(100));
    Cofre cofre(conta, chave, &cliente, preferencias.get());

    QCoro::Task<> tarefa = cofre.sincronizar();
    cliente.esquecerSessao();
    Testes::executar(std::move(tarefa));
    EXPECT_FALSE(cofre.sincronizando());
    EXPECT_FALSE(cofre.semConexao());
    EXPECT_FALSE(cofre.falhouAoSincronizar());
}

namespace {
// The copy's inode: every atomic rewrite renames a new file into place.
ino_t inodeDaCopia()
{
    struct stat info {};
    return ::stat(QFile::encodeName(CopiaDoCofre::arquivo()).constData(), &info) == 0 ? info.st_ino : 0;
}
} // namespace

TEST_F(TesteSincronia, SincroniaSemNovidadeNaoReescreveACopiaMasUmaMudancaSim)
{
    gravarNoServidor(QStringLiteral("s1"), TipoDeItem::senha, senha(QStringLiteral("Banco")));
    const auto cofre = novoCofre();
    sincronizar(*cofre);
    const ino_t antes = inodeDaCopia();
    ASSERT_NE(antes, 0u);

    sincronizar(*cofre);
    EXPECT_EQ(inodeDaCopia(), antes) << "nothing changed, so the file must not be rewritten";

    // A copy removed behind the store's back is written again, even with nothing new.
    CopiaDoCofre::apagar();
    sincronizar(*cofre);
    EXPECT_NE(inodeDaCopia(), 0u);
    conferirCopia(*cofre);

    const ino_t semNovidade = inodeDaCopia();
    gravarNoServidor(QStringLiteral("s2"), TipoDeItem::senha, senha(QStringLiteral("Correio")));
    sincronizar(*cofre);
    EXPECT_NE(inodeDaCopia(), semNovidade);
    conferirCopia(*cofre);
}
