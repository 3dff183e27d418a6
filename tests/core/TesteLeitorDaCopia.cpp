// The direct reading of the local copy gives exactly what the general reader gives, takes every
// copy the writer produces, and leaves every other layout to the general reader.
#include "core/LeitorDaCopia.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

std::optional<CopiaDoCofre> pelaArvore(const QByteArray &bytes)
{
    try {
        return CopiaDoCofre::deJSON(Leitor(CodificacaoJSON::lerDocumento(bytes)));
    } catch (const ErroDeDecodificacao &) {
        return std::nullopt;
    }
}

CopiaDoCofre exemplo(QList<ItemCifrado> itens)
{
    CopiaDoCofre copia;
    copia.conta.id = u"conta-1"_s;
    copia.conta.email = u"ana@exemplo.com"_s;
    copia.conta.nome = u"Ana \"A\" Sá"_s;
    copia.conta.kdf = {u"argon2id"_s, 3, 65536, 1};
    copia.revisao = 42;
    copia.itens = std::move(itens);
    return copia;
}

const ItemCifrado vivo{u"a"_s, TipoDeItem::senha, u"v1.AAAAAAAAAAAAAAAA.AAAAAAAAAAAAAAAAAAAAAA"_s, 7,
                       u"2024-01-01T00:00:00Z"_s, u"2024-01-02T00:00:00Z"_s, std::nullopt};
const ItemCifrado apagado{u"b"_s, TipoDeItem::nota, std::nullopt, 0, u"2024-01-01T00:00:00Z"_s,
                          u"2024-01-01T00:00:00Z"_s, u"2024-01-03T00:00:00Z"_s};

} // namespace

TEST(LeitorDaCopia, LeODoEscritorIgualAArvore)
{
    const QList<QList<ItemCifrado>> listas = {{}, {vivo}, {vivo, apagado}, {apagado, vivo, vivo}};
    for (const QList<ItemCifrado> &itens : listas) {
        const QByteArray bytes = exemplo(itens).emBytes();
        SCOPED_TRACE(bytes.toStdString());
        const auto direta = LeitorDaCopia::lerDireto(bytes);
        ASSERT_TRUE(direta.has_value());
        EXPECT_EQ(*direta, exemplo(itens));
        EXPECT_EQ(*direta, pelaArvore(bytes));
    }
}

TEST(LeitorDaCopia, OutrasFormasFicamParaALeituraGeral)
{
    const QByteArray base = exemplo({vivo}).emBytes();
    const auto trocado = [&base](const char *de, const char *para) { return QByteArray(base).replace(de, para); };
    // Each is valid JSON the direct reading does not take: it must give nothing, never a
    // different copy.
    const QList<QByteArray> casos = {
        base + '\n',                                             // trailing space
        trocado("{\"id\"", "{ \"id\""),                          // space inside
        trocado("\"id\":\"a\"", "\"id\":\"\\u0061\""),           // escaped text
        trocado("\"id\":\"a\"", "\"id\":\"á\""),                 // non-ASCII text
        trocado("\"revisao\":7", "\"revisao\":7.0"),             // fraction
        trocado("\"revisao\":7", "\"revisao\":7e0"),             // exponent
        trocado("\"revisao\":7", "\"revisao\":1234567890123456"), // beyond 15 digits
        trocado("\"revisao\":7", "\"revisao\":" + QByteArray(40, '4')), // beyond what fits in 64 bits
        trocado("\"revisao\":7", "\"revisao\":07"),              // leading zero
        trocado("\"tipo\":\"senha\"", "\"tipo\":\"cartao\""),    // unknown kind (an error there)
        trocado("\"dados\":\"v1.AAAAAAAAAAAAAAAA.AAAAAAAAAAAAAAAAAAAAAA\"", "\"dados\":null"),
        trocado(",\"revisao\":7,", ",\"revisao\":7,\"extra\":1,"), // undeclared key
        trocado("{\"versao\":1,", "{\"versao\":1,\"versao\":2,"),  // repeated key
        trocado("\"criadoEm\":\"2024-01-01T00:00:00Z\",\"atualizadoEm\":\"2024-01-02T00:00:00Z\"",
                "\"atualizadoEm\":\"2024-01-02T00:00:00Z\",\"criadoEm\":\"2024-01-01T00:00:00Z\""), // key order
    };
    for (const QByteArray &caso : casos) {
        SCOPED_TRACE(caso.toStdString());
        ASSERT_NE(caso, base);
        EXPECT_FALSE(LeitorDaCopia::lerDireto(caso).has_value());
    }
}

TEST(LeitorDaCopia, UmaCopiaGrandeLidaEmPartes)
{
    QList<ItemCifrado> itens;
    for (int n = 0; n < 4000; ++n) {
        ItemCifrado item = n % 5 ? vivo : apagado;
        item.id = QString::number(n);
        item.revisao = n;
        itens.append(item);
    }
    const QByteArray bytes = exemplo(itens).emBytes();
    ASSERT_GE(bytes.size(), LeitorDaCopia::minimoEmPartes);
    const auto direta = LeitorDaCopia::lerDireto(bytes);
    ASSERT_TRUE(direta.has_value());
    EXPECT_EQ(*direta, exemplo(itens));
    // A damaged item anywhere: no part's reading stands in for the whole.
    for (const qsizetype onde : {bytes.size() / 8, bytes.size() / 2, bytes.size() - 100}) {
        QByteArray danificado = bytes;
        danificado[bytes.indexOf("\"revisao\"", onde) + 2] = 'X';
        EXPECT_FALSE(LeitorDaCopia::lerDireto(danificado).has_value()) << onde;
    }
}

TEST(LeitorDaCopia, BytesQuebradosNuncaDaoOutraCopia)
{
    // Every prefix of a real copy, and the copy with each byte damaged in turn: whatever the
    // direct reading takes, the general reader reads the same way, and reading in parts (on
    // several threads, cut wherever an item seems to start) gives what one pass gives.
    const QByteArray base = exemplo({vivo, apagado, vivo, apagado, vivo}).emBytes();
    QList<QByteArray> casos;
    for (qsizetype n = 0; n < base.size(); ++n) {
        casos.append(base.left(n));
        for (const char trocado : {'"', '}', ',', '1', 'x'}) {
            QByteArray danificado = base;
            danificado[n] = trocado;
            casos.append(danificado);
        }
    }
    for (const QByteArray &caso : casos) {
        std::optional<CopiaDoCofre> direta;
        try {
            direta = LeitorDaCopia::lerDireto(caso);
        } catch (const ErroDeDecodificacao &) {
            EXPECT_FALSE(pelaArvore(caso).has_value()) << caso.toStdString();
            EXPECT_THROW((void)LeitorDaCopia::lerDireto(caso, 0), ErroDeDecodificacao);
            continue;
        }
        if (direta) {
            EXPECT_EQ(direta, pelaArvore(caso)) << caso.toStdString();
        }
        EXPECT_EQ(LeitorDaCopia::lerDireto(caso, 0), direta) << caso.toStdString();
    }
}
