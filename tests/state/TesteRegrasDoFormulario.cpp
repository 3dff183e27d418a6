// The digits of a typed code and when a code field is ready.
#include "state/RegrasDoFormulario.h"

#include <gtest/gtest.h>

TEST(RegrasDoFormulario, DigitosDoCodigoEProntoComSeis)
{
    struct Caso {
        const char *nome;
        QString digitado;
        QString digitos;
        bool pronto;
    };
    const Caso casos[] = {
        {"six ASCII digits", QStringLiteral("123456"), QStringLiteral("123456"), true},
        {"two groups with a space", QStringLiteral("123 456"), QStringLiteral("123456"), true},
        {"two groups with a dash", QStringLiteral("123-456"), QStringLiteral("123456"), true},
        {"letters and line breaks dropped", QStringLiteral("a1b2\nc3 4 5 6!"), QStringLiteral("123456"), true},
        {"five digits", QStringLiteral("12 345"), QStringLiteral("12345"), false},
        {"seven digits", QStringLiteral("1234567"), QStringLiteral("1234567"), false},
        {"empty", QString(), QString(), false},
        {"Arabic-Indic digits kept as typed", QStringLiteral("\u0661\u0662\u0663 \u0664\u0665\u0666"),
         QStringLiteral("\u0661\u0662\u0663\u0664\u0665\u0666"), true},
        {"full-width digits", QStringLiteral("\uFF11\uFF12\uFF13\uFF14\uFF15\uFF16"),
         QStringLiteral("\uFF11\uFF12\uFF13\uFF14\uFF15\uFF16"), true},
        // Mathematical bold digits lie outside the basic plane: one digit each, not two.
        {"digits outside the basic plane", QString::fromUcs4(U"\U0001D7CF\U0001D7D0\U0001D7D1456"),
         QString::fromUcs4(U"\U0001D7CF\U0001D7D0\U0001D7D1456"), true},
        {"other numeric characters count", QStringLiteral("12345\u00BD"), QStringLiteral("12345\u00BD"), true},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(digitosDoCodigo(caso.digitado), caso.digitos);
        EXPECT_EQ(codigoPronto(caso.digitado), caso.pronto);
    }
}
