#include "core/Envelope.h"
#include "core/Item.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QByteArray chave = QByteArray::fromHex("000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f");

ItemCifrado lerItem(const QByteArray &json)
{
    return ItemCifrado::deJSON(CodificacaoJSON::lerDocumento(json));
}

ItemCifrado selado(const QString &id, TipoDeItem tipo, const QByteArray &conteudo, const QString &rotuloDe = {})
{
    const QString envelope = Cripto::selarEnvelope(conteudo, chave, Cripto::rotuloDoItem(rotuloDe.isEmpty() ? id : rotuloDe));
    return {id, tipo, envelope, 3, u"2024-05-01T10:00:00Z"_s, u"2024-05-02T10:00:00Z"_s, std::nullopt};
}

QString erroAoAbrir(const ItemCifrado &item, const QByteArray &comChave = chave)
{
    try {
        (void)item.abrir(comChave);
    } catch (const ErroDeCripto &erro) {
        return erro.codigo;
    }
    return u"<abriu>"_s;
}

} // namespace

TEST(ItemCifrado, SemDadosNemApagadoEmLeEEscreveSemEssasChaves)
{
    const QByteArray json =
        R"({"id":"i1","tipo":"nota","revisao":9007199254740991,"criadoEm":"2024-01-01T00:00:00.000Z",)"
        R"("atualizadoEm":"2024-01-02T00:00:00Z","extra":{"x":1}})";
    const ItemCifrado item = lerItem(json);
    EXPECT_EQ(item.tipo, TipoDeItem::nota);
    EXPECT_FALSE(item.dados);
    EXPECT_FALSE(item.apagadoEm);
    EXPECT_EQ(item.revisao, 9007199254740991LL);
    EXPECT_EQ(item.criadoEm, u"2024-01-01T00:00:00.000Z"); // kept as text
    EXPECT_EQ(item.paraJSON().escritoEmUTF8(),
              R"({"id":"i1","tipo":"nota","revisao":9007199254740991,"criadoEm":"2024-01-01T00:00:00.000Z",)"
              R"("atualizadoEm":"2024-01-02T00:00:00Z"})");
}

// Revisions are exact 64-bit integers: read from their digits, never rounded through a double.
TEST(ItemCifrado, RevisaoEhUmInteiroExatoDe64Bits)
{
    const struct {
        const char *revisao;
        std::optional<qint64> lida; // nothing: the item does not read
    } casos[] = {
        {"9007199254740993", 9007199254740993LL}, // 2^53 + 1, no double holds it
        {"9223372036854775807", std::numeric_limits<qint64>::max()},
        {"-9223372036854775808", std::numeric_limits<qint64>::min()},
        {"1234567890123456789", 1234567890123456789LL},
        {"7.0", 7},
        {"9223372036854775808", std::nullopt},
        {"18446744073709551617", std::nullopt},
        {"7.5", std::nullopt},
        {"+7", std::nullopt},
        {"07", std::nullopt},
        {".5", std::nullopt},
        {"7.", std::nullopt},
        {"-", std::nullopt},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.revisao);
        const QByteArray json = R"({"id":"i","tipo":"nota","revisao":)" + QByteArray(caso.revisao)
                                + R"(,"criadoEm":"c","atualizadoEm":"a"})";
        if (!caso.lida) {
            EXPECT_THROW((void)lerItem(json), ErroDeDecodificacao);
            continue;
        }
        const ItemCifrado item = lerItem(json);
        EXPECT_EQ(item.revisao, *caso.lida);
        EXPECT_TRUE(item.paraJSON().escritoEmUTF8().contains(",\"revisao\":" + QByteArray::number(*caso.lida) + ","));
        EXPECT_EQ(lerItem(item.paraJSON().escritoEmUTF8()), item);
    }
}

TEST(ItemCifrado, EscreveTodasAsChavesNaOrdemEVoltaIgual)
{
    const ItemCifrado item{u"i2"_s, TipoDeItem::codigo, u"v1.a.b"_s, -4, u"c"_s, u"a"_s, u"d"_s};
    const QByteArray json = item.paraJSON().escritoEmUTF8();
    EXPECT_EQ(json, R"({"id":"i2","tipo":"codigo","dados":"v1.a.b","revisao":-4,"criadoEm":"c","atualizadoEm":"a",)"
                    R"("apagadoEm":"d"})");
    EXPECT_EQ(lerItem(json), item);
    ItemCifrado outro = item;
    outro.apagadoEm = u"e"_s;
    EXPECT_NE(outro, item);
}

TEST(ItemCifrado, NuloEmDadosEApagadoEmLeComoAusente)
{
    const ItemCifrado item = lerItem(
        R"({"id":"i3","tipo":"senha","dados":null,"revisao":1,"criadoEm":"c","atualizadoEm":"a","apagadoEm":null})");
    EXPECT_FALSE(item.dados);
    EXPECT_FALSE(item.apagadoEm);
}

