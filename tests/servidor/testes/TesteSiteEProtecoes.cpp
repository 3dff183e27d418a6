// The site's pages, the read deadline, the bounded request log and the field a "dados-invalidos"
// answer names.
#include "Comum.h"

#include <QJsonArray>
#include <QSignalSpy>
#include <QTcpSocket>

using Servidor::ServidorDeDesenvolvimento;

TEST_F(ServidorEmTeste, ManifestoComVersaoAjustavelEPaginasDoSite)
{
    RespostaHttp manifesto = pedir("GET", QStringLiteral("/downloads/mac.json"));
    ASSERT_EQ(manifesto.status, 200);
    EXPECT_EQ(manifesto.json().value(QStringLiteral("versao")).toString(), QStringLiteral(CORVANE_VERSAO));
    EXPECT_EQ(manifesto.json().value(QStringLiteral("url")).toString(),
              servidor.endereco().toString() + QStringLiteral("/downloads/"));

    servidor.site().definirVersaoPublicada(QStringLiteral("9.8.7"));
    manifesto = pedir("GET", QStringLiteral("/downloads/mac.json"));
    EXPECT_EQ(manifesto.json().value(QStringLiteral("versao")).toString(), QStringLiteral("9.8.7"));

    for (const char *caminho : {"/downloads/", "/termos", "/privacidade"}) {
        SCOPED_TRACE(caminho);
        const RespostaHttp pagina = pedir("GET", QString::fromLatin1(caminho));
        EXPECT_EQ(pagina.status, 200);
        EXPECT_TRUE(pagina.tipoDoConteudo.startsWith("text/html"));
        EXPECT_TRUE(pagina.corpo.contains("<h1>"));
    }
    EXPECT_EQ(pedir("POST", QStringLiteral("/termos"), QJsonObject{}).status, 404);
    EXPECT_EQ(pedir("GET", QStringLiteral("/downloads/windows.json")).status, 404);
}

TEST_F(ServidorEmTeste, PedidoCujoCorpoNuncaChegaEFechado)
{
    servidor.definirPrazoDeLeitura(std::chrono::milliseconds(300));
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, servidor.porta());
    ASSERT_TRUE(socket.waitForConnected(5000));
    socket.write("POST /v1/conta/pre-entrada HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: application/json\r\n"
                 "Content-Length: 4096\r\n\r\n{\"email\":");
    QSignalSpy fechado(&socket, &QTcpSocket::disconnected);
    // Generous: the point is that it closes at all.
    EXPECT_TRUE(fechado.wait(10000));
    EXPECT_TRUE(servidor.pedidos().isEmpty());

    // A connection in use keeps working: each answer gives the next request a fresh deadline.
    servidor.definirPrazoDeLeitura(ServidorDeDesenvolvimento::prazoDeLeituraPadrao);
    EXPECT_EQ(pedir("GET", QStringLiteral("/downloads/mac.json")).status, 200);
    EXPECT_EQ(pedir("GET", QStringLiteral("/termos")).status, 200);
}

TEST_F(ServidorEmTeste, RegistroDePedidosTemLimite)
{
    // Large refused requests keep only the start of their bodies.
    const QByteArray grande(4 * 1024 * 1024, 'x');
    const QJsonObject corpo{{QStringLiteral("tipo"), QStringLiteral("nota")},
                            {QStringLiteral("dados"), QString::fromLatin1(grande)},
                            {QStringLiteral("revisaoEsperada"), QJsonValue::Null}};
    const QString token = tokenDe(contaComSessao(QStringLiteral("rui@exemplo.com")));
    servidor.limparPedidos();
    const RespostaHttp recusada = pedir("PUT", QStringLiteral("/v1/cofre/itens/a"), corpo, token);
    EXPECT_EQ(recusada.status, 413);
    ASSERT_EQ(servidor.pedidos().size(), 1);
    EXPECT_EQ(servidor.pedidos().first().corpo.size(), ServidorDeDesenvolvimento::limiteDoCorpoRegistrado);
    EXPECT_GT(servidor.pedidos().first().tamanhoDoCorpo, grande.size());
    EXPECT_TRUE(servidor.pedidos().first().corpoCortado());
    // However many come, the bodies kept stay within their budget.
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(pedir("PUT", QStringLiteral("/v1/cofre/itens/a"), corpo, token).status, 413);
    qsizetype guardados = 0;
    for (const Servidor::PedidoRegistrado &pedido : servidor.pedidos())
        guardados += pedido.corpo.size();
    EXPECT_LE(guardados, ServidorDeDesenvolvimento::limiteDosCorposRegistrados);
    EXPECT_EQ(servidor.pedidos().last().tamanhoDoCorpo, servidor.pedidos().first().tamanhoDoCorpo);

    // Only the latest requests stay.
    servidor.limparPedidos();
    servidor.falharProximas(-1, Servidor::Falha::erro(503, QStringLiteral("ocupado")));
    const qsizetype total = ServidorDeDesenvolvimento::limiteDoRegistro + 5;
    // The client sends over several connections, so requests arrive in no fixed order: the log
    // must keep the latest arrivals.
    QStringList chegadas;
    QObject::connect(&servidor, &ServidorDeDesenvolvimento::pedidoRecebido, &servidor,
                     [&](const Servidor::PedidoRegistrado &pedido) { chegadas.append(pedido.caminho); });
    QNetworkAccessManager rede;
    int respondidos = 0;
    QEventLoop laco;
    for (qsizetype i = 0; i < total; ++i) {
        QNetworkReply *resposta =
            rede.get(QNetworkRequest(servidor.endereco().resolved(QUrl(QStringLiteral("/v1/conta?n=%1").arg(i)))));
        QObject::connect(resposta, &QNetworkReply::finished, &laco, [&, resposta] {
            resposta->deleteLater();
            if (++respondidos == total)
                laco.quit();
        });
    }
    QTimer::singleShot(60000, &laco, &QEventLoop::quit);
    laco.exec();
    ASSERT_EQ(respondidos, total);
    ASSERT_EQ(servidor.pedidos().size(), ServidorDeDesenvolvimento::limiteDoRegistro);
    ASSERT_EQ(chegadas.size(), total);
    QStringList guardadas;
    for (const Servidor::PedidoRegistrado &pedido : servidor.pedidos())
        guardadas.append(pedido.caminho);
    EXPECT_EQ(guardadas, chegadas.mid(total - ServidorDeDesenvolvimento::limiteDoRegistro));
}

