#include "core/Codecs.h"

#include "support/ErroEsperado.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>

using namespace Qt::StringLiterals;

using Testes::codigoDoErro;

namespace {

QByteArray todosOsBytes()
{
    QByteArray b;
    for (int i = 0; i < 256; ++i)
        b.append(static_cast<char>(i));
    return b;
}

struct Vetor {
    const char *bytes;
    const char *texto;
};

} // namespace

// RFC 4648 section 10, written without the padding this system never emits.
TEST(Base64URL, VetoresDaRfc4648SemPreenchimento)
{
    const Vetor vetores[] = {{"", ""},         {"f", "Zg"},         {"fo", "Zm8"},       {"foo", "Zm9v"},
                             {"foob", "Zm9vYg"}, {"fooba", "Zm9vYmE"}, {"foobar", "Zm9vYmFy"}, {"abc", "YWJj"}};
    for (const Vetor &v : vetores) {
        SCOPED_TRACE(v.bytes);
        EXPECT_EQ(Cripto::codificarBase64URL(v.bytes), QString::fromLatin1(v.texto));
        EXPECT_EQ(Cripto::decodificarBase64URL(QString::fromLatin1(v.texto)), QByteArray(v.bytes));
    }
}

TEST(Base64URL, UsaOAlfabetoSeguroParaURLESemIgual)
{
    EXPECT_EQ(Cripto::codificarBase64URL(QByteArray::fromHex("fbff")), u"-_8");
    EXPECT_EQ(Cripto::codificarBase64URL(QByteArray::fromHex("fbef")), u"--8");
    for (int n = 0; n <= 7; ++n) {
        SCOPED_TRACE(n);
        const QString texto = Cripto::codificarBase64URL(QByteArray(n, '\xff'));
        EXPECT_EQ(texto.size(), (4 * n + 2) / 3);
        EXPECT_FALSE(texto.contains(u'='));
    }
}

TEST(Base64URL, TodosOsBytesVoltamIguais)
{
    const QByteArray bytes = todosOsBytes();
    for (qsizetype inicio = 0; inicio < 3; ++inicio) {
        SCOPED_TRACE(inicio);
        const QByteArray parte = bytes.sliced(inicio);
        EXPECT_EQ(Cripto::decodificarBase64URL(Cripto::codificarBase64URL(parte)), parte);
    }
}

TEST(Base64URL, DecodificaTextosAceitos)
{
    const struct {
        const char *texto;
        QByteArray bytes;
    } casos[] = {
        {"YQ", "a"},
        {"YQ==", "a"},
        {"YR", "a"}, // leftover bits that are not zero are ignored
        {"YWI", "ab"},
        {"YWJ", "ab"},
        {"YQ=====", "a"},
        {"", ""},
        {"=", ""},
        {"====", ""},
        {"-_8", QByteArray::fromHex("fbff")},
        {"+/8", QByteArray::fromHex("fbff")},
        {"+/8=", QByteArray::fromHex("fbff")},
        {"Zm9vYmFy", "foobar"},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.texto);
        EXPECT_EQ(Cripto::decodificarBase64URL(QString::fromLatin1(c.texto)), c.bytes);
    }
}

TEST(Base64URL, TextoInaceitavelLancaBase64Invalido)
{
    const QString casos[] = {
        u"Y"_s,          u"YWJjZ"_s,   u"Y==="_s,      u"YQ=Q"_s,   u"=YQ"_s,     u"YW Jj"_s,
        u" YWJj"_s,      u"YWJj\n"_s,  u"YW.j"_s,      u"YWJ\u00e7"_s, u"\uff39\uff37\uff2a\uff4a"_s,
        u"YWJj\U0001F600"_s,
    };
    for (const QString &texto : casos) {
        SCOPED_TRACE(texto.toStdString());
        EXPECT_EQ(codigoDoErro([&] { return Cripto::decodificarBase64URL(texto); }), u"base64-invalido");
    }
}

