#include "servicos/Texto.h"

#include <gtest/gtest.h>

namespace {

TEST(PrimeiroCaractere, EhOPrimeiroCaractereVisivelOuNada)
{
    const struct {
        const char *nome;
        QString texto;
        std::optional<QString> esperado;
    } casos[] = {
        {"vazio", QString(), std::nullopt},
        {"letra", "Corvane", QString("C")},
        {"espaço conta", " a", QString(" ")},
        {"acento combinado", QString::fromUtf8("e\u0301xito"), QString::fromUtf8("e\u0301")},
        {"fora do plano básico", QString::fromUtf8("\U0001D11Emúsica"), QString::fromUtf8("\U0001D11E")},
        {"emoji com modificador", QString::fromUtf8("\U0001F44D\U0001F3FDok"), QString::fromUtf8("\U0001F44D\U0001F3FD")},
        {"bandeira", QString::fromUtf8("\U0001F1E7\U0001F1F7 Brasil"), QString::fromUtf8("\U0001F1E7\U0001F1F7")},
        {"quebra de linha CRLF", "\r\nx", QString("\r\n")},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(primeiroCaractere(caso.texto), caso.esperado);
    }
}

} // namespace
