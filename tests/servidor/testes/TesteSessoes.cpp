// Sessions: bearer tokens, their lifetime, renewal with rotation, revocation and sign-out.
#include "Comum.h"

namespace {

QJsonObject renovacao(const QString &token)
{
    return {{QStringLiteral("tokenDeRenovacao"), token}};
}

QString renovacaoDe(const QJsonObject &sessao)
{
    return sessao.value(QStringLiteral("tokenDeRenovacao")).toString();
}

} // namespace

TEST_F(ServidorEmTeste, PedidosSemTokenValidoSaoNaoAutenticados)
{
    const QString token = tokenDe(contaComSessao(QStringLiteral("hugo@exemplo.com")));
    for (const QString &enviado : {QString(), QStringLiteral("acesso-inventado")}) {
        SCOPED_TRACE(enviado.toStdString());
        const RespostaHttp resposta = pedir("GET", QStringLiteral("/v1/cofre"), std::nullopt, enviado);
        EXPECT_EQ(resposta.status, 401);
        EXPECT_EQ(resposta.erroDoCorpo(), QStringLiteral("nao-autenticado"));
    }
    ASSERT_EQ(pedir("GET", QStringLiteral("/v1/cofre"), std::nullopt, token).status, 200);
    estado().expirarTokensDeAcesso();
    EXPECT_EQ(pedir("GET", QStringLiteral("/v1/cofre"), std::nullopt, token).erroDoCorpo(), QStringLiteral("nao-autenticado"));

    // A shortened lifetime applies to the tokens issued afterwards.
    estado().definirDuracaoDoAcesso(std::chrono::seconds(0));
    const RespostaHttp curta = entrar(QStringLiteral("hugo@exemplo.com"), QStringLiteral("prova-certa"));
    EXPECT_EQ(pedir("GET", QStringLiteral("/v1/conta"), std::nullopt, tokenDe(curta.json())).status, 401);
}

TEST_F(ServidorEmTeste, RenovacaoGiraOTokenEReusoEncerraASessao)
{
    const QJsonObject sessao = contaComSessao(QStringLiteral("iris@exemplo.com"));
    estado().expirarTokensDeAcesso();

    const RespostaHttp renovada = pedir("POST", QStringLiteral("/v1/sessao/renovar"), renovacao(renovacaoDe(sessao)));
    ASSERT_EQ(renovada.status, 200) << renovada.corpo.toStdString();
    EXPECT_NE(renovacaoDe(renovada.json()), renovacaoDe(sessao));
    EXPECT_NE(tokenDe(renovada.json()), tokenDe(sessao));
    EXPECT_EQ(renovada.json()[QStringLiteral("conta")][QStringLiteral("email")].toString(), QStringLiteral("iris@exemplo.com"));
    EXPECT_EQ(pedir("GET", QStringLiteral("/v1/conta"), std::nullopt, tokenDe(renovada.json())).status, 200);

    EXPECT_EQ(pedir("POST", QStringLiteral("/v1/sessao/renovar"), renovacao(QStringLiteral("renovacao-inventada"))).status, 401);

    // The rotated-out token used again: refused, and the whole session ends.
    const RespostaHttp reuso = pedir("POST", QStringLiteral("/v1/sessao/renovar"), renovacao(renovacaoDe(sessao)));
    EXPECT_EQ(reuso.status, 403);
    EXPECT_EQ(pedir("GET", QStringLiteral("/v1/conta"), std::nullopt, tokenDe(renovada.json())).status, 401);
    EXPECT_EQ(pedir("POST", QStringLiteral("/v1/sessao/renovar"), renovacao(renovacaoDe(renovada.json()))).status, 403);
    EXPECT_EQ(estado().sessoesAtivas(QStringLiteral("iris@exemplo.com")), 0);
}

TEST_F(ServidorEmTeste, SaidaERevogacaoEncerramSoAsSessoesDaConta)
{
    const QJsonObject primeira = contaComSessao(QStringLiteral("joao@exemplo.com"));
    const QJsonObject segunda = entrar(QStringLiteral("joao@exemplo.com"), QStringLiteral("prova-certa")).json();
    const QJsonObject outra = contaComSessao(QStringLiteral("lia@exemplo.com"));
    ASSERT_EQ(estado().sessoesAtivas(QStringLiteral("joao@exemplo.com")), 2);

    EXPECT_EQ(pedir("DELETE", QStringLiteral("/v1/sessao"), std::nullopt, tokenDe(primeira)).status, 204);
    EXPECT_EQ(pedir("GET", QStringLiteral("/v1/conta"), std::nullopt, tokenDe(primeira)).status, 401);
    EXPECT_EQ(pedir("POST", QStringLiteral("/v1/sessao/renovar"), renovacao(renovacaoDe(primeira))).status, 403);
    EXPECT_EQ(pedir("GET", QStringLiteral("/v1/conta"), std::nullopt, tokenDe(segunda)).status, 200);

    estado().revogarSessoes(QStringLiteral("joao@exemplo.com"));
    EXPECT_EQ(pedir("POST", QStringLiteral("/v1/sessao/renovar"), renovacao(renovacaoDe(segunda))).status, 403);
    EXPECT_EQ(pedir("GET", QStringLiteral("/v1/conta"), std::nullopt, tokenDe(outra)).status, 200);
}
