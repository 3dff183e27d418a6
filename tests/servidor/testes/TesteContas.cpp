// Sign-up with an e-mail code, password sign-in, the second factor and social sign-in.
#include "Comum.h"

#include "servidor/Totp.h"

#include <QJsonArray>

using Servidor::NovaConta;

namespace {

QJsonObject kdfDeTeste()
{
    return {{QStringLiteral("algoritmo"), QStringLiteral("argon2id")},
            {QStringLiteral("iteracoes"), 3},
            {QStringLiteral("memoriaKiB"), 65536},
            {QStringLiteral("paralelismo"), 1}};
}

QJsonObject cadastro(const QString &prova)
{
    return {{QStringLiteral("nome"), QStringLiteral("Ana Souza")},
            {QStringLiteral("sal"), QStringLiteral("c2FsLWRlLXRlc3Rl")},
            {QStringLiteral("kdf"), kdfDeTeste()},
            {QStringLiteral("prova"), prova},
            {QStringLiteral("chaveDoCofreProtegida"), QStringLiteral("envelope-da-chave")},
            {QStringLiteral("chaveDoCofreRecuperacao"), QStringLiteral("envelope-de-recuperacao")},
            {QStringLiteral("provaDeRecuperacao"), QStringLiteral("prova-de-recuperacao")},
            {QStringLiteral("dispositivo"), dispositivoDeTeste()}};
}

} // namespace

TEST_F(ServidorEmTeste, CadastroSoComEmailConfirmadoEEntradaPelaProva)
{
    const QString email = QStringLiteral("ana@exemplo.com");
    const QJsonObject pedidoDeCodigo{{QStringLiteral("email"), email}};
    RespostaHttp resposta = pedir("POST", QStringLiteral("/v1/conta/codigo-de-email"), pedidoDeCodigo);
    ASSERT_EQ(resposta.status, 200);
    EXPECT_TRUE(resposta.json().value(QStringLiteral("reenviarEm")).isDouble());
    const std::optional<QString> codigo = estado().codigoDeEmail(email);
    ASSERT_TRUE(codigo.has_value());
    ASSERT_EQ(codigo->size(), 6);

    const QString outroCodigo = *codigo == QLatin1String("000000") ? QStringLiteral("111111") : QStringLiteral("000000");
    resposta = pedir("POST", QStringLiteral("/v1/conta/codigo-de-email/conferir"),
                     QJsonObject{{QStringLiteral("email"), email}, {QStringLiteral("codigo"), outroCodigo}});
    EXPECT_EQ(resposta.status, 400);
    EXPECT_EQ(resposta.erroDoCorpo(), QStringLiteral("codigo-incorreto"));

    // Without a proof of the e-mail, the account is refused.
    QJsonObject corpo = cadastro(QStringLiteral("prova-da-ana"));
    corpo.insert(QStringLiteral("email"), email);
    resposta = pedir("POST", QStringLiteral("/v1/conta"), corpo);
    EXPECT_EQ(resposta.status, 403);
    EXPECT_EQ(resposta.erroDoCorpo(), QStringLiteral("email-nao-confirmado"));

    resposta = pedir("POST", QStringLiteral("/v1/conta/codigo-de-email/conferir"),
                     QJsonObject{{QStringLiteral("email"), email}, {QStringLiteral("codigo"), *codigo}});
    ASSERT_EQ(resposta.status, 200);
    corpo.insert(QStringLiteral("comprovanteDeEmail"), resposta.json().value(QStringLiteral("comprovanteDeEmail")));
    resposta = pedir("POST", QStringLiteral("/v1/conta"), corpo);
    ASSERT_EQ(resposta.status, 201) << resposta.corpo.toStdString();
    const QJsonObject conta = resposta.json().value(QStringLiteral("conta")).toObject();
    EXPECT_EQ(conta.value(QStringLiteral("email")).toString(), email);
    EXPECT_EQ(conta.value(QStringLiteral("kdf")).toObject(), kdfDeTeste());
    EXPECT_FALSE(conta.value(QStringLiteral("autenticadorLigado")).toBool(true));
    EXPECT_FALSE(resposta.json().value(QStringLiteral("tokenDeRenovacao")).toString().isEmpty());
    // The expiry is an ISO 8601 text with a zone.
    const QString expiraEm = resposta.json().value(QStringLiteral("expiraEm")).toString();
    EXPECT_TRUE(expiraEm.endsWith(QLatin1Char('Z'))) << expiraEm.toStdString();
    EXPECT_TRUE(QDateTime::fromString(expiraEm, Qt::ISODateWithMs).isValid());

    // The same e-mail cannot be used twice; the code was used up with the first account.
    resposta = pedir("POST", QStringLiteral("/v1/conta"), corpo);
    EXPECT_EQ(resposta.status, 409);
    EXPECT_EQ(resposta.erroDoCorpo(), QStringLiteral("email-em-uso"));

    // The proofs are kept only as hashes.
    const std::optional<Servidor::ContaNoServidor> guardada = estado().contaPorEmail(email);
    ASSERT_TRUE(guardada.has_value());
    EXPECT_FALSE(guardada->hashDaProva.contains("prova-da-ana"));
    EXPECT_TRUE(estado().conferirProvaDeRecuperacao(email, QStringLiteral("prova-de-recuperacao")));
    EXPECT_FALSE(estado().conferirProvaDeRecuperacao(email, QStringLiteral("prova-da-ana")));
    EXPECT_EQ(guardada->chaveDoCofreRecuperacao, QStringLiteral("envelope-de-recuperacao"));

    resposta = pedir("POST", QStringLiteral("/v1/conta/pre-entrada"), pedidoDeCodigo);
    ASSERT_EQ(resposta.status, 200);
    EXPECT_EQ(resposta.json().value(QStringLiteral("sal")).toString(), QStringLiteral("c2FsLWRlLXRlc3Rl"));

    resposta = entrar(email, QStringLiteral("prova-errada"));
    EXPECT_EQ(resposta.status, 401);
    EXPECT_EQ(resposta.erroDoCorpo(), QStringLiteral("credenciais-invalidas"));
    resposta = entrar(email, QStringLiteral("prova-da-ana"));
    ASSERT_EQ(resposta.status, 200);
    const RespostaHttp lida = pedir("GET", QStringLiteral("/v1/conta"), std::nullopt, tokenDe(resposta.json()));
    ASSERT_EQ(lida.status, 200);
    EXPECT_EQ(lida.json().value(QStringLiteral("id")).toString(), guardada->id);
}

