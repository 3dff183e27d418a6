// A session lifetime set on the server: the session ends at its term, renewal included.
#include "Comum.h"

TEST_F(ServidorEmTeste, SessaoComDuracaoTerminaNoPrazoMesmoRenovada)
{
    QDateTime agora = QDateTime::currentDateTimeUtc();
    estado().definirRelogio([&agora] { return agora; });
    estado().definirDuracaoDaSessao(std::chrono::seconds(60));
    const QJsonObject sessao = contaComSessao(QStringLiteral("jo@exemplo.com"));
    // The access token lives no longer than the session.
    EXPECT_LE(QDateTime::fromString(sessao.value(QStringLiteral("expiraEm")).toString(), Qt::ISODate),
              agora.addSecs(60));

    agora = agora.addSecs(59);
    const QJsonObject pedido{{QStringLiteral("tokenDeRenovacao"), sessao.value(QStringLiteral("tokenDeRenovacao"))}};
    const RespostaHttp renovada = pedir("POST", QStringLiteral("/v1/sessao/renovar"), pedido);
    ASSERT_EQ(renovada.status, 200);
    EXPECT_EQ(pedir("GET", QStringLiteral("/v1/conta"), std::nullopt, tokenDe(renovada.json())).status, 200);

    agora = agora.addSecs(2);
    EXPECT_EQ(pedir("GET", QStringLiteral("/v1/conta"), std::nullopt, tokenDe(renovada.json())).status, 401);
    const QJsonObject outra{{QStringLiteral("tokenDeRenovacao"), renovada.json().value(QStringLiteral("tokenDeRenovacao"))}};
    EXPECT_EQ(pedir("POST", QStringLiteral("/v1/sessao/renovar"), outra).status, 401);
    EXPECT_EQ(estado().sessoesAtivas(QStringLiteral("jo@exemplo.com")), 0);

    // Without a lifetime, sessions last until they are ended.
    estado().definirDuracaoDaSessao(std::nullopt);
    const QJsonObject longa = contaComSessao(QStringLiteral("lu@exemplo.com"));
    agora = agora.addDays(30);
    estado().expirarTokensDeAcesso();
    const QJsonObject renovar{{QStringLiteral("tokenDeRenovacao"), longa.value(QStringLiteral("tokenDeRenovacao"))}};
    EXPECT_EQ(pedir("POST", QStringLiteral("/v1/sessao/renovar"), renovar).status, 200);
}
