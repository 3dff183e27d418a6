// The request pipeline against the development server: addresses, headers, error bodies,
// decoding, the resend after "nao-autenticado" and the refusal of item ids that could redirect.
#include "Ambiente.h"

#include <QTcpServer>

namespace {

const QString ana = QStringLiteral("ana@exemplo.com");

} // namespace

using EnvioDoCliente = ClienteComServidor;

TEST_F(EnvioDoCliente, CabecalhosDeCadaPedido)
{
    auto cliente = clienteComSessao();
    static_cast<void>(Testes::executar(cliente->lerConta()));
    static_cast<void>(Testes::executar(cliente->preEntrada(ana)));
    const auto pedidos = servidor.pedidos();
    ASSERT_EQ(pedidos.size(), 2);
    for (const auto &pedido : pedidos) {
        SCOPED_TRACE(pedido.caminho.toStdString());
        EXPECT_EQ(pedido.cabecalho("Accept"), QByteArray("application/json"));
        EXPECT_TRUE(pedido.cabecalho("Cookie").isEmpty());
    }
    // Without a body there is no content type; without a session no token.
    EXPECT_TRUE(pedidos[0].cabecalho("Content-Type").isEmpty());
    EXPECT_TRUE(pedidos[0].corpo.isEmpty());
    EXPECT_EQ(pedidos[0].cabecalho("Authorization"), "Bearer " + cliente->tokens()->tokenDeAcesso.toUtf8());
    EXPECT_EQ(pedidos[1].cabecalho("Content-Type"), QByteArray("application/json"));
    EXPECT_TRUE(pedidos[1].cabecalho("Authorization").isEmpty());
    EXPECT_EQ(pedidos[1].corpo, QByteArray(R"({"email":"ana@exemplo.com"})"));
}

TEST_F(EnvioDoCliente, BaseComCaminhoProprioVaiParaARaiz)
{
    criarConta(ana);
    for (const QString &sufixo : {QStringLiteral("/api/v2/"), QStringLiteral("/api"), QStringLiteral("/")}) {
        SCOPED_TRACE(sufixo.toStdString());
        servidor.limparPedidos();
        QUrl base = servidor.endereco();
        base.setPath(sufixo);
        auto cliente = novoCliente(base);
        cliente->guardarSessao(sessaoDe(ana));
        EXPECT_TRUE(Testes::executar(cliente->lerCofre(0)).completo.has_value());
        ASSERT_EQ(servidor.pedidos().size(), 1);
        EXPECT_EQ(servidor.pedidos()[0].caminho, QStringLiteral("/v1/cofre?desde=0"));
    }
}

TEST_F(EnvioDoCliente, ConflitoGuardaOCorpoDoServidor)
{
    auto cliente = clienteComSessao();
    const QByteArray corpo = R"({"erro": "conflito-de-revisao", "mensagem": "", "item": {"id": "x"}})";
    servidor.falharProximas(1, Servidor::Falha::bruta(409, corpo), QStringLiteral("PUT"));
    const auto erro =
        erroDe<ErroDaAPI>(cliente->guardarItem(QStringLiteral("x"), CorpoDoItem{TipoDeItem::nota, QStringLiteral("d"), 3}));
    ASSERT_TRUE(erro);
    EXPECT_EQ(erro->caso(), ErroDaAPI::Caso::servidor);
    EXPECT_EQ(erro->status, 409);
    EXPECT_EQ(erro->codigo, QStringLiteral("conflito-de-revisao"));
    EXPECT_EQ(erro->mensagem, QString());
    EXPECT_EQ(erro->corpo, corpo);
    EXPECT_EQ(erro->errorDescription(), QStringLiteral("Este item mudou em outro aparelho."));
    EXPECT_EQ(quantosPedidos("POST", "/v1/sessao/renovar"), 0);
}

