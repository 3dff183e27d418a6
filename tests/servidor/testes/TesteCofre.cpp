// The vault by revision: writes checked against the expected revision, tombstones, full and
// incremental reads, and the batch of new items.
#include "Comum.h"

#include <QJsonArray>

namespace {

QJsonObject corpoDoItem(const QString &dados, const QJsonValue &revisaoEsperada)
{
    return {{QStringLiteral("tipo"), QStringLiteral("senha")},
            {QStringLiteral("dados"), dados},
            {QStringLiteral("revisaoEsperada"), revisaoEsperada}};
}

QStringList idsDe(const QJsonObject &respostaDoCofre)
{
    QStringList ids;
    for (const QJsonValue &item : respostaDoCofre.value(QStringLiteral("itens")).toArray())
        ids.append(item[QStringLiteral("id")].toString());
    return ids;
}

} // namespace

TEST_F(ServidorEmTeste, EscritasConferemARevisaoEsperada)
{
    const QString token = tokenDe(contaComSessao(QStringLiteral("eva@exemplo.com")));
    const QString caminho = QStringLiteral("/v1/cofre/itens/item-a");

    RespostaHttp resposta = pedir("PUT", caminho, corpoDoItem(QStringLiteral("v1"), QJsonValue::Null), token);
    ASSERT_EQ(resposta.status, 200) << resposta.corpo.toStdString();
    EXPECT_EQ(resposta.json().value(QStringLiteral("revisao")).toInteger(), 1);
    EXPECT_EQ(resposta.json().value(QStringLiteral("dados")).toString(), QStringLiteral("v1"));
    const QString criadoEm = resposta.json().value(QStringLiteral("criadoEm")).toString();
    EXPECT_FALSE(criadoEm.isEmpty());

    resposta = pedir("PUT", caminho, corpoDoItem(QStringLiteral("v2"), 1), token);
    ASSERT_EQ(resposta.status, 200);
    EXPECT_EQ(resposta.json().value(QStringLiteral("revisao")).toInteger(), 2);
    EXPECT_EQ(resposta.json().value(QStringLiteral("criadoEm")).toString(), criadoEm);

    // A stale revision is refused with the server's current item, and nothing changes.
    resposta = pedir("PUT", caminho, corpoDoItem(QStringLiteral("v3"), 1), token);
    EXPECT_EQ(resposta.status, 409);
    EXPECT_EQ(resposta.erroDoCorpo(), QStringLiteral("conflito-de-revisao"));
    EXPECT_EQ(resposta.json()[QStringLiteral("mensagem")].toString(), QString());
    EXPECT_EQ(resposta.json()[QStringLiteral("item")][QStringLiteral("dados")].toString(), QStringLiteral("v2"));
    resposta = pedir("DELETE", caminho + QStringLiteral("?revisaoEsperada=1"), std::nullopt, token);
    EXPECT_EQ(resposta.status, 409);
    EXPECT_EQ(resposta.json()[QStringLiteral("item")][QStringLiteral("revisao")].toInteger(), 2);
    EXPECT_EQ(estado().contaPorEmail(QStringLiteral("eva@exemplo.com"))->revisao, 2);

    // An expected revision for an item the server never had is a conflict without an item.
    resposta = pedir("PUT", QStringLiteral("/v1/cofre/itens/nunca-existiu"), corpoDoItem(QStringLiteral("x"), 4), token);
    EXPECT_EQ(resposta.status, 409);
    EXPECT_TRUE(resposta.json().value(QStringLiteral("item")).isNull());

    resposta = pedir("DELETE", caminho + QStringLiteral("?revisaoEsperada=2"), std::nullopt, token);
    ASSERT_EQ(resposta.status, 200);
    EXPECT_EQ(resposta.json().value(QStringLiteral("revisao")).toInteger(), 3);
    EXPECT_FALSE(resposta.json().contains(QStringLiteral("dados")));
    EXPECT_TRUE(resposta.json().contains(QStringLiteral("apagadoEm")));
    EXPECT_EQ(pedir("DELETE", caminho + QStringLiteral("?revisaoEsperada=3"), std::nullopt, token).status, 404);

    // The body must carry the key, and the kind must be one of the three.
    QJsonObject semChave = corpoDoItem(QStringLiteral("v"), QJsonValue::Null);
    semChave.remove(QStringLiteral("revisaoEsperada"));
    QJsonObject outroTipo = corpoDoItem(QStringLiteral("v"), QJsonValue::Null);
    outroTipo.insert(QStringLiteral("tipo"), QStringLiteral("cartao"));
    for (const QJsonObject &invalido : {semChave, outroTipo})
        EXPECT_EQ(pedir("PUT", caminho, invalido, token).erroDoCorpo(), QStringLiteral("dados-invalidos"));
}

