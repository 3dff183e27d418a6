// Session tokens, their keychain item and the shared renewal, against the development server.
#include "Ambiente.h"

#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>

namespace {

const QString ana = QStringLiteral("ana@exemplo.com");

QString autorizacaoDe(const Servidor::PedidoRegistrado &pedido)
{
    return QString::fromLatin1(pedido.cabecalho("Authorization"));
}

RespostaDeSessao respostaCom(const QString &expiraEm, std::optional<QString> renovacao = QStringLiteral("r"))
{
    RespostaDeSessao resposta;
    resposta.tokenDeAcesso = QStringLiteral("acesso");
    resposta.expiraEm = expiraEm;
    resposta.tokenDeRenovacao = std::move(renovacao);
    return resposta;
}

} // namespace

using SessaoDoCliente = ClienteComServidor;

TEST_F(SessaoDoCliente, SessaoGuardadaVoltaNoProximoInicioEEsquecidaNao)
{
    auto cliente = novoCliente();
    EXPECT_FALSE(cliente->temSessao());
    cliente->guardarSessao(respostaCom(QStringLiteral("2025-03-01T12:15:00.500Z")));
    ASSERT_TRUE(sessaoNoChaveiro());
    EXPECT_EQ(*sessaoNoChaveiro(), cliente->tokens()->paraDados());

    const auto outro = novoCliente();
    ASSERT_TRUE(outro->temSessao());
    EXPECT_EQ(outro->tokens(), cliente->tokens());

    cliente->esquecerSessao();
    EXPECT_FALSE(cliente->temSessao());
    EXPECT_FALSE(sessaoNoChaveiro());
    EXPECT_FALSE(novoCliente()->temSessao());
    EXPECT_EQ(encerramentos, 0); // forgetting is not an ended session
}

TEST_F(SessaoDoCliente, ChaveiroIlegivelOuIndisponivelComecaSemSessao)
{
    Chaveiro::gravar("{\"tokenDeAcesso\":\"a\"}", QString::fromLatin1(Chaveiro::contaDaSessao));
    EXPECT_FALSE(novoCliente()->temSessao());

    novoCliente()->guardarSessao(respostaCom(QStringLiteral("2025-03-01T12:15:00Z")));
    cofre->tornarIndisponivel(true);
    EXPECT_FALSE(novoCliente()->temSessao());
}

TEST_F(SessaoDoCliente, FalhaAoGravarDeixaASessaoSoNaMemoria)
{
    cofre->fazerEscritasFalharem(CofreDeSegredos::statusEntradaOuSaida);
    auto cliente = novoCliente();
    cliente->guardarSessao(respostaCom(QStringLiteral("2025-03-01T12:15:00Z")));
    EXPECT_TRUE(cliente->temSessao());
    EXPECT_FALSE(sessaoNoChaveiro());
}

TEST_F(SessaoDoCliente, EntradaSemTokenDeRenovacaoNaoMexeNaSessao)
{
    auto cliente = novoCliente();
    cliente->guardarSessao(respostaCom(QStringLiteral("2025-03-01T12:15:00Z")));
    const auto antes = cliente->tokens();
    const auto noChaveiro = sessaoNoChaveiro();

    RespostaDeSessao semRenovacao = respostaCom(QStringLiteral("2025-03-01T13:00:00Z"), std::nullopt);
    semRenovacao.tokenDeAcesso = QStringLiteral("outro-acesso");
    cliente->guardarSessao(semRenovacao);
    EXPECT_EQ(cliente->tokens(), antes);
    EXPECT_EQ(sessaoNoChaveiro(), noChaveiro);

    auto vazio = novoCliente();
    vazio->esquecerSessao();
    vazio->guardarSessao(semRenovacao);
    EXPECT_FALSE(vazio->temSessao());
}

