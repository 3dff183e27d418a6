// Fault injection, delayed answers, dropped connections and the request log.
#include "Comum.h"

#include <QElapsedTimer>
#include <QTimer>

using Servidor::Falha;

TEST_F(ServidorEmTeste, FalhasValemParaOsPedidosEscolhidosSemMudarOEstado)
{
    const QString email = QStringLiteral("malu@exemplo.com");
    const QString token = tokenDe(contaComSessao(email));
    servidor.falharProximas(2, Falha::paginaHtml(502), QStringLiteral("PUT"), QStringLiteral("/v1/cofre/itens/"));
    const QJsonObject corpo{{QStringLiteral("tipo"), QStringLiteral("nota")},
                            {QStringLiteral("dados"), QStringLiteral("d")},
                            {QStringLiteral("revisaoEsperada"), QJsonValue::Null}};

    // Other requests pass untouched.
    EXPECT_EQ(pedir("GET", QStringLiteral("/v1/cofre"), std::nullopt, token).status, 200);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const RespostaHttp resposta = pedir("PUT", QStringLiteral("/v1/cofre/itens/x"), corpo, token);
        EXPECT_EQ(resposta.status, 502);
        EXPECT_TRUE(resposta.tipoDoConteudo.startsWith("text/html"));
        EXPECT_TRUE(resposta.corpo.startsWith("<html>"));
    }
    EXPECT_EQ(estado().contaPorEmail(email)->revisao, 0);
    EXPECT_EQ(pedir("PUT", QStringLiteral("/v1/cofre/itens/x"), corpo, token).status, 200);

    servidor.falharProximas(1, Falha::erro(429, QStringLiteral("muitas-tentativas"), QStringLiteral("Calma.")));
    const RespostaHttp limitada = pedir("GET", QStringLiteral("/v1/conta"), std::nullopt, token);
    EXPECT_EQ(limitada.status, 429);
    EXPECT_EQ(limitada.erroDoCorpo(), QStringLiteral("muitas-tentativas"));
    EXPECT_EQ(limitada.json()[QStringLiteral("mensagem")].toString(), QStringLiteral("Calma."));

    EXPECT_THROW(servidor.falharProximas(1, Falha::bruta(777, {})), std::invalid_argument);
}

TEST_F(ServidorEmTeste, ConexaoDerrubadaNaoDaRespostaHttp)
{
    const QString token = tokenDe(contaComSessao(QStringLiteral("nina@exemplo.com")));
    // The network layer may resend a request whose connection dropped, so drop every attempt.
    servidor.falharProximas(-1, Falha::conexaoDerrubada(), QStringLiteral("GET"));
    servidor.limparPedidos();
    const RespostaHttp resposta = pedir("GET", QStringLiteral("/v1/cofre"), std::nullopt, token);
    EXPECT_EQ(resposta.status, 0);
    EXPECT_EQ(resposta.erro, QNetworkReply::RemoteHostClosedError);
    EXPECT_GE(servidor.pedidos().size(), 1);
    EXPECT_EQ(pedir("POST", QStringLiteral("/v1/sessao/renovar"), QJsonObject{{QStringLiteral("tokenDeRenovacao"), QStringLiteral("r")}}).status, 401);
    servidor.limparFalhas();
    EXPECT_EQ(pedir("GET", QStringLiteral("/v1/cofre"), std::nullopt, token).status, 200);
}

TEST_F(ServidorEmTeste, AtrasoNaoPrendeOLacoDeEventos)
{
    const QString token = tokenDe(contaComSessao(QStringLiteral("otto@exemplo.com")));
    // Whether the event loop ran between a request's arrival and its answer: a zero-time timer
    // started on arrival has fired by the answer only when the answer waited in the loop.
    bool lacoRodou = false;
    QList<bool> rodouAntesDaResposta;
    QObject::connect(&servidor, &Servidor::ServidorDeDesenvolvimento::pedidoRecebido, &servidor, [&] {
        lacoRodou = false;
        QTimer::singleShot(0, &servidor, [&] { lacoRodou = true; });
    });
    QObject::connect(&servidor, &Servidor::ServidorDeDesenvolvimento::pedidoConcluido, &servidor,
                     [&] { rodouAntesDaResposta.append(lacoRodou); });

    servidor.definirAtraso(std::chrono::milliseconds(300));
    QElapsedTimer relogio;
    relogio.start();
    EXPECT_EQ(pedir("GET", QStringLiteral("/v1/conta"), std::nullopt, token).status, 200);
    EXPECT_GE(relogio.elapsed(), 290); // a delay is a lower bound, which load cannot break
    servidor.limparFalhas();
    EXPECT_EQ(pedir("GET", QStringLiteral("/v1/conta"), std::nullopt, token).status, 200);
    EXPECT_EQ(rodouAntesDaResposta, (QList<bool>{true, false}));
}

TEST_F(ServidorEmTeste, ClienteQueDesisteDuranteOAtrasoNaoDerrubaOServidor)
{
    const QString token = tokenDe(contaComSessao(QStringLiteral("quim@exemplo.com")));
    servidor.definirAtraso(std::chrono::milliseconds(200));
    {
        QNetworkAccessManager rede;
        QNetworkRequest pedido(servidor.endereco().resolved(QUrl(QStringLiteral("/v1/conta"))));
        pedido.setRawHeader("Authorization", "Bearer " + token.toUtf8());
        QNetworkReply *resposta = rede.get(pedido);
        QEventLoop laco;
        QTimer::singleShot(50, &laco, &QEventLoop::quit);
        laco.exec();
        resposta->abort();
        delete resposta;
    } // the manager and its connection are gone before the answer is due
    QEventLoop espera;
    QTimer::singleShot(300, &espera, &QEventLoop::quit);
    espera.exec();
    servidor.limparFalhas();
    EXPECT_EQ(pedir("GET", QStringLiteral("/v1/conta"), std::nullopt, token).status, 200);
}

TEST_F(ServidorEmTeste, RegistroGuardaMetodoCaminhoCabecalhosECorpo)
{
    const QString token = tokenDe(contaComSessao(QStringLiteral("paulo@exemplo.com")));
    servidor.limparPedidos();
    pedir("GET", QStringLiteral("/v1/cofre?desde=7"), std::nullopt, token);
    pedir("POST", QStringLiteral("/v1/sessao/renovar"), QJsonObject{{QStringLiteral("tokenDeRenovacao"), QStringLiteral("r")}});

    ASSERT_EQ(servidor.pedidos().size(), 2);
    const Servidor::PedidoRegistrado &leitura = servidor.pedidos().at(0);
    EXPECT_EQ(leitura.metodo, QStringLiteral("GET"));
    EXPECT_EQ(leitura.caminho, QStringLiteral("/v1/cofre?desde=7"));
    EXPECT_EQ(leitura.cabecalho("authorization"), "Bearer " + token.toUtf8());
    EXPECT_TRUE(leitura.corpo.isEmpty());
    const QList<Servidor::PedidoRegistrado> renovacoes = servidor.pedidos(QStringLiteral("POST"), QStringLiteral("/v1/sessao/renovar"));
    ASSERT_EQ(renovacoes.size(), 1);
    EXPECT_EQ(renovacoes.at(0).json().value(QStringLiteral("tokenDeRenovacao")).toString(), QStringLiteral("r"));
    EXPECT_TRUE(renovacoes.at(0).cabecalho("Authorization").isEmpty());
    EXPECT_EQ(renovacoes.at(0).cabecalho("Content-Type"), "application/json");
}