// RFC 4648 section 10, again without padding.
TEST(Base32, VetoresDaRfc4648SemPreenchimento)
{
    const Vetor vetores[] = {{"", ""},          {"f", "MY"},          {"fo", "MZXQ"},         {"foo", "MZXW6"},
                             {"foob", "MZXW6YQ"}, {"fooba", "MZXW6YTB"}, {"foobar", "MZXW6YTBOI"}, {"abc", "MFRGG"}};
    for (const Vetor &v : vetores) {
        SCOPED_TRACE(v.bytes);
        EXPECT_EQ(Cripto::codificarBase32(v.bytes), QString::fromLatin1(v.texto));
        if (*v.texto) {
            EXPECT_EQ(Cripto::decodificarBase32(QString::fromLatin1(v.texto)), QByteArray(v.bytes));
        }
    }
    EXPECT_EQ(Cripto::codificarBase32(QByteArray(20, '\0')).size(), 32);
}

TEST(Base32, TodosOsBytesVoltamIguais)
{
    const QByteArray bytes = todosOsBytes();
    for (qsizetype inicio = 0; inicio < 5; ++inicio) {
        SCOPED_TRACE(inicio);
        const QByteArray parte = bytes.sliced(inicio);
        EXPECT_EQ(Cripto::decodificarBase32(Cripto::codificarBase32(parte)), parte);
    }
}

TEST(Base32, DecodificacaoTolerante)
{
    const struct {
        QString texto;
        QByteArray bytes;
    } casos[] = {
        {u"mfrgg"_s, "abc"},
        {u"MfRgG"_s, "abc"},
        {u"MF RG-G"_s, "abc"},
        {u"MFRGG==="_s, "abc"},
        {u"=M=F=R=G=G="_s, "abc"},
        {u"MF\tRG\r\nG"_s, "abc"},
        {u"MF\u00a0RG\u2003G\u2028"_s, "abc"}, // Unicode spaces and separators too
        {u"MZXW6YTBOI======"_s, "foobar"},
        {u"M"_s, ""}, // fewer than eight bits: no bytes, no error
        {u"MZXW6YTBO"_s, "fooba"},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.texto.toStdString());
        EXPECT_EQ(Cripto::decodificarBase32(c.texto), c.bytes);
    }
}

TEST(Base32, TextoInaceitavelLancaBase32Invalido)
{
    const QString casos[] = {
        u""_s, u"   "_s, u"-=- \n"_s, u"MFRG1"_s, u"MFRG0"_s, u"MFRG8"_s, u"MFRG9"_s, u"MFRG!"_s,
        u"MFRG\u00c9"_s,
        // Letters whose Unicode upper case is ASCII must not sneak into the alphabet.
        u"MFRG\u00df"_s, u"MFRG\u0131"_s, u"MFRG\u017f"_s, u"MFRG\ufb00"_s,
        u"\uff2d\uff26\uff32\uff27\uff27"_s, u"MFRG\U0001D400"_s,
    };
    for (const QString &texto : casos) {
        SCOPED_TRACE(texto.toStdString());
        EXPECT_EQ(codigoDoErro([&] { return Cripto::decodificarBase32(texto); }), u"base32-invalido");
    }
}

TEST(BytesAleatorios, DaOTamanhoPedido)
{
    EXPECT_TRUE(Cripto::bytesAleatorios(0).isEmpty());
    EXPECT_EQ(Cripto::bytesAleatorios(12).size(), 12);
    EXPECT_NE(Cripto::bytesAleatorios(16), Cripto::bytesAleatorios(16));
}

TEST(ErroDeCripto, IgualdadePeloCodigo)
{
    EXPECT_EQ(ErroDeCripto(u"kdf-fraco"_s), ErroDeCripto(u"kdf-fraco"_s));
    EXPECT_FALSE(ErroDeCripto(u"kdf-fraco"_s) == ErroDeCripto(u"sal-invalido"_s));
    EXPECT_STREQ(ErroDeCripto(u"sal-invalido"_s).what(), "sal-invalido");
}