TEST_F(SessaoDoCliente, ExpiracaoLidaComoDataDaInternet)
{
    const QDateTime padrao = agora.addSecs(840);
    const auto utc = [](int h, int m, int s, int ms = 0) {
        return QDateTime(QDate(2025, 3, 1), QTime(h, m, s, ms), Qt::UTC);
    };
    const struct {
        const char *texto;
        QDateTime esperada;
    } casos[] = {
        {"2025-03-01T12:15:00Z", utc(12, 15, 0)},
        {"2025-03-01T12:15:00.250Z", utc(12, 15, 0, 250)},
        {"2025-03-01T12:15:00.123456Z", utc(12, 15, 0, 123)},
        {"2025-03-01T12:15:00.5Z", utc(12, 15, 0, 500)},
        {"2025-03-01T14:15:00+02:00", utc(12, 15, 0)},
        {"2025-03-01T09:45:30-02:30", utc(12, 15, 30)},
        // No zone, or not the internet form: fourteen minutes from now.
        {"2025-03-01T12:15:00", padrao},
        {"2025-03-01T12:15:00.250", padrao},
        {"2025-03-01 12:15:00Z", padrao},
        {"20250301T121500Z", padrao},
        {"2025-03-01T12:15:00+0200", padrao},
        {"2025-02-30T12:15:00Z", padrao},
        {"2025-03-01T25:15:00Z", padrao},
        {"2025-03-01T12:15:00.Z", padrao},
        {"", padrao},
        {"amanhã", padrao},
    };
    auto cliente = novoCliente();
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.texto);
        cliente->guardarSessao(respostaCom(QString::fromUtf8(caso.texto)));
        ASSERT_TRUE(cliente->tokens());
        EXPECT_EQ(cliente->tokens()->expiraEm, caso.esperada);
    }
}

TEST_F(SessaoDoCliente, TokenCom31SegundosVaiSemRenovar)
{
    auto cliente = clienteComSessao();
    const TokensGuardados tokens = *cliente->tokens();
    agora = tokens.expiraEm.addSecs(-31);
    ASSERT_TRUE(Testes::executar(cliente->lerConta()));
    EXPECT_EQ(quantosPedidos("POST", "/v1/sessao/renovar"), 0);
    ASSERT_EQ(servidor.pedidos().size(), 1);
    EXPECT_EQ(autorizacaoDe(servidor.pedidos()[0]), QStringLiteral("Bearer ") + tokens.tokenDeAcesso);
    EXPECT_EQ(cliente->tokens(), tokens);
}

TEST_F(SessaoDoCliente, TokenCom30SegundosOuMenosRenovaAntes)
{
    for (const int restantes : {30, 1, 0, -600}) {
        SCOPED_TRACE(restantes);
        auto cliente = clienteComSessao(QStringLiteral("ana%1@exemplo.com").arg(restantes + 1000));
        const TokensGuardados antigos = *cliente->tokens();
        agora = antigos.expiraEm.addSecs(-restantes);
        contasRecebidas.clear();

        ASSERT_TRUE(Testes::executar(cliente->lerConta()));
        const auto pedidos = servidor.pedidos();
        ASSERT_EQ(pedidos.size(), 2);
        EXPECT_EQ(pedidos[0].caminho, QStringLiteral("/v1/sessao/renovar"));
        EXPECT_EQ(pedidos[0].json().value(QStringLiteral("tokenDeRenovacao")).toString(), antigos.tokenDeRenovacao);
        EXPECT_TRUE(pedidos[0].cabecalho("Authorization").isEmpty());
        ASSERT_TRUE(cliente->tokens());
        EXPECT_NE(cliente->tokens()->tokenDeAcesso, antigos.tokenDeAcesso);
        EXPECT_NE(cliente->tokens()->tokenDeRenovacao, antigos.tokenDeRenovacao);
        EXPECT_EQ(cliente->tokens()->expiraEm, agora.addSecs(15 * 60));
        EXPECT_EQ(autorizacaoDe(pedidos[1]), QStringLiteral("Bearer ") + cliente->tokens()->tokenDeAcesso);
        EXPECT_EQ(sessaoNoChaveiro(), cliente->tokens()->paraDados());
        ASSERT_EQ(contasRecebidas.size(), 1);
        EXPECT_EQ(contasRecebidas[0].email, QStringLiteral("ana%1@exemplo.com").arg(restantes + 1000));
        servidor.limparPedidos();
    }
}

