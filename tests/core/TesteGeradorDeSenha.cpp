#include "core/GeradorDeSenha.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <random>

namespace {

// A source that hands out the given 32-bit draws in order (most significant byte first) and
// counts them; running out is a test failure (then it answers 0, which every limit accepts).
struct Roteiro {
    QList<quint32> valores;
    qsizetype usados = 0;
};

FonteDeBytes fonteRoteirizada(std::shared_ptr<Roteiro> roteiro)
{
    return [roteiro](qsizetype quantidade) {
        EXPECT_EQ(quantidade, 4);
        quint32 valor = 0;
        if (roteiro->usados < roteiro->valores.size())
            valor = roteiro->valores[roteiro->usados];
        else
            ADD_FAILURE() << "sorteio além do roteiro";
        ++roteiro->usados;
        QByteArray bytes(4, '\0');
        for (int i = 0; i < 4; ++i)
            bytes[i] = char((valor >> (24 - 8 * i)) & 0xFF);
        return bytes;
    };
}

FonteDeBytes fonteConstante(quint32 valor)
{
    return fonteRoteirizada(std::make_shared<Roteiro>(Roteiro{QList<quint32>(4096, valor)}));
}

// Reproducible pseudo-random bytes for properties that must hold for any draw.
FonteDeBytes fonteSemeada(unsigned semente)
{
    auto gerador = std::make_shared<std::mt19937>(semente);
    return [gerador](qsizetype quantidade) {
        QByteArray bytes(quantidade, '\0');
        for (auto &b : bytes)
            b = char((*gerador)() & 0xFF);
        return bytes;
    };
}

bool soCom(const QString &senha, const QString &permitidos)
{
    for (const QChar c : senha) {
        if (!permitidos.contains(c))
            return false;
    }
    return true;
}

bool temAlgum(const QString &senha, const QString &classe)
{
    for (const QChar c : senha) {
        if (classe.contains(c))
            return true;
    }
    return false;
}

const QString maiusculas = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
const QString minusculas = "abcdefghijklmnopqrstuvwxyz";
const QString digitos = "0123456789";
const QString simbolos = "!@#$%&*-_=+?.:;";

TEST(IndiceAleatorio, RejeitaSorteiosAcimaDoLimiteUniforme)
{
    // For n = 3 the limit is 4294967295: the draw 0xFFFFFFFF would bias toward 0 and is redrawn.
    auto roteiro = std::make_shared<Roteiro>(Roteiro{{0xFFFFFFFFu, 5}});
    EXPECT_EQ(indiceAleatorio(3, fonteRoteirizada(roteiro)), 2u);
    EXPECT_EQ(roteiro->usados, 2);

    auto limite = std::make_shared<Roteiro>(Roteiro{{0xFFFFFFFEu}});
    EXPECT_EQ(indiceAleatorio(3, fonteRoteirizada(limite)), 0xFFFFFFFEu % 3);
    EXPECT_EQ(limite->usados, 1);
}

TEST(IndiceAleatorio, TamanhoPotenciaDeDoisAceitaQualquerSorteio)
{
    // 2^32 / n * n is 2^32 itself here; computed in 32 bits it would wrap to 0 and loop for ever.
    for (const quint32 n : {1u, 2u, 8u, 16u, 32u, 256u, 1u << 31}) {
        SCOPED_TRACE(n);
        auto roteiro = std::make_shared<Roteiro>(Roteiro{{0xFFFFFFFFu}});
        EXPECT_EQ(indiceAleatorio(n, fonteRoteirizada(roteiro)), 0xFFFFFFFFu % n);
        EXPECT_EQ(roteiro->usados, 1);
    }
}

TEST(GeradorDeSenha, TamanhoLimitadoEntreOitoECentoEVinteEOito)
{
    const std::pair<qint64, qsizetype> casos[] = {
        {4, 8},     {-3, 8},     {0, 8},       {std::numeric_limits<qint64>::min(), 8},
        {8, 8},     {20, 20},    {127, 127},   {128, 128},
        {500, 128}, {std::numeric_limits<qint64>::max(), 128},
    };
    for (const auto &[tamanho, esperado] : casos) {
        SCOPED_TRACE(tamanho);
        OpcoesDeSenha opcoes;
        opcoes.tamanho = tamanho;
        EXPECT_EQ(gerarSenha(opcoes, fonteSemeada(1)).size(), esperado);
    }
}

TEST(GeradorDeSenha, SoNumerosSemAmbiguosUsaDoisANove)
{
    const OpcoesDeSenha opcoes{40, false, false, true, false, true};
    for (unsigned semente = 0; semente < 50; ++semente) {
        const QString senha = gerarSenha(opcoes, fonteSemeada(semente));
        EXPECT_TRUE(soCom(senha, "23456789")) << senha.toStdString();
    }
}

TEST(GeradorDeSenha, SemAmbiguosNuncaUsaOsSeisParecidos)
{
    const OpcoesDeSenha opcoes{128, true, true, true, true, true};
    for (unsigned semente = 0; semente < 50; ++semente) {
        const QString senha = gerarSenha(opcoes, fonteSemeada(semente));
        EXPECT_FALSE(temAlgum(senha, "Il1O0o")) << senha.toStdString();
        EXPECT_TRUE(soCom(senha, maiusculas + minusculas + digitos + simbolos));
    }
}

TEST(GeradorDeSenha, TodasAsClassesDesligadasUsaMinusculasCompletas)
{
    // Index 11 of the lower-case letters is "l": the fallback class keeps its look-alikes.
    const OpcoesDeSenha nenhuma{20, false, false, false, false, true};
    EXPECT_EQ(gerarSenha(nenhuma, fonteConstante(11)), QString(20, u'l'));
    EXPECT_EQ(gerarSenha(nenhuma, fonteConstante(14)), QString(20, u'o'));
    for (unsigned semente = 0; semente < 20; ++semente) {
        const QString senha = gerarSenha(nenhuma, fonteSemeada(semente));
        EXPECT_EQ(senha.size(), 20);
        EXPECT_TRUE(soCom(senha, minusculas)) << senha.toStdString();
    }
}

TEST(GeradorDeSenha, CadaClasseEscolhidaApareceAoMenosUmaVez)
{
    const OpcoesDeSenha todas{8, true, true, true, true, false};
    for (unsigned semente = 0; semente < 300; ++semente) {
        const QString senha = gerarSenha(todas, fonteSemeada(semente));
        SCOPED_TRACE(senha.toStdString());
        EXPECT_TRUE(temAlgum(senha, maiusculas));
        EXPECT_TRUE(temAlgum(senha, minusculas));
        EXPECT_TRUE(temAlgum(senha, digitos));
        EXPECT_TRUE(temAlgum(senha, simbolos));
    }
    const OpcoesDeSenha duas{8, false, true, false, true, true};
    for (unsigned semente = 0; semente < 100; ++semente) {
        const QString senha = gerarSenha(duas, fonteSemeada(semente));
        EXPECT_TRUE(temAlgum(senha, minusculas) && temAlgum(senha, simbolos)) << senha.toStdString();
        EXPECT_TRUE(soCom(senha, minusculas + simbolos));
    }
}

TEST(GeradorDeSenha, UmDeCadaClasseDepoisOConjuntoDepoisEmbaralha)
{
    // With every draw 0: "A", "a", "0", "!" then "A" from the pool; Fisher-Yates with j = 0
    // swaps each position from the last down with the first.
    const OpcoesDeSenha todas{8, true, true, true, true, false};
    EXPECT_EQ(gerarSenha(todas, fonteConstante(0)), "a0!AAAAA");
    // Draws equal to the position keep every character where it was.
    auto roteiro = std::make_shared<Roteiro>();
    roteiro->valores = {0, 0, 0, 0, 1, 2, 3, 4, 7, 6, 5, 4, 3, 2, 1};
    EXPECT_EQ(gerarSenha(todas, fonteRoteirizada(roteiro)), "Aa0!BCDE");
    EXPECT_EQ(roteiro->usados, roteiro->valores.size());
}

TEST(GeradorDeSenha, SenhasSucessivasDiferem)
{
    const OpcoesDeSenha padrao;
    const FonteDeBytes fonte = fonteSemeada(7);
    EXPECT_NE(gerarSenha(padrao, fonte), gerarSenha(padrao, fonte));
    EXPECT_NE(gerarSenha(padrao), gerarSenha(padrao));
}

TEST(OpcoesDeSenha, CodificaAsSeisChavesNaOrdem)
{
    EXPECT_EQ(OpcoesDeSenha().codificar(),
              R"({"tamanho":20,"maiusculas":true,"minusculas":true,"numeros":true,"simbolos":true,"semAmbiguos":true})");
    const OpcoesDeSenha outras{33, false, true, false, true, false};
    EXPECT_EQ(OpcoesDeSenha::decodificar(outras.codificar()), outras);
}

TEST(OpcoesDeSenha, DecodificaEmQualquerOrdemEIgnoraChavesAMais)
{
    const auto lidas = OpcoesDeSenha::decodificar(
        R"({"semAmbiguos":false,"simbolos":true,"numeros":false,"minusculas":true,"maiusculas":false,"tamanho":-4,"x":1})");
    ASSERT_TRUE(lidas.has_value());
    EXPECT_EQ(*lidas, (OpcoesDeSenha{-4, false, true, false, true, false}));
}

TEST(OpcoesDeSenha, ValorIncompletoOuMalTipadoEhIlegivel)
{
    const char *ruins[] = {
        R"({"maiusculas":true,"minusculas":true,"numeros":true,"simbolos":true,"semAmbiguos":true})",
        R"({"tamanho":20,"maiusculas":true,"minusculas":true,"numeros":true,"simbolos":true})",
        R"({"tamanho":"20","maiusculas":true,"minusculas":true,"numeros":true,"simbolos":true,"semAmbiguos":true})",
        R"({"tamanho":20.5,"maiusculas":true,"minusculas":true,"numeros":true,"simbolos":true,"semAmbiguos":true})",
        R"({"tamanho":20,"maiusculas":1,"minusculas":true,"numeros":true,"simbolos":true,"semAmbiguos":true})",
        R"({"tamanho":null,"maiusculas":true,"minusculas":true,"numeros":true,"simbolos":true,"semAmbiguos":true})",
        R"([20,true,true,true,true,true])",
        "",
        "nao e json",
    };
    for (const char *ruim : ruins) {
        SCOPED_TRACE(ruim);
        EXPECT_FALSE(OpcoesDeSenha::decodificar(ruim).has_value());
    }
}

TEST(DicasDaSenha, VaziaPedeUmaSenha)
{
    EXPECT_EQ(dicasDaSenha(""), (AvaliacaoDaSenha{0, 0, {"Digite uma senha."}}));
}

TEST(DicasDaSenha, SenhaComumEmQualquerCaixaSoTemADicaDeComum)
{
    for (const char *comum : {"123456", "SeNhA123", "PASSWORD", "Qwertyuiop", "1Q2W3E4R"}) {
        SCOPED_TRACE(comum);
        EXPECT_EQ(dicasDaSenha(comum), (AvaliacaoDaSenha{0, 0, {"Essa senha está entre as mais usadas."}}));
    }
}

TEST(DicasDaSenha, EstimativaNivelEDicas)
{
    const QString repetir = "Evite repetir o mesmo caractere.";
    const QString teclado = "Evite sequências do teclado.";
    const QString curta = "Use pelo menos 12 caracteres.";
    struct Caso {
        QString senha;
        AvaliacaoDaSenha esperada;
    };
    const Caso casos[] = {
        // pool 26, 12 units: 4.70 × 12 ≈ 56.4
        {"planetorbits", {2, 56, {}}},
        // one scalar: effective length 2, 9.4 × 0.8 ≈ 7.5
        {QString(20, u'a'), {0, 8, {repetir}}},
        // several table entries, one penalty: 6.57 × 15 × 0.75 ≈ 73.9
        {"xxQWERasdf1234!", {3, 74, {teclado}}},
        // every hint, in order: 4.70 × 7 × 0.8 × 0.75 ≈ 19.7
        {"aaaqwer", {0, 20, {repetir, teclado, curta}}},
        {"Tr0ub4dor&3xYz!Q", {4, 105, {}}},
        {"Xk7mPq2RtZ9w", {3, 71, {}}},
        {"Kz8#Wq", {1, 39, {curta}}},
        // outside the BMP: two units for length, one distinct scalar, counted as a symbol
        {QString::fromUtf8("mnbvcxzlkj\U0001F600"), {3, 71, {}}},
        {QString::fromUtf8("mnbvcxzlk\U0001F600"), {3, 65, {curta}}},
        // accented letters count as symbols
        {QString::fromUtf8("ação"), {0, 24, {curta}}},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.senha.toStdString());
        EXPECT_EQ(dicasDaSenha(caso.senha), caso.esperada);
    }
}

TEST(DicasDaSenha, DozeCaracteresNaoPedemMais)
{
    EXPECT_TRUE(dicasDaSenha("kzmxwvqpnrtj").dicas.isEmpty());
    EXPECT_EQ(dicasDaSenha("kzmxwvqpnrt").dicas, QStringList{"Use pelo menos 12 caracteres."});
}

} // namespace