TEST_F(EnvioDoCliente, CorposDeErroSemJSONUsamOStatus)
{
    auto cliente = novoCliente();
    const struct {
        const char *nome;
        Servidor::Falha falha;
        const char *codigo;
        const char *mensagem;
        const char *frase;
    } casos[] = {
        {"HTML 502", Servidor::Falha::paginaHtml(502), "erro-502", "",
         "Algo deu errado do nosso lado. Tente de novo em instantes."},
        {"vazio 404", Servidor::Falha::bruta(404, ""), "erro-404", "", "Não deu certo. Tente de novo."},
        {"lista", Servidor::Falha::bruta(400, R"(["erro"])"), "erro-400", "", "Não deu certo. Tente de novo."},
        {"erro não texto", Servidor::Falha::bruta(400, R"({"erro":7,"mensagem":"Veja."})"), "erro-400", "Veja.",
         "Veja."},
        {"mensagem não texto", Servidor::Falha::bruta(400, R"({"erro":"x","mensagem":false})"), "x", "",
         "Não deu certo. Tente de novo."},
        {"com mensagem",
         Servidor::Falha::erro(401, QStringLiteral("credenciais-invalidas"), QStringLiteral("Confira.")),
         "credenciais-invalidas", "Confira.", "Confira."},
        {"muitas tentativas",
         Servidor::Falha::bruta(429, R"({"erro":"muitas-tentativas","mensagem":"Espere.","tenteNovamenteEm":61})"),
         "muitas-tentativas", "Espere.", "Muitas tentativas seguidas. Tente de novo em 2 minutos."},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        servidor.falharProximas(1, caso.falha);
        const auto erro = erroDe<ErroDaAPI>(cliente->preEntrada(ana));
        ASSERT_TRUE(erro);
        EXPECT_EQ(erro->status, caso.falha.status);
        EXPECT_EQ(erro->codigo, QString::fromUtf8(caso.codigo));
        EXPECT_EQ(erro->mensagem, QString::fromUtf8(caso.mensagem));
        EXPECT_EQ(erro->corpo, caso.falha.corpo);
        EXPECT_EQ(erro->errorDescription(), QString::fromUtf8(caso.frase));
    }
}

TEST_F(EnvioDoCliente, RespostaDeSucessoIlegivelEInesperada)
{
    auto cliente = clienteComSessao();
    for (const QByteArray &corpo :
         {QByteArray(R"({"sal":"s"})"), QByteArray("<html/>"), QByteArray(), QByteArray("null")}) {
        SCOPED_TRACE(corpo.toStdString());
        servidor.falharProximas(1, Servidor::Falha::bruta(200, corpo));
        const auto erro = erroDe<ErroDaAPI>(cliente->preEntrada(ana));
        ASSERT_TRUE(erro);
        EXPECT_EQ(erro->caso(), ErroDaAPI::Caso::respostaInesperada);
    }
}

TEST_F(EnvioDoCliente, VazioAceitaQualquerCorpoMasItemNao)
{
    auto cliente = clienteComSessao();
    servidor.falharProximas(1, Servidor::Falha::bruta(204, ""), QStringLiteral("PUT"));
    const auto erro =
        erroDe<ErroDaAPI>(cliente->guardarItem(QStringLiteral("a"), CorpoDoItem{TipoDeItem::nota, QStringLiteral("d"), {}}));
    ASSERT_TRUE(erro);
    EXPECT_EQ(erro->caso(), ErroDaAPI::Caso::respostaInesperada);

    for (const QByteArray &corpo : {QByteArray("não é json"), QByteArray("{}"), QByteArray("[1]")}) {
        servidor.falharProximas(1, Servidor::Falha::bruta(200, corpo), QStringLiteral("DELETE"));
        EXPECT_EQ(Testes::executar(cliente->sair()), Vazio{});
    }
}

TEST_F(EnvioDoCliente, ContaNulaNaoEErro)
{
    auto cliente = clienteComSessao();
    servidor.falharProximas(1, Servidor::Falha::bruta(200, "null"), QStringLiteral("GET"), QStringLiteral("/v1/conta"));
    EXPECT_EQ(Testes::executar(cliente->lerConta()), std::nullopt);
    EXPECT_EQ(encerramentos, 0);
}

