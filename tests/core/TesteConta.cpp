#include "core/Conta.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const QByteArray contaMinima =
    R"({"id":"c1","email":"ana@exemplo.com","nome":"Ana","sal":"c2Fs",)"
    R"("kdf":{"algoritmo":"argon2id","iteracoes":3,"memoriaKiB":65536,"paralelismo":1},)"
    R"("chaveDoCofreProtegida":"v1.AAA.BBB","autenticadorLigado":false,"criadaEm":"2024-01-02T03:04:05Z"})";

Conta lerConta(const QByteArray &texto)
{
    return Conta::deJSON(CodificacaoJSON::lerDocumento(texto));
}

Conta contaComNome(const QString &nome, const QString &email = "ana@exemplo.com")
{
    Conta conta;
    conta.nome = nome;
    conta.email = email;
    return conta;
}

TEST(Conta, PrimeiroNomeEhAPrimeiraPalavraDoNomeAparado)
{
    const std::pair<QString, QString> casos[] = {
        {"  Ana   Maria  Souza ", "Ana"},
        {"\tAna\t", "Ana"},
        {"Ana", "Ana"},
        {"    ", ""},
        {"", ""},
        {"Ana\tMaria", "Ana\tMaria"}, // only spaces split words
    };
    for (const auto &[nome, esperado] : casos) {
        SCOPED_TRACE(nome.toStdString());
        EXPECT_EQ(contaComNome(nome).primeiroNome(), esperado);
    }
}

TEST(Conta, InicialEhOPrimeiroCaractereMaiusculoDoNomeOuDoEmail)
{
    struct Caso {
        QString nome, email, esperado;
    };
    const Caso casos[] = {
        {"ana", "x@y.com", "A"},
        {" \tbeto", "x@y.com", " "}, // the stored name, untrimmed, once anything is left of it
        {"", "carla@y.com", "C"},
        {"  \t ", "dora@y.com", "D"},
        {"", "", "?"},
        {" ", "", "?"},
        {QString::fromUtf8("e\u0301lia"), "", QString::fromUtf8("E\u0301")},  // a whole grapheme
        {QString::fromUtf8("\U0001F600 feliz"), "", QString::fromUtf8("\U0001F600")},
        {QString::fromUtf8("\u00dfa"), "", "SS"}, // upper-casing may give more than one letter
        {QString::fromUtf8("\u00e9rica"), "", QString::fromUtf8("\u00c9")},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome.toStdString());
        EXPECT_EQ(contaComNome(caso.nome, caso.email).inicial(), caso.esperado);
    }
}

TEST(Conta, SemOpcionaisLeEVoltaSemEssasChaves)
{
    const Conta conta = lerConta(contaMinima);
    EXPECT_EQ(conta.id, "c1");
    EXPECT_EQ(conta.kdf, (ParametrosKdf{"argon2id", 3, 65536, 1}));
    EXPECT_EQ(conta.chaveDoCofreProtegida, "v1.AAA.BBB");
    EXPECT_FALSE(conta.autenticadorLigado);
    EXPECT_EQ(conta.temSenha, std::nullopt);
    EXPECT_EQ(conta.vinculos, std::nullopt);
    EXPECT_EQ(conta.paraJSON().escritoEmUTF8(), contaMinima);
}

TEST(Conta, CompletaEscreveNaOrdemDosCamposELeIgual)
{
    Conta conta = lerConta(contaMinima);
    conta.temSenha = true;
    conta.vinculos = QList<Vinculo>{{"apple", std::nullopt}, {"google", "ana@gmail.com"}};
    const QByteArray escrito = conta.paraJSON().escritoEmUTF8();
    EXPECT_EQ(escrito,
              R"({"id":"c1","email":"ana@exemplo.com","nome":"Ana","sal":"c2Fs",)"
              R"("kdf":{"algoritmo":"argon2id","iteracoes":3,"memoriaKiB":65536,"paralelismo":1},)"
              R"("chaveDoCofreProtegida":"v1.AAA.BBB","autenticadorLigado":false,"temSenha":true,)"
              R"("criadaEm":"2024-01-02T03:04:05Z","vinculos":[{"provedor":"apple"},{"provedor":"google","email":"ana@gmail.com"}]})");
    EXPECT_EQ(lerConta(escrito), conta);
}

TEST(Conta, ListaDeVinculosVaziaNaoEhAusente)
{
    QByteArray comVazia = contaMinima;
    comVazia.chop(1);
    comVazia += R"(,"vinculos":[]})";
    const Conta vazia = lerConta(comVazia);
    ASSERT_TRUE(vazia.vinculos.has_value());
    EXPECT_TRUE(vazia.vinculos->isEmpty());
    EXPECT_NE(vazia, lerConta(contaMinima));
    EXPECT_TRUE(vazia.paraJSON().escritoEmUTF8().endsWith(R"("vinculos":[]})"));
}