TEST(ItemCifrado, RecusaTipoDesconhecidoOuChaveObrigatoriaEmFalta)
{
    const QByteArray casos[] = {
        R"({"id":"i","tipo":"cartao","revisao":1,"criadoEm":"c","atualizadoEm":"a"})",
        R"({"id":"i","tipo":"Nota","revisao":1,"criadoEm":"c","atualizadoEm":"a"})",
        R"({"tipo":"nota","revisao":1,"criadoEm":"c","atualizadoEm":"a"})",
        R"({"id":"i","revisao":1,"criadoEm":"c","atualizadoEm":"a"})",
        R"({"id":"i","tipo":"nota","criadoEm":"c","atualizadoEm":"a"})",
        R"({"id":"i","tipo":"nota","revisao":1.5,"criadoEm":"c","atualizadoEm":"a"})",
        R"({"id":"i","tipo":"nota","revisao":1,"atualizadoEm":"a"})",
        R"({"id":"i","tipo":"nota","revisao":1,"criadoEm":"c"})",
        R"({"id":"i","tipo":"nota","dados":5,"revisao":1,"criadoEm":"c","atualizadoEm":"a"})",
    };
    for (const QByteArray &json : casos) {
        SCOPED_TRACE(json.toStdString());
        EXPECT_THROW((void)lerItem(json), ErroDeDecodificacao);
    }
}

TEST(ItemCifrado, AbrirDaOObjetoDoConteudo)
{
    const ItemCifrado item = selado(u"i4"_s, TipoDeItem::nota, R"({"titulo":"Wi-Fi","texto":"x","favorito":true})");
    const ItemAberto aberto = ItemAberto::de(item, item.abrir(chave));
    EXPECT_EQ(aberto.id, u"i4");
    EXPECT_EQ(aberto.revisao, 3);
    EXPECT_EQ(aberto.criadoEm, item.criadoEm);
    EXPECT_EQ(aberto.atualizadoEm, item.atualizadoEm);
    ASSERT_TRUE(aberto.conteudo.nota());
    EXPECT_EQ(aberto.titulo(), u"Wi-Fi");
    EXPECT_TRUE(aberto.favorito());
}

TEST(ItemCifrado, AbrirFalhaComOCodigoCerto)
{
    struct Caso {
        const char *nome;
        ItemCifrado item;
        QByteArray chave;
        QString codigo;
    };
    ItemCifrado semDados = selado(u"i"_s, TipoDeItem::nota, "{}");
    semDados.dados.reset();
    ItemCifrado lixo = selado(u"i"_s, TipoDeItem::nota, "{}");
    lixo.dados = u"v2.AAAA.BBBB"_s;
    const Caso casos[] = {
        {"lista", selado(u"i"_s, TipoDeItem::nota, "[1,2]"), chave, u"json-invalido"_s},
        {"texto", selado(u"i"_s, TipoDeItem::nota, R"("ola")"), chave, u"json-invalido"_s},
        {"nao-json", selado(u"i"_s, TipoDeItem::nota, "{titulo:1}"), chave, u"json-invalido"_s},
        {"outro-id", selado(u"i"_s, TipoDeItem::nota, "{}", u"j"_s), chave, u"falha-ao-decifrar"_s},
        {"outra-chave", selado(u"i"_s, TipoDeItem::nota, "{}"), QByteArray(32, 'k'), u"falha-ao-decifrar"_s},
        {"chave-curta", selado(u"i"_s, TipoDeItem::nota, "{}"), QByteArray(16, 'k'), u"chave-invalida"_s},
        {"formato", lixo, chave, u"formato-desconhecido"_s},
        {"apagado", semDados, chave, u"formato-desconhecido"_s},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(erroAoAbrir(caso.item, caso.chave), caso.codigo);
    }
}

// Keys this version does not know must survive open → edit → write → seal → open, in place.
TEST(ItemCifrado, ChavesDesconhecidasSobrevivemAEdicaoNaMesmaPosicao)
{
    const QByteArray original = R"({"emissor":"GitHub","icone":"github","futuro":{"a":[1,"b",null]},"conta":"ana",)"
                                R"("segredo":"JBSWY3DPEHPK3PXP","digitos":6,"periodo":30,"favorito":false,"notas":""})";
    const ItemCifrado item = selado(u"i5"_s, TipoDeItem::codigo, original);
    ItemAberto aberto = ItemAberto::de(item, item.abrir(chave));
    DadosDeCodigo *codigo = aberto.conteudo.codigo();
    ASSERT_TRUE(codigo);
    codigo->json.definir(u"conta"_s, ValorJSON::texto(u"bia"_s));
    codigo->json.definir(u"favorito"_s, ValorJSON::booleano(true));
    codigo->definirSites({u"github.com"_s});

    const QByteArray escrito = ValorJSON::objeto(aberto.conteudo.json()).escritoEmUTF8();
    const QByteArray esperado = R"({"emissor":"GitHub","icone":"github","futuro":{"a":[1,"b",null]},"conta":"bia",)"
                                R"("segredo":"JBSWY3DPEHPK3PXP","digitos":6,"periodo":30,"favorito":true,"notas":"",)"
                                R"("sites":["github.com"]})";
    EXPECT_EQ(escrito, esperado);

    const ItemCifrado resselado = selado(u"i5"_s, TipoDeItem::codigo, escrito);
    EXPECT_EQ(ValorJSON::objeto(resselado.abrir(chave)).escritoEmUTF8(), esperado);
}