TEST_F(ServidorEmTeste, CodigoDeEmailVenceDepoisDeTentativasErradas)
{
    const QString email = QStringLiteral("bia@exemplo.com");
    ASSERT_EQ(pedir("POST", QStringLiteral("/v1/conta/codigo-de-email"), QJsonObject{{QStringLiteral("email"), email}}).status, 200);
    const QString certo = *estado().codigoDeEmail(email);
    const QString errado = certo == QLatin1String("999999") ? QStringLiteral("123456") : QStringLiteral("999999");
    const QJsonObject tentativa{{QStringLiteral("email"), email}, {QStringLiteral("codigo"), errado}};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(pedir("POST", QStringLiteral("/v1/conta/codigo-de-email/conferir"), tentativa).status, 400);
    EXPECT_EQ(pedir("POST", QStringLiteral("/v1/conta/codigo-de-email/conferir"), tentativa).erroDoCorpo(),
              QStringLiteral("codigo-vencido"));
    const RespostaHttp depois = pedir("POST", QStringLiteral("/v1/conta/codigo-de-email/conferir"),
                                      QJsonObject{{QStringLiteral("email"), email}, {QStringLiteral("codigo"), certo}});
    EXPECT_EQ(depois.status, 410);
    EXPECT_EQ(depois.erroDoCorpo(), QStringLiteral("codigo-vencido"));
}

TEST(TotpDoServidor, VetoresDaRfc6238EmSeisDigitos)
{
    const QByteArray segredo("12345678901234567890");
    const struct {
        qint64 segundos;
        const char *codigo;
    } casos[] = {{59, "287082"}, {1111111109, "081804"}, {1234567890, "005924"}, {2000000000, "279037"}};
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.segundos);
        const QDateTime instante = QDateTime::fromSecsSinceEpoch(caso.segundos, Qt::UTC);
        EXPECT_EQ(Servidor::codigoTotp(segredo, instante), QLatin1String(caso.codigo));
        EXPECT_TRUE(Servidor::conferirTotp(segredo, QLatin1String(caso.codigo), instante.addSecs(30)));
        EXPECT_FALSE(Servidor::conferirTotp(segredo, QLatin1String(caso.codigo), instante.addSecs(90)));
    }
}

