#include "core/CodificacaoJSON.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

Leitor leitorDe(const QByteArray &texto)
{
    return Leitor(CodificacaoJSON::lerDocumento(texto));
}

// The key path of the decoding error, or "ok" when the reading succeeded.
QString falhaDe(const std::function<void()> &leitura)
{
    try {
        leitura();
        return QStringLiteral("ok");
    } catch (const ErroDeDecodificacao &erro) {
        return erro.caminho;
    }
}

TEST(CodificacaoJSON, CampoExigidoAusenteNuloOuDeOutroTipoFalhaComOCaminho)
{
    const Leitor l = leitorDe(R"({"t":"x","n":2,"b":true,"z":null,"o":{"d":{"k":1}}})");
    struct Caso {
        const char *nome;
        std::function<void()> leitura;
        QString caminho;
    };
    const Caso casos[] = {
        {"texto presente", [&] { EXPECT_EQ(l.exigirTexto("t"), "x"); }, "ok"},
        {"texto ausente", [&] { static_cast<void>(l.exigirTexto("ausente")); }, "ausente"},
        {"texto nulo", [&] { static_cast<void>(l.exigirTexto("z")); }, "z"},
        {"texto de número", [&] { static_cast<void>(l.exigirTexto("n")); }, "n"},
        {"flag de número", [&] { static_cast<void>(l.exigirFlag("n")); }, "n"},
        {"flag de texto", [&] { static_cast<void>(l.exigirFlag("t")); }, "t"},
        {"número de flag", [&] { static_cast<void>(l.exigirNumero("b")); }, "b"},
        {"objeto de texto", [&] { static_cast<void>(l.exigirObjeto("t")); }, "t"},
        {"lista de objeto", [&] { static_cast<void>(l.exigirListaDeValores("o")); }, "o"},
        {"aninhado", [&] { static_cast<void>(l.exigirObjeto("o").exigirObjeto("d").exigirTexto("k")); }, "o.d.k"},
        {"opcional de outro tipo", [&] { static_cast<void>(l.talvezTexto("n")); }, "n"},
        {"opcional flag de texto", [&] { static_cast<void>(l.talvezFlag("t")); }, "t"},
        {"opcional nulo", [&] { EXPECT_EQ(l.talvezTexto("z"), std::nullopt); }, "ok"},
        {"opcional ausente", [&] { EXPECT_EQ(l.talvezFlag("ausente"), std::nullopt); }, "ok"},
        {"opcional objeto nulo", [&] { EXPECT_FALSE(l.talvezObjeto("z").has_value()); }, "ok"},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(falhaDe(caso.leitura), caso.caminho);
    }
}

TEST(CodificacaoJSON, InteirosRecusamFracaoEForaDoIntervalo)
{
    const Leitor l = leitorDe(R"({"i":3,"f":3.5,"e":3.0,"g":1e19,"neg":-1,"m":300,"big":9007199254740992})");
    EXPECT_EQ(l.exigirInteiro("i"), 3);
    EXPECT_EQ(l.exigirInteiro("e"), 3);
    EXPECT_EQ(l.exigirInteiro("big"), 9007199254740992LL);
    EXPECT_EQ(l.exigirInteiro<int>("neg"), -1);
    EXPECT_EQ(falhaDe([&] { static_cast<void>(l.exigirInteiro("f")); }), "f");
    EXPECT_EQ(falhaDe([&] { static_cast<void>(l.exigirInteiro("g")); }), "g");
    EXPECT_EQ(falhaDe([&] { static_cast<void>(l.exigirInteiro<quint32>("neg")); }), "neg");
    EXPECT_EQ(falhaDe([&] { static_cast<void>(l.exigirInteiro<qint8>("m")); }), "m");
    EXPECT_EQ(falhaDe([&] { static_cast<void>(l.talvezInteiro<int>("f")); }), "f");
    EXPECT_EQ(l.talvezInteiro<int>("ausente"), std::nullopt);
}

TEST(CodificacaoJSON, DatasSaoSegundosDesde2001ComMilissegundos)
{
    const QDateTime referencia(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC);
    EXPECT_EQ(CodificacaoJSON::segundosDesde2001(referencia), 0.0);
    const QDateTime data(QDate(2024, 5, 17), QTime(12, 30, 15, 250), Qt::UTC);
    const QByteArray documento = Escritor().data("d", data).documento();
    EXPECT_EQ(documento, "{\"d\":737641815.25}");
    const QDateTime lida = leitorDe(documento).exigirData("d");
    EXPECT_EQ(lida, data);
    EXPECT_EQ(lida.timeSpec(), Qt::UTC);
    // Sub-millisecond parts from another writer round to the nearest millisecond.
    EXPECT_EQ(leitorDe(R"({"d":-0.0004})").exigirData("d"), referencia);
    EXPECT_EQ(leitorDe(R"({"d":1.0006})").exigirData("d"), referencia.addMSecs(1001));
    EXPECT_EQ(falhaDe([] { static_cast<void>(leitorDe(R"({"d":"2024-01-01"})").exigirData("d")); }), "d");
    EXPECT_EQ(falhaDe([] { static_cast<void>(leitorDe(R"({"d":1e300})").exigirData("d")); }), "d");
}

TEST(CodificacaoJSON, BytesSaoBase64Padrao)
{
    const QByteArray bytes("\xFB\xFF\x00\x01", 4);
    const QByteArray documento = Escritor().bytes("b", bytes).documento();
    EXPECT_EQ(documento, "{\"b\":\"+/8AAQ==\"}");
    EXPECT_EQ(leitorDe(documento).exigirBytes("b"), bytes);
    for (const char *invalido : {R"({"b":"a b"})", R"({"b":"_-8A"})", R"({"b":"\u00e9"})", R"({"b":"\u0100QQ=="})"}) {
        SCOPED_TRACE(invalido);
        EXPECT_EQ(falhaDe([&] { static_cast<void>(leitorDe(invalido).exigirBytes("b")); }), "b");
    }
}

