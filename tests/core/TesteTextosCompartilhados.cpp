// Under a TextosCompartilhados, equal short texts read by the item-content reader share one copy;
// values read are the same whether shared or not.
#include "core/ValorJSON.h"

#include <gtest/gtest.h>

namespace {

// The storage of the text at "t" of a document {"t": texto}, in whichever form it is held (a
// QString given by comoTexto shares the stored one's storage).
const void *endereco(const ValorJSON &valor)
{
    const ValorJSON &texto = valor.comoObjeto()->pares.first().valor;
    if (const QByteArray *utf8 = texto.textoEmUTF8())
        return utf8->constData();
    return texto.comoTexto()->constData();
}

ValorJSON documento(const QByteArray &texto)
{
    return ValorJSON::ler("{\"t\":\"" + texto + "\"}");
}

} // namespace

TEST(TextosCompartilhados, SoTextosCurtosIguaisDentroDoEscopo)
{
    const QByteArray curto = "ana@exemplo.com";
    const QByteArray limite(TextosCompartilhados::maiorTexto, 'x');
    const QByteArray longo(TextosCompartilhados::maiorTexto + 1, 'x');
    struct Caso {
        QByteArray texto;
        bool escopo;
        bool compartilha;
    };
    const Caso casos[] = {
        {curto, true, true}, {limite, true, true}, {"", true, true},
        {longo, true, false}, {curto, false, false}, {"Ol\xc3\xa1", true, true},
        {"a\xff", true, true}, // repaired when read: equal texts all the same
        {"\xf0\x9f\x94\x91 chave", true, true},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.texto.toStdString());
        std::optional<TextosCompartilhados> escopo;
        if (caso.escopo)
            escopo.emplace();
        const ValorJSON a = documento(caso.texto);
        const ValorJSON b = documento(caso.texto);
        EXPECT_EQ(a, b);
        EXPECT_EQ(*a.comoObjeto()->pares.first().valor.comoTexto(), QString::fromUtf8(caso.texto));
        if (!caso.texto.isEmpty()) {
            EXPECT_EQ(endereco(a) == endereco(b), caso.compartilha);
        }
    }
}

TEST(TextosCompartilhados, LeituraEstritaNaoCompartilha)
{
    const TextosCompartilhados escopo;
    // The lenient reader repairs these bytes; the strict one must still refuse them after it.
    (void)documento("a\xff");
    EXPECT_THROW((void)ValorJSON::lerEstrito("{\"t\":\"a\xff\"}"), std::exception);
    const ValorJSON a = ValorJSON::lerEstrito("{\"t\":\"abc\"}");
    const ValorJSON b = ValorJSON::lerEstrito("{\"t\":\"abc\"}");
    EXPECT_NE(endereco(a), endereco(b));
    EXPECT_EQ(a, b);
}