TEST_F(ServidorEmTeste, AutenticadorLigadoExigeOCodigoAtual)
{
    const QString email = QStringLiteral("caio@exemplo.com");
    contaComSessao(email);
    const QDateTime fixo = QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC);
    estado().definirRelogio([fixo] { return fixo; });
    const QByteArray segredo = estado().ligarAutenticador(email);
    ASSERT_EQ(segredo.size(), 20);
    EXPECT_EQ(estado().codigoDoAutenticador(email), Servidor::codigoTotp(segredo, fixo));

    const QString codigo = estado().codigoDoAutenticador(email);
    const QString errado = QStringLiteral("%1").arg((codigo.toInt() + 1) % 1000000, 6, 10, QLatin1Char('0'));
    for (const std::optional<QString> &enviado : {std::optional<QString>{}, std::optional<QString>{errado}}) {
        SCOPED_TRACE(enviado.value_or(QStringLiteral("(sem código)")).toStdString());
        const RespostaHttp resposta = entrar(email, QStringLiteral("prova-certa"), enviado);
        EXPECT_EQ(resposta.status, 401);
        EXPECT_EQ(resposta.erroDoCorpo(), QStringLiteral("autenticador-necessario"));
    }
    // A wrong proof is told apart from a missing second factor.
    EXPECT_EQ(entrar(email, QStringLiteral("prova-errada"), codigo).erroDoCorpo(), QStringLiteral("credenciais-invalidas"));
    const RespostaHttp certa = entrar(email, QStringLiteral("prova-certa"), codigo);
    ASSERT_EQ(certa.status, 200);
    EXPECT_TRUE(certa.json().value(QStringLiteral("conta")).toObject().value(QStringLiteral("autenticadorLigado")).toBool());
}

TEST_F(ServidorEmTeste, IdentidadeSocialCriaContaEDepoisEntraNela)
{
    const QString email = QStringLiteral("duda@exemplo.com");
    const QString identidade = estado().cunharTokenDeIdentidade(QStringLiteral("apple"), email, QStringLiteral("n-1"));
    const auto social = [&](const QString &provedor, const QString &nonce) {
        return pedir("POST", QStringLiteral("/v1/conta/social"),
                     QJsonObject{{QStringLiteral("provedor"), provedor},
                                 {QStringLiteral("tokenDeIdentidade"), identidade},
                                 {QStringLiteral("nonce"), nonce}});
    };
    EXPECT_EQ(social(QStringLiteral("apple"), QStringLiteral("outro")).status, 401);
    EXPECT_EQ(social(QStringLiteral("google"), QStringLiteral("n-1")).status, 401);

    RespostaHttp resposta = social(QStringLiteral("apple"), QStringLiteral("n-1"));
    ASSERT_EQ(resposta.status, 200);
    EXPECT_EQ(resposta.json().value(QStringLiteral("situacao")).toString(), QStringLiteral("nova"));
    EXPECT_EQ(resposta.json().value(QStringLiteral("email")).toString(), email);
    EXPECT_FALSE(resposta.json().contains(QStringLiteral("sal")));

    QJsonObject corpo = cadastro(QStringLiteral("prova-da-duda"));
    corpo.insert(QStringLiteral("tokenSocial"), resposta.json().value(QStringLiteral("tokenSocial")));
    resposta = pedir("POST", QStringLiteral("/v1/conta"), corpo);
    ASSERT_EQ(resposta.status, 201) << resposta.corpo.toStdString();
    const QJsonArray vinculos = resposta.json()[QStringLiteral("conta")][QStringLiteral("vinculos")].toArray();
    ASSERT_EQ(vinculos.size(), 1);
    EXPECT_EQ(vinculos.at(0)[QStringLiteral("provedor")].toString(), QStringLiteral("apple"));

    resposta = social(QStringLiteral("apple"), QStringLiteral("n-1"));
    ASSERT_EQ(resposta.status, 200);
    EXPECT_EQ(resposta.json().value(QStringLiteral("situacao")).toString(), QStringLiteral("existente"));
    EXPECT_TRUE(resposta.json().value(QStringLiteral("kdf")).isObject());

    QJsonObject entrada{{QStringLiteral("tokenSocial"), resposta.json().value(QStringLiteral("tokenSocial"))},
                        {QStringLiteral("prova"), QStringLiteral("prova-da-duda")},
                        {QStringLiteral("dispositivo"), dispositivoDeTeste()}};
    EXPECT_EQ(pedir("POST", QStringLiteral("/v1/sessao"), entrada).status, 200);
    // A social sign-in carries no e-mail: a client that sends one is told so.
    entrada.insert(QStringLiteral("email"), email);
    EXPECT_EQ(pedir("POST", QStringLiteral("/v1/sessao"), entrada).erroDoCorpo(), QStringLiteral("dados-invalidos"));
}