TEST(Conta, IgualdadeComparaCadaCampo)
{
    const Conta base = lerConta(contaMinima);
    std::function<void(Conta &)> mudancas[] = {
        [](Conta &c) { c.email = "Ana@exemplo.com"; },
        [](Conta &c) { c.kdf.paralelismo = 2; },
        [](Conta &c) { c.autenticadorLigado = true; },
        [](Conta &c) { c.temSenha = false; },
        [](Conta &c) { c.criadaEm = "outro"; },
        [](Conta &c) { c.vinculos = QList<Vinculo>{{"apple", std::nullopt}}; },
    };
    for (size_t i = 0; i < std::size(mudancas); ++i) {
        SCOPED_TRACE(i);
        Conta outra = base;
        mudancas[i](outra);
        EXPECT_NE(outra, base);
    }
    EXPECT_EQ(lerConta(contaMinima), base);
    EXPECT_NE((Vinculo{"apple", std::nullopt}), (Vinculo{"apple", ""}));
    EXPECT_NE(qHash(Vinculo{"apple", std::nullopt}), qHash(Vinculo{"apple", ""}));
}

TEST(Conta, CampoExigidoAusenteNuloOuDeOutroTipoTornaAContaIlegivel)
{
    struct Caso {
        QByteArray de, para;
    };
    const Caso casos[] = {
        {R"("id":"c1",)", ""},
        {R"("id":"c1")", R"("id":null)"},
        {R"("id":"c1")", R"("id":1)"},
        {R"("nome":"Ana",)", ""},
        {R"("sal":"c2Fs")", R"("sal":["c2Fs"])"},
        {R"("iteracoes":3)", R"("iteracoes":3.5)"},
        {R"("iteracoes":3)", R"("iteracoes":"3")"},
        {R"("algoritmo":"argon2id",)", ""},
        {R"("paralelismo":1)", R"("paralelismo":null)"},
        {R"("autenticadorLigado":false)", R"("autenticadorLigado":0)"},
        {R"(,"criadaEm":"2024-01-02T03:04:05Z")", ""},
        {R"("criadaEm":"2024-01-02T03:04:05Z")", R"("criadaEm":1)"},
        {R"("criadaEm":"2024-01-02T03:04:05Z")", R"("criadaEm":"x","temSenha":"sim")"},
        {R"("criadaEm":"2024-01-02T03:04:05Z")", R"("criadaEm":"x","vinculos":{})"},
        {R"("criadaEm":"2024-01-02T03:04:05Z")", R"("criadaEm":"x","vinculos":[{"email":"a@b"}])"},
        {R"("criadaEm":"2024-01-02T03:04:05Z")", R"("criadaEm":"x","vinculos":[{"provedor":"apple","email":7}])"},
    };
    for (const Caso &caso : casos) {
        QByteArray texto = contaMinima;
        ASSERT_TRUE(texto.contains(caso.de)) << caso.de.toStdString();
        texto.replace(caso.de, caso.para);
        SCOPED_TRACE(texto.toStdString());
        EXPECT_THROW(static_cast<void>(lerConta(texto)), ErroDeDecodificacao);
    }
    EXPECT_THROW(static_cast<void>(Conta::deJSON(ValorJSON::lista({}))), ErroDeDecodificacao);
}

TEST(Conta, OpcionaisNulosSaoAusentesEChavesDesconhecidasSaoIgnoradas)
{
    QByteArray texto = contaMinima;
    texto.chop(1);
    texto += R"(,"temSenha":null,"vinculos":null,"novo":{"x":[1]},"vinculos2":[]})";
    EXPECT_EQ(lerConta(texto), lerConta(contaMinima));
    const Vinculo vinculo = Vinculo::deJSON(ValorJSON::ler(R"({"provedor":"google","email":null,"x":1})"));
    EXPECT_EQ(vinculo, (Vinculo{"google", std::nullopt}));
}

TEST(Conta, ParametrosKdfTemQuatroChavesExigidasNessaOrdem)
{
    const ParametrosKdf parametros{"argon2id", 4, 131072, 2};
    EXPECT_EQ(paraJSON(parametros).escritoEmUTF8(),
              R"({"algoritmo":"argon2id","iteracoes":4,"memoriaKiB":131072,"paralelismo":2})");
    EXPECT_EQ(parametrosKdfDeJSON(paraJSON(parametros)), parametros);
    EXPECT_THROW(static_cast<void>(parametrosKdfDeJSON(ValorJSON::ler(R"({"algoritmo":"argon2id","iteracoes":4,"memoriaKiB":1})"))),
                 ErroDeDecodificacao);
}

} // namespace