TEST_F(SessaoDoCliente, DuasRequisicoesComTokenVencendoFazemUmaSoRenovacao)
{
    auto cliente = clienteComSessao();
    agora = cliente->tokens()->expiraEm.addSecs(-10);
    const auto [conta, cofreDoServidor] = Testes::executar(ambos(cliente->lerConta(), cliente->lerCofre()));
    EXPECT_TRUE(conta);
    EXPECT_EQ(cofreDoServidor.revisao, 0);
    EXPECT_EQ(quantosPedidos("POST", "/v1/sessao/renovar"), 1);
    const QString esperada = QStringLiteral("Bearer ") + cliente->tokens()->tokenDeAcesso;
    EXPECT_EQ(autorizacaoDe(servidor.pedidos("GET", QStringLiteral("/v1/conta"))[0]), esperada);
    EXPECT_EQ(autorizacaoDe(servidor.pedidos("GET", QStringLiteral("/v1/cofre"))[0]), esperada);
    EXPECT_EQ(contasRecebidas.size(), 1);
}

TEST_F(SessaoDoCliente, RenovacaoRecusadaCom401Ou403EncerraASessao)
{
    const struct {
        const char *nome;
        bool revogar; // the server's own 403 for a revoked session
        int status;
    } casos[] = {{"revogada", true, 403}, {"403", false, 403}, {"401", false, 401}};
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        const QString email = QStringLiteral("%1@exemplo.com").arg(QLatin1String(caso.nome));
        auto cliente = clienteComSessao(email);
        encerramentos = 0;
        agora = cliente->tokens()->expiraEm.addSecs(-5);
        if (caso.revogar)
            servidor.estado().revogarSessoes(email);
        else
            servidor.falharProximas(1, Servidor::Falha::erro(caso.status, QStringLiteral("qualquer-codigo")), {},
                                    QStringLiteral("/v1/sessao/renovar"));

        const auto erro = erroDe<ErroDaAPI>(cliente->lerConta());
        ASSERT_TRUE(erro);
        EXPECT_EQ(erro->caso(), ErroDaAPI::Caso::sessaoEncerrada);
        EXPECT_EQ(encerramentos, 1);
        EXPECT_FALSE(cliente->temSessao());
        EXPECT_FALSE(sessaoNoChaveiro());
        EXPECT_EQ(quantosPedidos("GET", "/v1/conta"), 0);
        servidor.limparPedidos();
    }
}

TEST_F(SessaoDoCliente, RenovacaoCom500OuSemRedeMantemASessao)
{
    const struct {
        const char *nome;
        Servidor::Falha falha;
        ErroDaAPI::Caso caso;
    } casos[] = {
        {"500", Servidor::Falha::erro(500, QStringLiteral("interno")), ErroDaAPI::Caso::servidor},
        {"conexão derrubada", Servidor::Falha::conexaoDerrubada(), ErroDaAPI::Caso::semConexao},
        {"corpo ilegível", Servidor::Falha::bruta(200, R"({"tokenDeAcesso":"x"})"),
         ErroDaAPI::Caso::respostaInesperada},
    };
    auto cliente = clienteComSessao();
    const TokensGuardados tokens = *cliente->tokens();
    agora = tokens.expiraEm.addSecs(-5);
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        // Qt resends once on a dropped connection, so the fault stays until cleared.
        servidor.falharProximas(-1, caso.falha, {}, QStringLiteral("/v1/sessao/renovar"));
        const auto erro = erroDe<ErroDaAPI>(cliente->lerConta());
        servidor.limparFalhas();
        ASSERT_TRUE(erro);
        EXPECT_EQ(erro->caso(), caso.caso);
        if (erro->ehServidor()) {
            EXPECT_EQ(erro->status, 500);
        }
        EXPECT_EQ(cliente->tokens(), tokens);
        EXPECT_EQ(sessaoNoChaveiro(), tokens.paraDados());
        EXPECT_EQ(encerramentos, 0);
    }
    // The session is still good for a later renewal.
    EXPECT_TRUE(Testes::executar(cliente->lerConta()));
    EXPECT_NE(cliente->tokens()->tokenDeAcesso, tokens.tokenDeAcesso);
}

