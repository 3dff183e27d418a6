// The digits of a typed code, what is sent of them and when a code field is ready.
#include "state/RegrasDoFormulario.h"

#include <gtest/gtest.h>

TEST(DigitosDoCodigo, SoOsNumerosContamESaoEnviadosComoAlgarismos)
{
    const struct {
        const char *digitado;
        const char *enviados;
        qsizetype quantidade;
        bool pronto;
    } casos[] = {
        {"123456", "123456", 6, true},
        {"123 456", "123456", 6, true},
        {"123-456", "123456", 6, true},
        {" 12a3b4c5d6 ", "123456", 6, true},
        {"12345", "12345", 5, false},
        {"1234567", "1234567", 7, false},
        {"", "", 0, false},
        {"abc def", "", 0, false},
        {"١٢٣٤٥٦", "123456", 6, true},          // Arabic-Indic digits
        {"１２３ ４５６", "123456", 6, true},     // full-width digits
        {"𝟏𝟐𝟑𝟒𝟓𝟔", "123456", 6, true},         // mathematical digits, outside the first plane
        {"12345½", "12345½", 6, true},          // numeric, but no digit: sent as typed
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.digitado);
        const DigitosDoCodigo digitos = digitosDoCodigo(QString::fromUtf8(caso.digitado));
        EXPECT_EQ(digitos.enviados, QString::fromUtf8(caso.enviados));
        EXPECT_EQ(digitos.quantidade, caso.quantidade);
        EXPECT_EQ(digitos.pronto(), caso.pronto);
    }
}
