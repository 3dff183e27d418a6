#include "core/ErroDeCripto.h"
#include "core/ValorJSON.h"
#include "support/ErroEsperado.h"

#include <gtest/gtest.h>

namespace {

ValorJSON num(double d) { return ValorJSON::numero(d); }
ValorJSON txt(const QString &s) { return ValorJSON::texto(s); }

using Testes::codigoDoErro;

QByteArray aninhadas(int quantas, const QByteArray &miolo)
{
    return QByteArray(quantas, '[') + miolo + QByteArray(quantas, ']');
}

TEST(LeitorJSON, TextosMalformadosFalhamComJsonInvalido)
{
    const QByteArray casos[] = {
        "",
        "   ",
        "{}x",
        "{}{}",
        "{\"a\":1,}",
        "[1,]",
        "[1 2]",
        "{\"a\" 1}",
        "{\"a\"}",
        "{a:1}",
        "{'a':1}",
        "{\"a\":1 \"b\":2}",
        "{\"a\":1",
        "{\"a\":",
        "{\"a\"",
        "{",
        "[",
        "[1",
        "]",
        "}",
        "truex",
        "tru",
        "nul",
        "falsy",
        "True",
        "\"sem fim",
        "\"\\x\"",
        "\"\\u12\"",
        "\"\\u12",
        "\"\\u00G1\"",
        "\"\\u-001\"",
        "\"\\u+0g0\"",
        "\"\\",
        "\"\\ud83d\\u00zz\"",
        "1-2",
        "--1",
        "-",
        ".",
        "1e",
        "+-1",
        "++1",
        "1e400",
        "-1e400",
        "1e-400",
        "0x10",
        "Infinity",
        "NaN",
        "\f1",
        "1\f",
        "\xC2\xA0" "1",
        "1 2",
        ",",
        "[,1]",
        "{,}",
        "{\"a\":1,,\"b\":2}",
        "@",
        QByteArray("\0", 1),
        QByteArray("1\0", 2),
    };
    for (const QByteArray &caso : casos) {
        SCOPED_TRACE(caso.toStdString());
        EXPECT_EQ(codigoDoErro([&] { return ValorJSON::ler(caso); }), "json-invalido");
    }
}

TEST(LeitorJSON, TextosBemFormadosDaoOValorEsperado)
{
    struct Caso {
        QByteArray texto;
        ValorJSON esperado;
    };
    const Caso casos[] = {
        {" \t\r\n{} \n", ValorJSON::objeto({})},
        {"[]", ValorJSON::lista({})},
        {"[ ]", ValorJSON::lista({})},
        {"null", ValorJSON::nulo()},
        {"true", ValorJSON::booleano(true)},
        {"false", ValorJSON::booleano(false)},
        {"+1", num(1)},
        {".5", num(0.5)},
        {"5.", num(5)},
        {"01", num(1)},
        {"1E+05", num(100000)},
        {"-0", num(0)},
        {"-2.25e-2", num(-0.0225)},
        {"5e-324", num(5e-324)},
        {"[1,\"a\",null,[true]]", ValorJSON::lista({num(1), txt("a"), ValorJSON::nulo(),
                                                    ValorJSON::lista({ValorJSON::booleano(true)})})},
        {"{ \"a\" : 1 , \"b\" : [ ] }", ValorJSON::objeto(ObjetoJSON({{"a", num(1)}, {"b", ValorJSON::lista({})}}))},
        {"\"\"", txt("")},
        {"\"\\\"\\\\\\/\\b\\f\\n\\r\\t\"", txt("\"\\/\b\f\n\r\t")},
        {"\"linha\nnova\"", txt("linha\nnova")},
        {"\"\\u00e9\"", txt(QString::fromUtf8("\u00e9"))},
        {"\"\\u00E9\"", txt(QString::fromUtf8("\u00e9"))},
        {"\"\xC3\xA9\"", txt(QString::fromUtf8("\u00e9"))},
        {"\"\\ud83d\\ude00\"", txt(QString::fromUtf8("\U0001F600"))},
        {"\"\\ud83d\"", txt(QString(QChar(0xFFFD)))},
        {"\"\\ud83dA\"", txt(QString(QChar(0xFFFD)) + "A")},
        {"\"\\ud83d\\u0041\"", txt(QString(QChar(0xFFFD)) + "A")},
        {"\"\\ude00\\ud83d\"", txt(QString(QChar(0xFFFD)) + QChar(0xFFFD))},
        {"\"\\ud83d\\ud83d\\ude00\"", txt(QString(QChar(0xFFFD)) + QString::fromUtf8("\U0001F600"))},
        {"\"\\u+041\"", txt("A")},
        {"\"\\u-000\"", txt(QString(QChar(0)))},
        {"\"\\u0000x\"", txt(QString(QChar(0)) + "x")},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.texto.toStdString());
        EXPECT_EQ(ValorJSON::ler(caso.texto), caso.esperado);
    }
}

