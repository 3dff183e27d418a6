// The local copy written straight to bytes is the value writer's text, byte for byte, whatever
// its items hold.
#include "core/CopiaDoCofre.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(CopiaEmBytes, MesmoTextoDoEscritorDeValores)
{
    Conta conta;
    conta.id = u"conta-1"_s;
    conta.email = u"ana@exemplo.com"_s;
    conta.nome = u"Ana \"A\" \\ Sá 😀"_s;
    conta.kdf = {u"argon2id"_s, 3, 65536, 1};

    const ItemCifrado vivo{u"a"_s, TipoDeItem::senha, u"v1.AAAAAAAAAAAAAAAA.AAAAAAAAAAAAAAAAAAAAAA"_s, 7,
                           u"2024-01-01T00:00:00Z"_s, u"2024-01-02T00:00:00Z"_s, std::nullopt};
    const ItemCifrado apagado{u"b"_s, TipoDeItem::nota, std::nullopt, 9007199254740993LL, u"x"_s, u"y"_s,
                              u"2024-01-03T00:00:00Z"_s};
    // Texts a hand-edited or damaged file could hold: quotes, backslashes, controls, non-ASCII,
    // a lone surrogate, an empty text.
    QString estranho = u"q\"b\\c\n\t\u0001\u007f/é😀"_s;
    estranho.append(QChar(0xD800));
    const ItemCifrado esquisito{estranho, TipoDeItem::codigo, estranho, -3, QString(), estranho, estranho};

    const QList<QList<ItemCifrado>> listas = {{}, {vivo}, {vivo, apagado, esquisito}};
    for (const qint64 revisao : {0LL, 42LL, -1LL, 1LL << 53}) {
        for (const QList<ItemCifrado> &itens : listas) {
            SCOPED_TRACE(std::to_string(revisao) + " / " + std::to_string(itens.size()));
            CopiaDoCofre copia;
            copia.versao = 2; // always written as 1
            copia.conta = conta;
            copia.revisao = revisao;
            copia.itens = itens;
            EXPECT_EQ(copia.emBytes(), CodificacaoJSON::escreverDocumento(copia.paraJSON()));
        }
    }
}
