// The JSON of every wire body and of the stored session tokens.
#include "api/ClienteDaAPI.h"
#include "api/Corpos.h"
#include "api/Respostas.h"
#include "api/TokensGuardados.h"

#include <gtest/gtest.h>

#include <QSet>

namespace {

QByteArray texto(const ValorJSON &valor)
{
    return valor.escritoEmUTF8();
}

ValorJSON json(const QByteArray &bytes)
{
    return CodificacaoJSON::lerDocumento(bytes);
}

const Dispositivo dispositivo{QStringLiteral("Mac da Ana"), QStringLiteral("macos")};

const QByteArray contaJson =
    R"({"id":"c1","email":"ana@exemplo.com","nome":"Ana","sal":"c2Fs",)"
    R"("kdf":{"algoritmo":"argon2id","iteracoes":3,"memoriaKiB":65536,"paralelismo":1},)"
    R"("chaveDoCofreProtegida":"v1.a.b","autenticadorLigado":false,"criadaEm":"2025-01-01T00:00:00.000Z"})";

} // namespace

TEST(CorposDeEnvio, EntradaSemOpcionaisTemSoProvaEDispositivo)
{
    const CorpoDeEntrada corpo{std::nullopt, std::nullopt, QStringLiteral("prova"), std::nullopt, dispositivo};
    EXPECT_EQ(texto(corpo.paraJSON()),
              QByteArray(R"({"prova":"prova","dispositivo":{"nome":"Mac da Ana","tipo":"macos"}})"));
}

TEST(CorposDeEnvio, EntradaCompletaNaOrdemDosCampos)
{
    const CorpoDeEntrada corpo{QStringLiteral("a@b.c"), QStringLiteral("s"), QStringLiteral("p"),
                               QStringLiteral("123456"), dispositivo};
    EXPECT_EQ(texto(corpo.paraJSON()),
              QByteArray(R"({"email":"a@b.c","tokenSocial":"s","prova":"p","codigoDoAutenticador":"123456",)"
                         R"("dispositivo":{"nome":"Mac da Ana","tipo":"macos"}})"));
}

TEST(CorposDeEnvio, CadastroSocialNaoTemEmailNemComprovante)
{
    CorpoDeCadastro corpo;
    corpo.tokenSocial = QStringLiteral("social-1");
    corpo.nome = QStringLiteral("Ana");
    corpo.sal = QStringLiteral("sal");
    corpo.kdf = ParametrosKdf::padrao();
    corpo.prova = QStringLiteral("p");
    corpo.chaveDoCofreProtegida = QStringLiteral("v1.x.y");
    corpo.chaveDoCofreRecuperacao = QStringLiteral("v1.z.w");
    corpo.provaDeRecuperacao = QStringLiteral("r");
    corpo.dispositivo = dispositivo;
    EXPECT_EQ(texto(corpo.paraJSON()),
              QByteArray(R"({"tokenSocial":"social-1","nome":"Ana","sal":"sal",)"
                         R"("kdf":{"algoritmo":"argon2id","iteracoes":3,"memoriaKiB":65536,"paralelismo":1},)"
                         R"("prova":"p","chaveDoCofreProtegida":"v1.x.y","chaveDoCofreRecuperacao":"v1.z.w",)"
                         R"("provaDeRecuperacao":"r","dispositivo":{"nome":"Mac da Ana","tipo":"macos"}})"));

    corpo.tokenSocial.reset();
    corpo.email = QStringLiteral("ana@exemplo.com");
    corpo.comprovanteDeEmail = QStringLiteral("comprovante");
    EXPECT_TRUE(
        texto(corpo.paraJSON()).startsWith(R"({"email":"ana@exemplo.com","comprovanteDeEmail":"comprovante","nome")"));
}