TEST_F(SessaoDoCliente, QuemEntrouNaRenovacaoRecusadaTambemVeSessaoEncerrada)
{
    auto cliente = clienteComSessao();
    agora = cliente->tokens()->expiraEm.addSecs(-5);
    servidor.estado().revogarSessoes(ana);
    auto primeira = cliente->lerConta();
    auto segunda = cliente->lerCofre(7);
    const auto erroDaPrimeira = erroDe<ErroDaAPI>(std::move(primeira));
    const auto erroDaSegunda = erroDe<ErroDaAPI>(std::move(segunda));
    ASSERT_TRUE(erroDaPrimeira);
    ASSERT_TRUE(erroDaSegunda);
    EXPECT_EQ(erroDaPrimeira->caso(), ErroDaAPI::Caso::sessaoEncerrada);
    EXPECT_EQ(erroDaSegunda->caso(), ErroDaAPI::Caso::sessaoEncerrada);
    EXPECT_EQ(quantosPedidos("POST", "/v1/sessao/renovar"), 1);
    EXPECT_EQ(encerramentos, 1);
}

TEST_F(SessaoDoCliente, RenovacaoSemTokenDeRenovacaoAdotaONovoAcesso)
{
    auto cliente = clienteComSessao();
    const TokensGuardados antigos = *cliente->tokens();
    agora = antigos.expiraEm.addSecs(-5);
    // A valid access token from the server, answered without a renewal token.
    QJsonObject resposta = servidor.estado().abrirSessao(ana);
    resposta.remove(QStringLiteral("tokenDeRenovacao"));
    servidor.falharProximas(1, Servidor::Falha::bruta(200, QJsonDocument(resposta).toJson()), {},
                            QStringLiteral("/v1/sessao/renovar"));

    ASSERT_TRUE(Testes::executar(cliente->lerConta()));
    ASSERT_TRUE(cliente->tokens());
    EXPECT_EQ(cliente->tokens()->tokenDeAcesso, resposta.value(QStringLiteral("tokenDeAcesso")).toString());
    EXPECT_EQ(cliente->tokens()->expiraEm, agora.addSecs(15 * 60));
    EXPECT_EQ(cliente->tokens()->tokenDeRenovacao, antigos.tokenDeRenovacao);
    EXPECT_EQ(sessaoNoChaveiro(), cliente->tokens()->paraDados());
    EXPECT_EQ(quantosPedidos("POST", "/v1/sessao/renovar"), 1);
    EXPECT_EQ(autorizacaoDe(servidor.pedidos("GET", QStringLiteral("/v1/conta"))[0]),
              QStringLiteral("Bearer ") + cliente->tokens()->tokenDeAcesso);
    EXPECT_EQ(encerramentos, 0);
    EXPECT_EQ(contasRecebidas.size(), 1);

    // The kept renewal token renews the next time.
    agora = cliente->tokens()->expiraEm.addSecs(-5);
    ASSERT_TRUE(Testes::executar(cliente->lerConta()));
    const auto renovacoes = servidor.pedidos("POST", QStringLiteral("/v1/sessao/renovar"));
    ASSERT_EQ(renovacoes.size(), 2);
    EXPECT_EQ(renovacoes[1].json().value(QStringLiteral("tokenDeRenovacao")).toString(), antigos.tokenDeRenovacao);
    EXPECT_NE(cliente->tokens()->tokenDeRenovacao, antigos.tokenDeRenovacao);
}