TEST_F(ServidorEmTeste, DadosInvalidosDizemQualCampo)
{
    const QString token = tokenDe(contaComSessao(QStringLiteral("sara@exemplo.com")));
    struct Caso {
        const char *metodo;
        QString caminho;
        std::optional<QJsonObject> corpo;
        bool autenticado;
        const char *campo;
    };
    const Caso casos[] = {
        {"POST", QStringLiteral("/v1/conta/pre-entrada"), QJsonObject{}, false, "email"},
        {"POST", QStringLiteral("/v1/conta/pre-entrada"), QJsonObject{{QStringLiteral("email"), QStringLiteral("sem-arroba")}},
         false, "email"},
        {"POST", QStringLiteral("/v1/sessao"), QJsonObject{{QStringLiteral("email"), QStringLiteral("a@b.c")}}, false,
         "prova"},
        {"POST", QStringLiteral("/v1/sessao"),
         QJsonObject{{QStringLiteral("email"), QStringLiteral("a@b.c")},
                     {QStringLiteral("prova"), QStringLiteral("p")},
                     {QStringLiteral("dispositivo"), QJsonObject{{QStringLiteral("nome"), QStringLiteral("n")}}}},
         false, "dispositivo.tipo"},
        {"POST", QStringLiteral("/v1/conta"),
         QJsonObject{{QStringLiteral("nome"), QStringLiteral("n")},
                     {QStringLiteral("sal"), QStringLiteral("s")},
                     {QStringLiteral("kdf"), QJsonObject{{QStringLiteral("algoritmo"), QStringLiteral("argon2id")},
                                                         {QStringLiteral("iteracoes"), 1.5}}}},
         false, "kdf.iteracoes"},
        {"PUT", QStringLiteral("/v1/cofre/itens/x"), QJsonObject{{QStringLiteral("tipo"), QStringLiteral("foto")}}, true,
         "tipo"},
        {"PUT", QStringLiteral("/v1/cofre/itens/x"),
         QJsonObject{{QStringLiteral("tipo"), QStringLiteral("nota")}, {QStringLiteral("dados"), QStringLiteral("d")}},
         true, "revisaoEsperada"},
        {"GET", QStringLiteral("/v1/cofre?desde=-1"), std::nullopt, true, "desde"},
        {"POST", QStringLiteral("/v1/cofre/lote"),
         QJsonObject{{QStringLiteral("itens"),
                      QJsonArray{QJsonObject{{QStringLiteral("id"), QStringLiteral("a")},
                                             {QStringLiteral("tipo"), QStringLiteral("nota")},
                                             {QStringLiteral("dados"), QStringLiteral("d")}},
                                 QJsonObject{{QStringLiteral("id"), QStringLiteral("b")},
                                             {QStringLiteral("tipo"), QStringLiteral("nota")}}}}},
         true, "itens[1].dados"},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.caminho.toStdString() + " " + caso.campo);
        const RespostaHttp resposta =
            pedir(caso.metodo, caso.caminho, caso.corpo, caso.autenticado ? token : QString());
        EXPECT_EQ(resposta.status, 400);
        EXPECT_EQ(resposta.erroDoCorpo(), QStringLiteral("dados-invalidos"));
        EXPECT_EQ(resposta.json().value(QStringLiteral("campo")).toString(), QString::fromLatin1(caso.campo));
        // The client words this code itself.
        EXPECT_TRUE(resposta.json().value(QStringLiteral("mensagem")).toString().isEmpty());
    }
}