TEST(CorposDeEnvio, ItemSempreEscreveRevisaoEsperada)
{
    CorpoDoItem corpo{TipoDeItem::senha, QStringLiteral("v1.n.c"), std::nullopt};
    EXPECT_EQ(texto(corpo.paraJSON()), QByteArray(R"({"tipo":"senha","dados":"v1.n.c","revisaoEsperada":null})"));
    corpo.revisaoEsperada = 42;
    corpo.tipo = TipoDeItem::nota;
    EXPECT_EQ(texto(corpo.paraJSON()), QByteArray(R"({"tipo":"nota","dados":"v1.n.c","revisaoEsperada":42})"));
}

TEST(CorposDeEnvio, SocialELoteNaOrdemDosCampos)
{
    EXPECT_EQ(texto(CorpoSocial{QStringLiteral("apple"), QStringLiteral("id-token"), std::nullopt}.paraJSON()),
              QByteArray(R"({"provedor":"apple","tokenDeIdentidade":"id-token"})"));
    EXPECT_EQ(texto(CorpoSocial{QStringLiteral("google"), QStringLiteral("t"), QStringLiteral("n")}.paraJSON()),
              QByteArray(R"({"provedor":"google","tokenDeIdentidade":"t","nonce":"n"})"));
    const CorpoDoLote lote{{ItemDoLote{QStringLiteral("b"), TipoDeItem::codigo, QStringLiteral("d1")},
                            ItemDoLote{QStringLiteral("a"), TipoDeItem::senha, QStringLiteral("d2")}}};
    EXPECT_EQ(texto(lote.paraJSON()), QByteArray(R"({"itens":[{"id":"b","tipo":"codigo","dados":"d1"},)"
                                                 R"({"id":"a","tipo":"senha","dados":"d2"}]})"));
    EXPECT_EQ(texto(CorpoDoLote{}.paraJSON()), QByteArray(R"({"itens":[]})"));
    EXPECT_EQ(texto(Vazio{}.paraJSON()), QByteArray("{}"));
}

TEST(CorposDeEnvio, DispositivoIdaEVolta)
{
    EXPECT_EQ(Dispositivo::deJSON(dispositivo.paraJSON()), dispositivo);
    EXPECT_THROW(static_cast<void>(Dispositivo::deJSON(json(R"({"nome":"Mac"})"))), ErroDeDecodificacao);
}

TEST(Respostas, SessaoSemRenovacaoLeMasSemContaNao)
{
    const auto resposta = RespostaDeSessao::deJSON(
        json(R"({"tokenDeAcesso":"a","expiraEm":"2025-01-01T00:15:00Z","extra":[1,2],"conta":)" + contaJson + "}"));
    EXPECT_EQ(resposta.tokenDeAcesso, QStringLiteral("a"));
    EXPECT_EQ(resposta.expiraEm, QStringLiteral("2025-01-01T00:15:00Z"));
    EXPECT_FALSE(resposta.tokenDeRenovacao);
    EXPECT_EQ(resposta.conta.email, QStringLiteral("ana@exemplo.com"));

    const auto nula = RespostaDeSessao::deJSON(
        json(R"({"tokenDeAcesso":"a","expiraEm":"x","tokenDeRenovacao":null,"conta":)" + contaJson + "}"));
    EXPECT_FALSE(nula.tokenDeRenovacao);

    for (const QByteArray &corpo : {QByteArray(R"({"tokenDeAcesso":"a","expiraEm":"x"})"),
                                    QByteArray(R"({"tokenDeAcesso":"a","expiraEm":"x","conta":null})"),
                                    QByteArray(R"({"tokenDeAcesso":"a","expiraEm":5,"conta":)" + contaJson + "}"),
                                    QByteArray(R"({"expiraEm":"x","conta":)" + contaJson + "}")}) {
        SCOPED_TRACE(corpo.toStdString());
        EXPECT_THROW(static_cast<void>(RespostaDeSessao::deJSON(json(corpo))), ErroDeDecodificacao);
    }
}

