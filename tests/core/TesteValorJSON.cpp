#include "core/ValorJSON.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

ValorJSON num(double d) { return ValorJSON::numero(d); }
ValorJSON txt(const QString &s) { return ValorJSON::texto(s); }

ObjetoJSON ab()
{
    return ObjetoJSON({{"a", num(1)}, {"b", num(2)}});
}

QStringList chaves(const ObjetoJSON &o)
{
    QStringList lista;
    for (const ParJSON &par : o.pares)
        lista << par.chave;
    return lista;
}

TEST(ValorJSON, DefinirChaveExistenteMantemPosicaoENovaVaiParaOFim)
{
    ObjetoJSON o = ab();
    o.definir("a", num(3));
    EXPECT_EQ(chaves(o), QStringList({"a", "b"}));
    EXPECT_EQ(*o.valor("a"), num(3));
    o.definir("c", txt("x"));
    EXPECT_EQ(chaves(o), QStringList({"a", "b", "c"}));
}

TEST(ValorJSON, DefinirNadaRemoveOParOuNaoMudaNada)
{
    ObjetoJSON o = ObjetoJSON({{"a", num(1)}, {"b", num(2)}, {"c", num(3)}});
    o.definir("a", std::nullopt);
    EXPECT_EQ(chaves(o), QStringList({"b", "c"}));
    const ObjetoJSON antes = o;
    o.definir("z", std::nullopt);
    EXPECT_EQ(o, antes);
    EXPECT_EQ(o.valor("a"), nullptr);
}

TEST(ValorJSON, ConstrutorGuardaOsParesComoDados)
{
    const ObjetoJSON o({{"b", num(1)}, {"a", num(2)}});
    EXPECT_EQ(chaves(o), QStringList({"b", "a"}));
}

TEST(ValorJSON, CopiaAlteradaNaoMudaOOriginal)
{
    const ValorJSON original = ValorJSON::objeto(ObjetoJSON({{"l", ValorJSON::lista({num(1)})}}));
    ValorJSON copia = original;
    copia.comoObjeto()->definir("novo", num(2));
    ValorJSON lista = *copia.comoObjeto()->valor("l");
    lista.comoLista()->append(num(3));
    EXPECT_EQ(original.comoObjeto()->pares.size(), 1);
    EXPECT_EQ(original.comoObjeto()->valor("l")->comoLista()->size(), 1);
    EXPECT_NE(copia, original);
}

TEST(ValorJSON, IgualdadeRespeitaOrdemECaso)
{
    EXPECT_NE(ab(), ObjetoJSON({{"b", num(2)}, {"a", num(1)}}));
    EXPECT_NE(ValorJSON::lista({num(1), num(2)}), ValorJSON::lista({num(2), num(1)}));
    EXPECT_EQ(ValorJSON::lista({num(1), num(2)}), ValorJSON::lista({num(1), num(2)}));
    EXPECT_EQ(num(0), num(-0.0));
    EXPECT_NE(num(1), txt("1"));
    EXPECT_NE(ValorJSON::booleano(false), ValorJSON::nulo());
    EXPECT_NE(ValorJSON::booleano(true), num(1));
    EXPECT_EQ(ValorJSON::nulo(), ValorJSON());
    EXPECT_NE(ValorJSON::objeto({}), ValorJSON::lista({}));
    EXPECT_NE(ObjetoJSON({{"a", num(1)}}), ab()); // different length
    EXPECT_NE(num(std::nan("")), num(std::nan(""))); // IEEE equality
}

TEST(ValorJSON, TextosEChavesComparamPorEquivalenciaCanonica)
{
    const QString composto = QString::fromUtf8("caf\u00e9");
    const QString decomposto = QString::fromUtf8("cafe\u0301");
    ASSERT_NE(composto, decomposto);
    EXPECT_EQ(txt(composto), txt(decomposto));
    EXPECT_NE(txt("cafe"), txt(composto));
    EXPECT_NE(txt("Cafe"), txt("cafe")); // no case folding

    ObjetoJSON o({{composto, num(1)}});
    ASSERT_NE(o.valor(decomposto), nullptr);
    EXPECT_EQ(*o.valor(decomposto), num(1));
    o.definir(decomposto, num(2));
    EXPECT_EQ(o.pares.size(), 1);
    EXPECT_EQ(o.pares[0].chave, composto); // the first spelling stays
    EXPECT_EQ(ObjetoJSON({{composto, num(2)}}), o);
}