TEST(LeitorJSON, UTF8MalformadoViraSubstitutoPorSubparteMaxima)
{
    const QChar fffd(0xFFFD);
    struct Caso {
        QByteArray bytes;
        QString esperado;
    };
    const Caso casos[] = {
        {"\xE2\x82" "A", QString(fffd) + "A"},          // truncated three-byte sequence: one
        {"\xC0\x80", QString(2, fffd)},                   // overlong two-byte form: each byte
        {"\xE0\x80\x80", QString(3, fffd)},               // overlong three-byte form
        {"\xED\xA0\x80", QString(3, fffd)},               // encoded surrogate
        {"\xF4\x90\x80\x80", QString(4, fffd)},           // above U+10FFFF
        {"\xF0\x9F\x98", QString(fffd)},                  // truncated four-byte sequence
        {"\x80" "a\xFF", QString(fffd) + "a" + fffd},     // lone continuation and invalid byte
        {"\xF0\x9F\x98\x80", QString::fromUtf8("\U0001F600")},
        {"\xEF\xBF\xBF", QString(QChar(0xFFFF))},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.bytes.toHex().toStdString());
        const ValorJSON v = ValorJSON::ler("\"" + caso.bytes + "\"");
        ASSERT_TRUE(v.comoTexto());
        EXPECT_EQ(*v.comoTexto(), caso.esperado);
        // The same bytes behind an escape take the collecting path and must decode the same way.
        const ValorJSON comEscape = ValorJSON::ler("\"\\t" + caso.bytes + "\"");
        EXPECT_EQ(*comEscape.comoTexto(), "\t" + caso.esperado);
    }
}

TEST(LeitorJSON, ChaveRepetidaFicaNaPrimeiraPosicaoComOUltimoValor)
{
    const ValorJSON v = ValorJSON::ler("{\"a\":1,\"b\":2,\"a\":3}");
    ASSERT_TRUE(v.comoObjeto());
    EXPECT_EQ(*v.comoObjeto(), ObjetoJSON({{"a", num(3)}, {"b", num(2)}}));
    EXPECT_EQ(v.escritoEmUTF8(), "{\"a\":3,\"b\":2}");
}

TEST(LeitorJSON, ChavesCanonicamenteEquivalentesSaoAMesmaChave)
{
    const ValorJSON v = ValorJSON::ler("{\"caf\xC3\xA9\":1,\"x\":0,\"cafe\xCC\x81\":2,\"cafe\":3}");
    ASSERT_TRUE(v.comoObjeto());
    EXPECT_EQ(v.comoObjeto()->pares.size(), 3);
    EXPECT_EQ(v.comoObjeto()->pares[0].chave, QString::fromUtf8("caf\u00e9"));
    EXPECT_EQ(v.comoObjeto()->pares[0].valor, num(2));
    EXPECT_EQ(v.comoObjeto()->pares[2].valor, num(3));
}

TEST(LeitorJSON, ChaveRepetidaEmObjetoLongoSegueAMesmaRegra)
{
    QByteArray texto = "{";
    ObjetoJSON esperado;
    for (int i = 0; i < 40; ++i) {
        texto += "\"k" + QByteArray::number(i) + "\":" + QByteArray::number(i) + ",";
        esperado.pares.append({"k" + QString::number(i), num(i)});
    }
    // Repeats, one spelled in decomposed form, arriving after the object grew long.
    texto += "\"k3\":-3,\"caf\xC3\xA9\":1,\"k39\":-39,\"cafe\xCC\x81\":2}";
    esperado.pares[3].valor = num(-3);
    esperado.pares[39].valor = num(-39);
    esperado.pares.append({QString::fromUtf8("caf\u00e9"), num(2)});
    const ValorJSON v = ValorJSON::ler(texto);
    ASSERT_TRUE(v.comoObjeto());
    EXPECT_EQ(v.comoObjeto()->pares.size(), 41);
    EXPECT_EQ(*v.comoObjeto(), esperado);
    EXPECT_EQ(v.comoObjeto()->pares[40].chave, QString::fromUtf8("caf\u00e9"));
}

TEST(LeitorJSON, LimiteDeAninhamentoEhDe64Recipientes)
{
    EXPECT_EQ(codigoDoErro([&] { return ValorJSON::ler(aninhadas(64, "")); }), QString());
    EXPECT_EQ(codigoDoErro([&] { return ValorJSON::ler(aninhadas(65, "")); }), "json-invalido");
    EXPECT_EQ(codigoDoErro([&] { return ValorJSON::ler(aninhadas(63, "1")); }), QString());
    EXPECT_EQ(codigoDoErro([&] { return ValorJSON::ler(aninhadas(64, "1")); }), "json-invalido");
    QByteArray objetos;
    for (int i = 0; i < 63; ++i)
        objetos += "{\"a\":";
    EXPECT_EQ(codigoDoErro([&] { return ValorJSON::ler(objetos + "{}" + QByteArray(63, '}')); }), QString());
    EXPECT_EQ(codigoDoErro([&] { return ValorJSON::ler(objetos + "{\"a\":{}}" + QByteArray(63, '}')); }), "json-invalido");
    // Far deeper input must fail cleanly, not exhaust the stack.
    EXPECT_EQ(codigoDoErro([&] { return ValorJSON::ler(QByteArray(1'000'000, '[')); }), "json-invalido");
}

TEST(LeitorJSON, EscapeUnicodeEUTF8CruSaoOMesmoTexto)
{
    EXPECT_EQ(ValorJSON::ler("\"\\u00e9\""), ValorJSON::ler("\"\xC3\xA9\""));
    // Canonically equivalent spellings are equal texts too.
    EXPECT_EQ(ValorJSON::ler("\"\\u00e9\""), ValorJSON::ler("\"e\\u0301\""));
}

} // namespace