TEST_F(EnvioDoCliente, NaoAutenticadoRenovaEReenviaUmaVez)
{
    auto cliente = clienteComSessao();
    const QString antigo = cliente->tokens()->tokenDeAcesso;
    // The server no longer takes the token although this Mac's clock says it has minutes left.
    servidor.estado().expirarTokensDeAcesso();
    const auto conta = Testes::executar(cliente->lerConta());
    ASSERT_TRUE(conta);
    EXPECT_EQ(conta->email, ana);
    const auto pedidos = servidor.pedidos();
    ASSERT_EQ(pedidos.size(), 3);
    EXPECT_EQ(pedidos[0].cabecalho("Authorization"), "Bearer " + antigo.toUtf8());
    EXPECT_EQ(pedidos[1].caminho, QStringLiteral("/v1/sessao/renovar"));
    EXPECT_EQ(pedidos[2].cabecalho("Authorization"), "Bearer " + cliente->tokens()->tokenDeAcesso.toUtf8());
    EXPECT_NE(cliente->tokens()->tokenDeAcesso, antigo);
    EXPECT_EQ(encerramentos, 0);
}

TEST_F(EnvioDoCliente, ReenvioLevaOMesmoCorpo)
{
    auto cliente = clienteComSessao();
    servidor.falharProximas(1, Servidor::Falha::erro(401, QStringLiteral("nao-autenticado")), QStringLiteral("PUT"));
    const auto item = Testes::executar(
        cliente->guardarItem(QStringLiteral("i-1"), CorpoDoItem{TipoDeItem::senha, QStringLiteral("v1.a.b"), {}}));
    EXPECT_EQ(item.revisao, 1);
    const auto envios = servidor.pedidos("PUT", QStringLiteral("/v1/cofre/itens/i-1"));
    ASSERT_EQ(envios.size(), 2);
    EXPECT_EQ(envios[0].corpo, envios[1].corpo);
    EXPECT_EQ(envios[1].corpo, QByteArray(R"({"tipo":"senha","dados":"v1.a.b","revisaoEsperada":null})"));
}

TEST_F(EnvioDoCliente, NaoAutenticadoDuasVezesEncerraASessao)
{
    auto cliente = clienteComSessao();
    servidor.falharProximas(2, Servidor::Falha::erro(401, QStringLiteral("nao-autenticado")), QStringLiteral("GET"));
    const auto erro = erroDe<ErroDaAPI>(cliente->lerCofre());
    ASSERT_TRUE(erro);
    EXPECT_EQ(erro->caso(), ErroDaAPI::Caso::sessaoEncerrada);
    EXPECT_EQ(quantosPedidos("GET", "/v1/cofre"), 2);
    EXPECT_EQ(quantosPedidos("POST", "/v1/sessao/renovar"), 1);
    EXPECT_EQ(encerramentos, 1);
    EXPECT_FALSE(cliente->temSessao());
    EXPECT_FALSE(sessaoNoChaveiro());
}

TEST_F(EnvioDoCliente, RecusaDeUmaSessaoJaTrocadaNaoRenovaNemEncerraANova)
{
    // The user signs out and in again while the first send, or the resend, is on its way.
    for (const int trocaNoEnvio : {1, 2}) {
        SCOPED_TRACE(trocaNoEnvio);
        const QString email = QStringLiteral("troca%1@exemplo.com").arg(trocaNoEnvio);
        auto cliente = clienteComSessao(email);
        servidor.falharProximas(2, Servidor::Falha::erro(401, QStringLiteral("nao-autenticado")),
                                QStringLiteral("GET"));
        const RespostaDeSessao novaEntrada = sessaoDe(email);
        int envios = 0;
        const auto conexao = QObject::connect(
            &servidor, &Servidor::ServidorDeDesenvolvimento::pedidoRecebido, cliente.get(),
            [&](const Servidor::PedidoRegistrado &pedido) {
                if (pedido.caminho == QLatin1String("/v1/cofre") && ++envios == trocaNoEnvio) {
                    cliente->esquecerSessao();
                    cliente->guardarSessao(novaEntrada);
                }
            });
        EXPECT_THROW(Testes::executar(cliente->lerCofre()), ErroDeCancelamento);
        QObject::disconnect(conexao);
        EXPECT_EQ(envios, trocaNoEnvio);
        EXPECT_EQ(quantosPedidos("POST", "/v1/sessao/renovar"), trocaNoEnvio - 1);
        ASSERT_TRUE(cliente->tokens());
        EXPECT_EQ(cliente->tokens()->tokenDeAcesso, novaEntrada.tokenDeAcesso);
        EXPECT_EQ(sessaoNoChaveiro(), cliente->tokens()->paraDados());
        EXPECT_EQ(encerramentos, 0);
        servidor.limparFalhas();
        servidor.limparPedidos();
    }
}