TEST(ValorJSON, InteiroTruncaEmDirecaoAoZeroECaiNoPadraoForaDoCaso)
{
    const ObjetoJSON o({{"n", num(29.99)},
                        {"neg", num(-6.9)},
                        {"t", txt("30")},
                        {"z", ValorJSON::nulo()},
                        {"b", ValorJSON::booleano(true)}});
    EXPECT_EQ(o.inteiro("n", 30), 29);
    EXPECT_EQ(o.inteiro("neg", 30), -6);
    EXPECT_EQ(o.inteiro("ausente", 30), 30);
    EXPECT_EQ(o.inteiro("t", 30), 30);
    EXPECT_EQ(o.inteiro("z", 30), 30);
    EXPECT_EQ(o.inteiro("b", 30), 30);
}

TEST(ValorJSON, InteiroDeNumeroNaoFinitoOuForaDe64BitsDaOPadrao)
{
    constexpr double dois63 = 9223372036854775808.0;
    struct Caso {
        double numero;
        std::optional<qint64> esperado;
    };
    const Caso casos[] = {
        {std::numeric_limits<double>::quiet_NaN(), std::nullopt},
        {std::numeric_limits<double>::infinity(), std::nullopt},
        {-std::numeric_limits<double>::infinity(), std::nullopt},
        {dois63, std::nullopt},
        {1e19, std::nullopt},
        {-1e300, std::nullopt},
        {std::nextafter(-dois63, -1e300), std::nullopt},
        {-dois63, std::numeric_limits<qint64>::min()},
        {std::nextafter(dois63, 0.0), 9223372036854774784LL},
        {-0.5, 0},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.numero);
        EXPECT_EQ(ValorJSON::truncarParaInteiro(caso.numero), caso.esperado);
        const ObjetoJSON o({{"n", num(caso.numero)}});
        EXPECT_EQ(o.inteiro("n", 7), caso.esperado.value_or(7));
    }
}

TEST(ValorJSON, LeiturasNaoConvertemEntreCasos)
{
    const ObjetoJSON o({{"n", num(1)}, {"b", ValorJSON::booleano(true)}, {"t", txt("  x ")},
                        {"f", num(1)}, {"ft", txt("true")}});
    EXPECT_EQ(o.texto("n"), QString());
    EXPECT_EQ(o.texto("b"), QString());
    EXPECT_EQ(o.texto("ausente"), QString());
    EXPECT_EQ(o.texto("t"), "  x "); // untrimmed
    EXPECT_TRUE(o.booleano("b"));
    EXPECT_FALSE(o.booleano("f"));
    EXPECT_FALSE(o.booleano("ft"));
    EXPECT_FALSE(o.booleano("ausente"));
}

TEST(ValorJSON, SitesLeSoOsTextosDaLista)
{
    const ObjetoJSON lista(
        {{"sites", ValorJSON::lista({txt("a.com"), num(1), ValorJSON::nulo(), txt("b.com")})}});
    EXPECT_EQ(lista.sites(), QList<QString>({"a.com", "b.com"}));
    EXPECT_TRUE(ObjetoJSON({{"sites", txt("a.com")}}).sites().isEmpty());
    EXPECT_TRUE(ObjetoJSON().sites().isEmpty());
}

TEST(ValorJSON, AcessoresDizemOCaso)
{
    const ValorJSON valores[] = {ValorJSON::booleano(true), num(2), txt("t"), ValorJSON::lista({}),
                                 ValorJSON::objeto({}), ValorJSON::nulo()};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        const ValorJSON &v = valores[i];
        EXPECT_EQ(static_cast<int>(v.caso()), i);
        EXPECT_EQ(v.comoBooleano().has_value(), i == 0);
        EXPECT_EQ(v.comoNumero().has_value(), i == 1);
        EXPECT_EQ(v.comoTexto().has_value(), i == 2);
        EXPECT_EQ(v.comoLista() != nullptr, i == 3);
        EXPECT_EQ(v.comoObjeto() != nullptr, i == 4);
        EXPECT_EQ(v.ehNulo(), i == 5);
    }
}

} // namespace