TEST_F(SessaoDoCliente, SemSessaoNadaEEnviado)
{
    auto cliente = novoCliente();
    for (auto *tarefa : {+[](ClienteDaAPI &c) { return erroDe<ErroDaAPI>(c.renovarSessao()); },
                         +[](ClienteDaAPI &c) { return erroDe<ErroDaAPI>(c.tokenValido()); },
                         +[](ClienteDaAPI &c) { return erroDe<ErroDaAPI>(c.lerCofre()); }}) {
        const auto erro = tarefa(*cliente);
        ASSERT_TRUE(erro);
        EXPECT_EQ(erro->caso(), ErroDaAPI::Caso::sessaoEncerrada);
    }
    EXPECT_TRUE(servidor.pedidos().isEmpty());
    EXPECT_EQ(encerramentos, 0);
}

TEST_F(SessaoDoCliente, SairDuranteARenovacaoCancelaENadaGuarda)
{
    auto cliente = clienteComSessao();
    agora = cliente->tokens()->expiraEm.addSecs(-5);
    servidor.definirAtraso(std::chrono::milliseconds(200));
    QObject::connect(&servidor, &Servidor::ServidorDeDesenvolvimento::pedidoRecebido, cliente.get(),
                     [&cliente](const Servidor::PedidoRegistrado &pedido) {
                         if (pedido.caminho == QLatin1String("/v1/sessao/renovar"))
                             cliente->esquecerSessao();
                     });
    QSignalSpy concluidos(&servidor, &Servidor::ServidorDeDesenvolvimento::pedidoConcluido);
    EXPECT_THROW(Testes::executar(cliente->lerConta()), ErroDeCancelamento);
    // The server's late answer finds nobody.
    ASSERT_TRUE(!concluidos.isEmpty() || concluidos.wait(30'000));
    QCoreApplication::processEvents();
    EXPECT_FALSE(cliente->temSessao());
    EXPECT_FALSE(sessaoNoChaveiro());
    EXPECT_TRUE(contasRecebidas.isEmpty());
    EXPECT_EQ(quantosPedidos("GET", "/v1/conta"), 0);
    EXPECT_EQ(encerramentos, 0);
}

TEST_F(SessaoDoCliente, RespostaQueJaChegouDepoisDeSairNaoGuardaNada)
{
    auto cliente = clienteComSessao();
    agora = cliente->tokens()->expiraEm.addSecs(-5);
    const RespostaDeSessao novaEntrada = sessaoDe(ana);
    // The access manager reports the finished reply before the waiting request resumes: the
    // renewal's answer has fully arrived when the user signs out and in again.
    auto *rede = cliente->findChild<QNetworkAccessManager *>();
    ASSERT_NE(rede, nullptr);
    bool viuARenovacao = false;
    QObject::connect(rede, &QNetworkAccessManager::finished, cliente.get(), [&](QNetworkReply *resposta) {
        if (resposta->url().path() != QLatin1String("/v1/sessao/renovar"))
            return;
        viuARenovacao = resposta->error() == QNetworkReply::NoError;
        cliente->esquecerSessao();
        cliente->guardarSessao(novaEntrada);
    });
    EXPECT_THROW(Testes::executar(cliente->lerConta()), ErroDeCancelamento);
    EXPECT_TRUE(viuARenovacao);
    ASSERT_TRUE(cliente->tokens());
    EXPECT_EQ(cliente->tokens()->tokenDeAcesso, novaEntrada.tokenDeAcesso);
    EXPECT_EQ(cliente->tokens()->tokenDeRenovacao, *novaEntrada.tokenDeRenovacao);
    EXPECT_EQ(sessaoNoChaveiro(), cliente->tokens()->paraDados());
    EXPECT_TRUE(contasRecebidas.isEmpty());
    EXPECT_EQ(encerramentos, 0);
}

TEST_F(SessaoDoCliente, ClienteDestruidoComPedidoEmCursoNaoQuebra)
{
    auto cliente = clienteComSessao();
    servidor.definirAtraso(std::chrono::milliseconds(200));
    auto tarefa = cliente->lerConta();
    cliente.reset();
    EXPECT_THROW(Testes::executar(std::move(tarefa)), ErroDeCancelamento);
}
