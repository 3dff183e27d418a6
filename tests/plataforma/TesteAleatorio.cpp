#include "plataforma/Aleatorio.h"

#include <gtest/gtest.h>

#include <QSet>

TEST(Aleatorio, DaATamanhoPedidoEValoresDiferentes)
{
    EXPECT_TRUE(Aleatorio::bytes(0).isEmpty());
    EXPECT_EQ(Aleatorio::bytes(12).size(), 12);
    QSet<QByteArray> vistos;
    for (int i = 0; i < 64; ++i)
        vistos.insert(Aleatorio::bytes(16));
    EXPECT_EQ(vistos.size(), 64);
}

TEST(AleatorioMorte, ContagemNegativaParaOPrograma)
{
    EXPECT_DEATH((void)Aleatorio::bytes(-1), "negative");
}