TEST_F(EnvioDoCliente, OutrasRecusasPassamSemRenovarNemEncerrar)
{
    auto cliente = clienteComSessao();
    const struct {
        const char *nome;
        Servidor::Falha primeira;
        std::optional<Servidor::Falha> segunda; // the answer to the resend, when there is one
        int status;
        const char *codigo;
        int renovacoes;
    } casos[] = {
        {"401 credenciais",
         Servidor::Falha::erro(401, QStringLiteral("credenciais-invalidas")),
         {},
         401,
         "credenciais-invalidas",
         0},
        {"403", Servidor::Falha::erro(403, QStringLiteral("nao-autenticado")), {}, 403, "nao-autenticado", 0},
        {"401 sem corpo", Servidor::Falha::bruta(401, ""), {}, 401, "erro-401", 0},
        {"reenvio com 403", Servidor::Falha::erro(401, QStringLiteral("nao-autenticado")),
         Servidor::Falha::erro(403, QStringLiteral("proibido")), 403, "proibido", 1},
        {"reenvio com outro 401", Servidor::Falha::erro(401, QStringLiteral("nao-autenticado")),
         Servidor::Falha::erro(401, QStringLiteral("token-invalido")), 401, "token-invalido", 1},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        servidor.limparPedidos();
        servidor.falharProximas(1, caso.primeira, QStringLiteral("GET"));
        if (caso.segunda)
            servidor.falharProximas(1, *caso.segunda, QStringLiteral("GET"));
        const auto erro = erroDe<ErroDaAPI>(cliente->lerConta());
        ASSERT_TRUE(erro);
        EXPECT_EQ(erro->status, caso.status);
        EXPECT_EQ(erro->codigo, QString::fromUtf8(caso.codigo));
        EXPECT_EQ(quantosPedidos("POST", "/v1/sessao/renovar"), caso.renovacoes);
        EXPECT_TRUE(cliente->temSessao());
        EXPECT_EQ(encerramentos, 0);
    }
}

TEST_F(EnvioDoCliente, SemRedeESemConexao)
{
    quint16 portaFechada = 0;
    {
        QTcpServer temporario;
        ASSERT_TRUE(temporario.listen(QHostAddress::LocalHost));
        portaFechada = temporario.serverPort();
    }
    auto longe = novoCliente(QUrl(QStringLiteral("http://127.0.0.1:%1").arg(portaFechada)));
    auto erro = erroDe<ErroDaAPI>(longe->preEntrada(ana));
    ASSERT_TRUE(erro);
    EXPECT_EQ(erro->caso(), ErroDaAPI::Caso::semConexao);

    auto cliente = novoCliente();
    servidor.falharProximas(-1, Servidor::Falha::conexaoDerrubada());
    erro = erroDe<ErroDaAPI>(cliente->preEntrada(ana));
    ASSERT_TRUE(erro);
    EXPECT_EQ(erro->caso(), ErroDaAPI::Caso::semConexao);
}

TEST_F(EnvioDoCliente, EnderecoQueNaoSeFormaNadaEnvia)
{
    auto cliente = clienteComSessao();
    const char *caminhos[] = {
        "v1/conta", "//127.0.0.1:1/v1/conta", "//outro.exemplo/v1/conta", "/v1/conta com espaço", "",
    };
    for (const char *caminho : caminhos) {
        SCOPED_TRACE(caminho);
        const auto erro = erroDe<ErroDaAPI>(cliente->enviarAutorizado<Vazio>(QStringLiteral("GET"), QString::fromUtf8(caminho)));
        ASSERT_TRUE(erro);
        EXPECT_EQ(erro->caso(), ErroDaAPI::Caso::respostaInesperada);
    }
    for (const QUrl &base : {QUrl(), QUrl(QStringLiteral("relativa/api"))}) {
        auto semBase = novoCliente(base);
        const auto erro = erroDe<ErroDaAPI>(semBase->preEntrada(ana));
        ASSERT_TRUE(erro);
        EXPECT_EQ(erro->caso(), ErroDaAPI::Caso::respostaInesperada);
    }
    EXPECT_TRUE(servidor.pedidos().isEmpty());
}