struct Item {
    QString nome;
    std::optional<qint64> nivel;
    friend bool operator==(const Item &, const Item &) = default;
};

Item itemDe(const Leitor &l)
{
    return {l.exigirTexto("nome"), l.talvezInteiro("nivel")};
}

ValorJSON paraJSON(const Item &item)
{
    return Escritor().texto("nome", item.nome).talvezInteiro("nivel", item.nivel).valorPronto();
}

TEST(CodificacaoJSON, ListasDeRegistrosLeemCadaElementoComSeuCaminho)
{
    const Leitor l = leitorDe(R"({"itens":[{"nome":"a","nivel":2},{"nome":"b","extra":true}],"ruim":[{"nome":"a"},{"nivel":1}],"textos":["x",null]})");
    EXPECT_EQ(l.exigirLista("itens", itemDe), QList<Item>({{"a", 2}, {"b", std::nullopt}}));
    EXPECT_EQ(falhaDe([&] { static_cast<void>(l.exigirLista("ruim", itemDe)); }), "ruim[1].nome");
    EXPECT_EQ(falhaDe([&] { static_cast<void>(l.exigirListaDeTextos("textos")); }), "textos[1]");
    EXPECT_FALSE(l.talvezLista("ausente", itemDe).has_value());
    const auto vazia = leitorDe(R"({"itens":[]})").talvezLista("itens", itemDe);
    ASSERT_TRUE(vazia.has_value());
    EXPECT_TRUE(vazia->isEmpty());
}

TEST(CodificacaoJSON, EscritorMantemOrdemEOmiteOpcionaisAusentes)
{
    const QList<Item> itens = {{"a", 1}, {"b", std::nullopt}};
    const QByteArray documento = Escritor()
                                     .texto("z", "1")
                                     .talvezTexto("ausente", std::nullopt)
                                     .flag("a", true)
                                     .talvezFlag("f", false)
                                     .inteiro("n", -7)
                                     .lista("itens", itens, [](const Item &i) { return paraJSON(i); })
                                     .talvezLista("nenhum", std::optional<QList<Item>>(), [](const Item &i) { return paraJSON(i); })
                                     .listaDeTextos("t", {"x"})
                                     .documento();
    EXPECT_EQ(documento, R"({"z":"1","a":true,"f":false,"n":-7,"itens":[{"nome":"a","nivel":1},{"nome":"b"}],"t":["x"]})");
    EXPECT_EQ(leitorDe(documento).exigirLista("itens", itemDe), itens);
}

// Records are read with the strict JSON grammar of the platform decoder; only item contents take
// the lenient forms.
TEST(CodificacaoJSON, RegistrosSeguemAGramaticaEstrita)
{
    const struct {
        QByteArray documento;
        bool estritoAceita;
    } casos[] = {
        {R"({"n":+1})", false},
        {R"({"n":01})", false},
        {R"({"n":-01})", false},
        {R"({"n":.5})", false},
        {R"({"n":5.})", false},
        {R"({"n":1.e5})", false},
        {R"({"n":1E+05})", true},
        {R"({"n":-0})", true},
        {R"({"n":0.5e-3})", true},
        {"{\"t\":\"a\x01b\"}", false},       // a raw control character
        {"{\"t\":\"a\nb\"}", false},          // a raw line feed
        {"{\"t\":\"\xff\"}", false},           // ill-formed UTF-8
        {"{\"t\":\"\xed\xa0\x80\"}", false},   // an encoded surrogate
        {R"({"t":"\ud800"})", false},           // a lone surrogate escape
        {R"({"t":"\ude00x"})", false},
        {R"({"t":"\u+041"})", false},
        {R"({"t":"\u-000"})", false},
        {R"({"t":"\ud83d\ude00 \u00e9"})", true},
        {"{\"t\":\"\xc3\xa9\\t\"}", true},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.documento.toStdString());
        EXPECT_NO_THROW((void)ValorJSON::ler(caso.documento)); // the item-content parser takes them all
        if (caso.estritoAceita)
            EXPECT_EQ(CodificacaoJSON::lerDocumento(caso.documento), ValorJSON::ler(caso.documento));
        else
            EXPECT_THROW((void)CodificacaoJSON::lerDocumento(caso.documento), ErroDeDecodificacao);
    }
}

TEST(CodificacaoJSON, DocumentoQueNaoEhJSONOuNaoEhObjetoFalha)
{
    EXPECT_THROW(static_cast<void>(CodificacaoJSON::lerDocumento("{\"a\":")), ErroDeDecodificacao);
    EXPECT_THROW(static_cast<void>(CodificacaoJSON::lerDocumento("")), ErroDeDecodificacao);
    EXPECT_THROW(static_cast<void>(CodificacaoJSON::lerObjeto("[1]")), ErroDeDecodificacao);
    EXPECT_NO_THROW(static_cast<void>(CodificacaoJSON::lerDocumento("[1]")));
    EXPECT_EQ(CodificacaoJSON::lerObjeto(" {\"a\":1} ").pares.size(), 1);
    try {
        static_cast<void>(leitorDe(R"({"o":{"k":1}})").exigirObjeto("o").exigirTexto("k"));
        FAIL();
    } catch (const ErroDeDecodificacao &erro) {
        EXPECT_NE(std::string(erro.what()).find("o.k"), std::string::npos);
    }
}

} // namespace