TEST(Respostas, CofreComCompletoAusenteOuNulo)
{
    const QByteArray item =
        R"({"id":"i1","tipo":"nota","dados":"v1.a.b","revisao":3,"criadoEm":"c","atualizadoEm":"u"})";
    const auto semFlag = RespostaDoCofre::deJSON(json(R"({"revisao":3,"itens":[)" + item + "]}"));
    EXPECT_EQ(semFlag.revisao, 3);
    EXPECT_FALSE(semFlag.completo);
    ASSERT_EQ(semFlag.itens.size(), 1);
    EXPECT_EQ(semFlag.itens[0].id, QStringLiteral("i1"));
    EXPECT_EQ(semFlag.itens[0].tipo, TipoDeItem::nota);

    EXPECT_FALSE(RespostaDoCofre::deJSON(json(R"({"revisao":0,"completo":null,"itens":[]})")).completo);
    EXPECT_EQ(RespostaDoCofre::deJSON(json(R"({"revisao":0,"completo":true,"itens":[]})")).completo, true);

    for (const QByteArray &corpo :
         {QByteArray(R"({"completo":true,"itens":[]})"), QByteArray(R"({"revisao":1.5,"itens":[]})"),
          QByteArray(R"({"revisao":1})"), QByteArray(R"({"revisao":1,"itens":[5]})"),
          QByteArray(R"({"revisao":1,"completo":"sim","itens":[]})")}) {
        SCOPED_TRACE(corpo.toStdString());
        EXPECT_THROW(static_cast<void>(RespostaDoCofre::deJSON(json(corpo))), ErroDeDecodificacao);
    }
}

TEST(Respostas, SocialIgnoraNomeSugeridoDoJSON)
{
    const auto nova =
        RespostaSocial::deJSON(json(R"({"situacao":"nova","email":"a@b.c","tokenSocial":"s","nomeSugerido":"Ana"})"));
    EXPECT_EQ(nova.situacao, QStringLiteral("nova"));
    EXPECT_FALSE(nova.nomeSugerido);
    EXPECT_FALSE(nova.sal);
    EXPECT_FALSE(nova.kdf);

    const auto existente = RespostaSocial::deJSON(
        json(R"({"situacao":"existente","email":"a@b.c","tokenSocial":"s","sal":"x",)"
             R"("kdf":{"algoritmo":"argon2id","iteracoes":4,"memoriaKiB":65536,"paralelismo":2}})"));
    ASSERT_TRUE(existente.kdf);
    EXPECT_EQ(existente.kdf->iteracoes, 4);
    EXPECT_EQ(existente.sal, QStringLiteral("x"));

    EXPECT_THROW(static_cast<void>(RespostaSocial::deJSON(json(R"({"situacao":"nova","email":"a@b.c"})"))),
                 ErroDeDecodificacao);
}

TEST(Respostas, SocialComparaEEspalhaTodosOsCampos)
{
    RespostaSocial a{QStringLiteral("nova"), QStringLiteral("a@b.c"), std::nullopt,
                     std::nullopt,           QStringLiteral("s"),     std::nullopt};
    RespostaSocial b = a;
    EXPECT_EQ(a, b);
    EXPECT_EQ(qHash(a), qHash(b));
    b.nomeSugerido = QStringLiteral("Ana");
    EXPECT_NE(a, b);
    RespostaSocial c = a;
    c.sal = QString(); // an empty salt differs from none
    EXPECT_NE(a, c);
    QSet<RespostaSocial> conjunto{a, b, c};
    EXPECT_EQ(conjunto.size(), 3);
}