TEST_F(EnvioDoCliente, IdDeItemSoComLetrasDigitosEHifen)
{
    const struct {
        const char *id;
        bool valido;
    } casos[] = {
        {"4f1c2a9e-0b7d-4c3e-9a51-2f6d8e0c1b3a", true},
        {"ABC-xyz-09", true},
        {"-", true},
        {"", false},
        {"../sessao", false},
        {"a/b", false},
        {"a?revisaoEsperada=1", false},
        {"a#b", false},
        {"a%2Fb", false},
        {"a b", false},
        {"a.b", false},
        {"a_b", false},
        {"é", false},
        {"ａ", false},
        {"a\nb", false},
        {"١", false},
    };
    auto cliente = clienteComSessao();
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.id);
        const QString id = QString::fromUtf8(caso.id);
        EXPECT_EQ(ClienteDaAPI::idDeItemValido(id), caso.valido);
        if (caso.valido)
            continue;
        servidor.limparPedidos();
        auto erro = erroDe<ErroDaAPI>(cliente->guardarItem(id, CorpoDoItem{TipoDeItem::nota, QStringLiteral("d"), {}}));
        ASSERT_TRUE(erro);
        EXPECT_EQ(erro->caso(), ErroDaAPI::Caso::respostaInesperada);
        erro = erroDe<ErroDaAPI>(cliente->apagarItem(id, 1));
        ASSERT_TRUE(erro);
        EXPECT_EQ(erro->caso(), ErroDaAPI::Caso::respostaInesperada);
        EXPECT_TRUE(servidor.pedidos().isEmpty());
    }
}

TEST_F(EnvioDoCliente, CaminhoDeItemMontadoPeloChamadorTambemEConferido)
{
    auto cliente = clienteComSessao();
    const char *recusados[] = {
        "/v1/cofre/itens/../../sessao",
        "/v1/cofre/itens/a/../../../v1/sessao",
        "/v1/cofre/itens/",
        "/v1/cofre/itens/a?x=1",
        "/v1/cofre/itens/a?revisaoEsperada=1&x=2",
        "/v1/cofre/itens/a?revisaoEsperada=",
        "/v1/cofre/itens/%2E%2E%2Fsessao",
        "/v1/cofre/itens/a#b",
    };
    for (const char *caminho : recusados) {
        SCOPED_TRACE(caminho);
        const auto erro =
            erroDe<ErroDaAPI>(cliente->enviarAutorizado<ItemCifrado>(QStringLiteral("DELETE"), QString::fromUtf8(caminho)));
        ASSERT_TRUE(erro);
        EXPECT_EQ(erro->caso(), ErroDaAPI::Caso::respostaInesperada);
    }
    EXPECT_TRUE(servidor.pedidos().isEmpty());

    // The two forms the application builds still go out.
    servidor.estado().gravarItem(ana, QStringLiteral("a-1"), QStringLiteral("nota"), QStringLiteral("d"));
    const auto apagado = Testes::executar(cliente->enviarAutorizado<ItemCifrado>(
        QStringLiteral("DELETE"), QStringLiteral("/v1/cofre/itens/a-1?revisaoEsperada=1")));
    EXPECT_TRUE(apagado.apagadoEm);
}

TEST_F(EnvioDoCliente, PedidosSimultaneosComNaoAutenticadoDividemARenovacao)
{
    auto cliente = clienteComSessao();
    servidor.estado().expirarTokensDeAcesso();
    const auto [conta, cofreDoServidor] = Testes::executar(ambos(cliente->lerConta(), cliente->lerCofre()));
    EXPECT_TRUE(conta);
    EXPECT_EQ(cofreDoServidor.itens.size(), 0);
    EXPECT_EQ(quantosPedidos("POST", "/v1/sessao/renovar"), 1);
    EXPECT_EQ(quantosPedidos("GET", "/v1/conta"), 2);
    EXPECT_EQ(quantosPedidos("GET", "/v1/cofre"), 2);
}
