#include "core/ValorJSON.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

ValorJSON num(double d) { return ValorJSON::numero(d); }
ValorJSON txt(const QString &s) { return ValorJSON::texto(s); }

TEST(EscritorJSON, NumerosSeguemAsRegrasDeTexto)
{
    struct Caso {
        double numero;
        QByteArray texto;
    };
    const Caso casos[] = {
        {1.0, "1"},
        {6, "6"},
        {-30, "-30"},
        {-0.0, "0"},
        {0.0, "0"},
        {0.1, "0.1"},
        {0.5, "0.5"},
        {-2.25, "-2.25"},
        {1e20, "100000000000000000000"},
        {-1e20, "-100000000000000000000"},
        {123456789012345678901.0, "123456789012345683968"}, // the double's exact integer
        {9007199254740993.0, "9007199254740992"},
        {1e21, "1e+21"},
        {-1e21, "-1e+21"},
        {1.5e300, "1.5e+300"},
        {1e-7, "1e-07"},
        {5e-324, "5e-324"},
        {123456.789, "123456.789"},
        {std::numeric_limits<double>::quiet_NaN(), "null"},
        {std::numeric_limits<double>::infinity(), "null"},
        {-std::numeric_limits<double>::infinity(), "null"},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.texto.toStdString());
        EXPECT_EQ(num(caso.numero).escritoEmUTF8(), caso.texto);
    }
}

// Whole numbers from 1e21 up are written in exponent form with the shortest digits, never in full.
TEST(EscritorJSON, InteirosDesde1e21SaoEscritosComExpoente)
{
    struct Caso {
        double numero;
        QByteArray texto;
    };
    const Caso casos[] = {
        {999999999999999868928.0, "999999999999999868928"}, // the largest double below 1e21
        {1e21, "1e+21"},
        {1180591620717411303424.0, "1.1805916207174113e+21"}, // 2^70
        {9999999999999997902848.0, "9.999999999999998e+21"}, // the largest double below 1e22
        {9.999999999999999e21, "1e+22"},                    // rounds to 1e22 when read
        {1e22, "1e+22"},
        {1.2345678901234567e22, "1.2345678901234568e+22"},
        {-999999999999999868928.0, "-999999999999999868928"},
        {-1180591620717411303424.0, "-1.1805916207174113e+21"},
        {-9999999999999997902848.0, "-9.999999999999998e+21"},
        {-1e22, "-1e+22"},
        {1.7976931348623157e308, "1.7976931348623157e+308"},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.texto.toStdString());
        EXPECT_EQ(num(caso.numero).escritoEmUTF8(), caso.texto);
    }
}

TEST(EscritorJSON, TextosEscapamSoOQueATabelaManda)
{
    struct Caso {
        QString texto;
        QByteArray escrito;
    };
    const Caso casos[] = {
        {"a\"b\\c", "\"a\\\"b\\\\c\""},
        {"\t", "\"\\t\""},
        {"\n\r\b\f", "\"\\n\\r\\b\\f\""},
        {QString(QChar(0x01)), "\"\\u0001\""},
        {QString(QChar(0x1F)), "\"\\u001f\""},
        {QString(QChar(0x00)), "\"\\u0000\""},
        {QString(QChar(0x7F)), "\"\x7F\""},
        {"/", "\"/\""},
        {QString::fromUtf8("\u00e9"), "\"\xC3\xA9\""},
        {QString::fromUtf8("\U0001F600"), "\"\xF0\x9F\x98\x80\""},
        {QString(QChar(0x2028)), "\"\xE2\x80\xA8\""},
        {QString(QChar(0xD83D)), "\"\xEF\xBF\xBD\""}, // a lone surrogate is not a scalar
        {QString(QChar(0xDE00)) + "a", "\"\xEF\xBF\xBD" "a\""},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.escrito.toStdString());
        EXPECT_EQ(txt(caso.texto).escritoEmUTF8(), caso.escrito);
    }
}

TEST(EscritorJSON, ObjetoSaiNumaLinhaSemEspacosNaOrdemGuardada)
{
    const ObjetoJSON conteudo({{"nome", txt("Banco")},
                               {"digitos", num(6)},
                               {"periodo", num(30)},
                               {"favorito", ValorJSON::booleano(false)},
                               {"sites", ValorJSON::lista({txt("a.com"), txt("b.com")})},
                               {"extra", ValorJSON::objeto(ObjetoJSON({{"z", ValorJSON::nulo()}, {"a", ValorJSON::lista({})}}))}});
    EXPECT_EQ(ValorJSON::objeto(conteudo).escritoEmUTF8(),
              "{\"nome\":\"Banco\",\"digitos\":6,\"periodo\":30,\"favorito\":false,"
              "\"sites\":[\"a.com\",\"b.com\"],\"extra\":{\"z\":null,\"a\":[]}}");
}

TEST(EscritorJSON, EscreverAcrescentaAoTextoDado)
{
    QString saida = QStringLiteral("x=");
    ValorJSON::lista({num(1), txt(QString::fromUtf8("\u00e9"))}).escrever(saida);
    EXPECT_EQ(saida, QString::fromUtf8("x=[1,\"\u00e9\"]"));
    EXPECT_EQ(ValorJSON::booleano(true).escrito(), "true");
}

TEST(EscritorJSON, LinhaNovaCruaLidaVoltaEscapada)
{
    EXPECT_EQ(ValorJSON::ler("\"a\nb\"").escritoEmUTF8(), "\"a\\nb\"");
}

TEST(EscritorJSON, EscreverELerDevolveValorIgual)
{
    const ValorJSON valores[] = {
        ValorJSON::objeto(ObjetoJSON({{"a\"\\/", num(-2.25)}, {QString::fromUtf8("\u00e9\U0001F600"), txt("\x01\x1f\t")}})),
        ValorJSON::lista({num(0.1), num(1e21), num(1e-300), num(-123456789.125), num(4.9e-324), num(1.7976931348623157e308)}),
        ValorJSON::lista({ValorJSON::nulo(), ValorJSON::booleano(true), ValorJSON::objeto({}), ValorJSON::lista({})}),
        txt(QString(QChar(0)) + QChar(0xFFFD) + QChar(0xFEFF)),
    };
    for (const ValorJSON &valor : valores) {
        const QByteArray escrito = valor.escritoEmUTF8();
        SCOPED_TRACE(escrito.toStdString());
        const ValorJSON lido = ValorJSON::ler(escrito);
        EXPECT_EQ(lido, valor);
        EXPECT_EQ(lido.escritoEmUTF8(), escrito);
    }
}

TEST(EscritorJSON, NumerosAleatoriosVoltamIguaisPeloTexto)
{
    // Deterministic bit patterns across the whole double range.
    quint64 estado = 0x9E3779B97F4A7C15ULL;
    for (int i = 0; i < 20000; ++i) {
        estado ^= estado << 13;
        estado ^= estado >> 7;
        estado ^= estado << 17;
        double d;
        std::memcpy(&d, &estado, sizeof d);
        if (!std::isfinite(d))
            continue;
        const QByteArray texto = num(d).escritoEmUTF8();
        const auto lido = ValorJSON::ler(texto).comoNumero();
        ASSERT_TRUE(lido) << texto.toStdString();
        ASSERT_EQ(*lido, d) << texto.toStdString();
    }
}

} // namespace