TEST(Respostas, PequenasRespostasExigemSuasChaves)
{
    EXPECT_EQ(RespostaDoCodigoDeEmail::deJSON(json(R"({"reenviarEm":60})")).reenviarEm, 60);
    EXPECT_THROW(static_cast<void>(RespostaDoCodigoDeEmail::deJSON(json(R"({"reenviarEm":"60"})"))),
                 ErroDeDecodificacao);
    EXPECT_EQ(RespostaDaConferenciaDoEmail::deJSON(json(R"({"comprovanteDeEmail":"c"})")).comprovanteDeEmail,
              QStringLiteral("c"));
    EXPECT_THROW(static_cast<void>(RespostaDaConferenciaDoEmail::deJSON(json("{}"))), ErroDeDecodificacao);
    const auto pre = RespostaDePreEntrada::deJSON(
        json(R"({"sal":"s","kdf":{"algoritmo":"argon2id","iteracoes":3,"memoriaKiB":65536,"paralelismo":1}})"));
    EXPECT_EQ(pre.kdf, ParametrosKdf::padrao());
    EXPECT_THROW(static_cast<void>(RespostaDePreEntrada::deJSON(json(R"({"sal":"s"})"))), ErroDeDecodificacao);
    EXPECT_EQ(ProvedoresDisponiveis::deJSON(json(R"({"apple":true,"google":false})")),
              (ProvedoresDisponiveis{true, false}));
    EXPECT_THROW(static_cast<void>(ProvedoresDisponiveis::deJSON(json(R"({"apple":true})"))), ErroDeDecodificacao);
}

TEST(Respostas, DecodificacaoDaRespostaTrataNuloEVazio)
{
    using DecodificacaoDaResposta::decodificar;
    EXPECT_FALSE(decodificar<std::optional<Conta>>("null"));
    EXPECT_EQ(decodificar<std::optional<Conta>>(contaJson)->id, QStringLiteral("c1"));
    // Vazio never looks at the bytes.
    EXPECT_EQ(decodificar<Vazio>(""), Vazio{});
    EXPECT_EQ(decodificar<Vazio>("<html>"), Vazio{});
    for (const QByteArray &corpo : {QByteArray(), QByteArray("null"), QByteArray("{\"id\":")}) {
        SCOPED_TRACE(corpo.toStdString());
        try {
            static_cast<void>(decodificar<Conta>(corpo));
            ADD_FAILURE() << "decoded";
        } catch (const ErroDaAPI &erro) {
            EXPECT_EQ(erro.caso(), ErroDaAPI::Caso::respostaInesperada);
        }
    }
}

TEST(TokensGuardados, ExpiracaoEmSegundosDesde2001)
{
    const TokensGuardados tokens{QStringLiteral("a"), QDateTime::fromMSecsSinceEpoch(978307200000 + 1500, Qt::UTC),
                                 QStringLiteral("r")};
    EXPECT_EQ(tokens.paraDados(), QByteArray(R"({"tokenDeAcesso":"a","expiraEm":1.5,"tokenDeRenovacao":"r"})"));
    EXPECT_EQ(TokensGuardados::deDados(tokens.paraDados()), tokens);

    const TokensGuardados agora{QStringLiteral("x"), QDateTime::fromMSecsSinceEpoch(1767225600123, Qt::UTC),
                                QStringLiteral("y")};
    EXPECT_EQ(TokensGuardados::deDados(agora.paraDados()), agora);
}

TEST(TokensGuardados, RegistroIncompletoNaoLe)
{
    for (const QByteArray &dados : {QByteArray(R"({"tokenDeAcesso":"a","expiraEm":1})"),
                                    QByteArray(R"({"tokenDeAcesso":"a","expiraEm":"2025","tokenDeRenovacao":"r"})"),
                                    QByteArray(R"({"tokenDeAcesso":null,"expiraEm":1,"tokenDeRenovacao":"r"})"),
                                    QByteArray("lixo"), QByteArray()}) {
        SCOPED_TRACE(dados.toStdString());
        EXPECT_FALSE(TokensGuardados::deDados(dados));
    }
    EXPECT_TRUE(TokensGuardados::deDados(R"({"expiraEm":-3.25,"tokenDeRenovacao":"r","tokenDeAcesso":"a","x":1})"));
}