TEST_F(ServidorEmTeste, LeituraCompletaEIncrementalPorRevisao)
{
    const QString email = QStringLiteral("fabi@exemplo.com");
    const QString token = tokenDe(contaComSessao(email));
    estado().gravarItem(email, QStringLiteral("a"), QStringLiteral("nota"), QStringLiteral("A"));   // 1
    estado().gravarItem(email, QStringLiteral("b"), QStringLiteral("codigo"), QStringLiteral("B")); // 2
    estado().apagarItem(email, QStringLiteral("a"));                                                 // 3
    estado().gravarItem(email, QStringLiteral("c"), QStringLiteral("senha"), QStringLiteral("C"));  // 4

    const RespostaHttp completa = pedir("GET", QStringLiteral("/v1/cofre"), std::nullopt, token);
    ASSERT_EQ(completa.status, 200);
    EXPECT_EQ(completa.json().value(QStringLiteral("revisao")).toInteger(), 4);
    EXPECT_TRUE(completa.json().value(QStringLiteral("completo")).toBool());
    EXPECT_EQ(idsDe(completa.json()), (QStringList{QStringLiteral("b"), QStringLiteral("c")}));

    const RespostaHttp desde2 = pedir("GET", QStringLiteral("/v1/cofre?desde=2"), std::nullopt, token);
    ASSERT_EQ(desde2.status, 200);
    EXPECT_FALSE(desde2.json().value(QStringLiteral("completo")).toBool(true));
    EXPECT_EQ(idsDe(desde2.json()), (QStringList{QStringLiteral("a"), QStringLiteral("c")}));
    EXPECT_TRUE(desde2.json()[QStringLiteral("itens")][0].toObject().contains(QStringLiteral("apagadoEm")));

    EXPECT_TRUE(pedir("GET", QStringLiteral("/v1/cofre?desde=4"), std::nullopt, token).json()[QStringLiteral("itens")].toArray().isEmpty());
    // A client ahead of the server gets the whole vault again.
    const RespostaHttp adiante = pedir("GET", QStringLiteral("/v1/cofre?desde=40"), std::nullopt, token);
    EXPECT_TRUE(adiante.json().value(QStringLiteral("completo")).toBool());
    EXPECT_EQ(idsDe(adiante.json()).size(), 2);
    EXPECT_EQ(pedir("GET", QStringLiteral("/v1/cofre?desde=x"), std::nullopt, token).status, 400);
}

TEST_F(ServidorEmTeste, LoteGravaTudoOuNada)
{
    const QString email = QStringLiteral("gil@exemplo.com");
    const QString token = tokenDe(contaComSessao(email));
    estado().gravarItem(email, QStringLiteral("existente"), QStringLiteral("nota"), QStringLiteral("E"));
    const auto entrada = [](const QString &id) {
        return QJsonObject{{QStringLiteral("id"), id}, {QStringLiteral("tipo"), QStringLiteral("codigo")},
                           {QStringLiteral("dados"), QStringLiteral("envelope-") + id}};
    };

    RespostaHttp resposta = pedir("POST", QStringLiteral("/v1/cofre/lote"),
                                  QJsonObject{{QStringLiteral("itens"), QJsonArray{entrada(QStringLiteral("n1")), entrada(QStringLiteral("existente"))}}},
                                  token);
    EXPECT_EQ(resposta.status, 409);
    EXPECT_EQ(estado().contaPorEmail(email)->revisao, 1);
    EXPECT_FALSE(estado().contaPorEmail(email)->itens.contains(QStringLiteral("n1")));

    resposta = pedir("POST", QStringLiteral("/v1/cofre/lote"),
                     QJsonObject{{QStringLiteral("itens"), QJsonArray{entrada(QStringLiteral("n1")), entrada(QStringLiteral("n2"))}}},
                     token);
    ASSERT_EQ(resposta.status, 200) << resposta.corpo.toStdString();
    EXPECT_EQ(idsDe(resposta.json()), (QStringList{QStringLiteral("n1"), QStringLiteral("n2")}));
    EXPECT_EQ(resposta.json().value(QStringLiteral("revisao")).toInteger(), 3);

    QJsonArray grande;
    for (int i = 0; i < 251; ++i)
        grande.append(entrada(QStringLiteral("g%1").arg(i)));
    EXPECT_EQ(pedir("POST", QStringLiteral("/v1/cofre/lote"), QJsonObject{{QStringLiteral("itens"), grande}}, token).status, 413);
}
