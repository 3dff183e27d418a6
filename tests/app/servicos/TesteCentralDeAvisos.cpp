#include "app/servicos/CentralDeAvisos.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

using namespace std::chrono_literals;

namespace {

TEST(CentralDeAvisos, ComecaVaziaEDuraUmSegundoEOitoDecimos)
{
    const CentralDeAvisos central;
    EXPECT_EQ(central.atual(), std::nullopt);
    EXPECT_EQ(central.contadorDeCopias(), 0);
    EXPECT_FALSE(central.escondendo());
    EXPECT_EQ(CentralDeAvisos::duracaoPadrao, 1800ms);
}

TEST(CentralDeAvisos, MostrarExibeNaHoraESomeDepoisDaDuracao)
{
    CentralDeAvisos central(nullptr, 150ms);
    QSignalSpy mudou(&central, &CentralDeAvisos::atualMudou);
    QElapsedTimer relogio;
    relogio.start();

    central.mostrar("Código copiado", "checkmark.circle.fill");
    ASSERT_TRUE(central.atual().has_value());
    EXPECT_EQ(central.atual()->texto, "Código copiado");
    EXPECT_EQ(central.atual()->simbolo, "checkmark.circle.fill");
    EXPECT_FALSE(central.atual()->id.isNull());
    EXPECT_EQ(mudou.count(), 1);

    ASSERT_TRUE(mudou.wait(2000));
    EXPECT_EQ(central.atual(), std::nullopt);
    EXPECT_GE(relogio.elapsed(), 140);
    EXPECT_FALSE(central.escondendo());
}

TEST(CentralDeAvisos, NovoAvisoCancelaASaidaDoAnterior)
{
    // The first countdown would end at 300 ms; the second toast, at 150 ms, must stay until
    // 300 ms after itself.
    CentralDeAvisos central(nullptr, 300ms);
    central.mostrar("Primeiro", "info.circle.fill");
    QTest::qWait(150);
    QElapsedTimer desdeOSegundo;
    desdeOSegundo.start();
    central.mostrar("Segundo", "info.circle.fill");
    ASSERT_TRUE(central.atual().has_value());
    EXPECT_EQ(central.atual()->texto, "Segundo");

    QSignalSpy mudou(&central, &CentralDeAvisos::atualMudou);
    QTest::qWait(220); // past the first toast's end
    ASSERT_TRUE(central.atual().has_value());
    EXPECT_EQ(central.atual()->texto, "Segundo");
    EXPECT_EQ(mudou.count(), 0);

    ASSERT_TRUE(mudou.wait(2000));
    EXPECT_EQ(central.atual(), std::nullopt);
    EXPECT_GE(desdeOSegundo.elapsed(), 290);
}

TEST(CentralDeAvisos, MesmoTextoDuasVezesAindaEhUmaMudanca)
{
    CentralDeAvisos central(nullptr, 10s);
    QSignalSpy mudou(&central, &CentralDeAvisos::atualMudou);
    central.mostrar("Salvo", "checkmark.circle.fill");
    const QUuid primeiro = central.atual()->id;
    central.mostrar("Salvo", "checkmark.circle.fill");
    EXPECT_EQ(mudou.count(), 2);
    EXPECT_NE(central.atual()->id, primeiro);
    EXPECT_TRUE(central.escondendo());
}

TEST(CentralDeAvisos, LimparDuranteAContagemNaoAvisaDeNovoNoFim)
{
    CentralDeAvisos central(nullptr, 100ms);
    central.mostrar("Salvo", "checkmark.circle.fill");
    QSignalSpy mudou(&central, &CentralDeAvisos::atualMudou);
    central.definirAtual(std::nullopt);
    EXPECT_EQ(mudou.count(), 1);
    QTest::qWait(250);
    EXPECT_EQ(mudou.count(), 1);
    EXPECT_EQ(central.atual(), std::nullopt);
}

TEST(CentralDeAvisos, DefinirOMesmoAvisoNaoAvisa)
{
    CentralDeAvisos central;
    const Aviso aviso{QUuid::createUuid(), "Oi", "info.circle.fill"};
    central.definirAtual(aviso);
    QSignalSpy mudou(&central, &CentralDeAvisos::atualMudou);
    central.definirAtual(aviso);
    EXPECT_EQ(mudou.count(), 0);
    // Same id, other text: a different toast.
    central.definirAtual(Aviso{aviso.id, "Olá", aviso.simbolo});
    EXPECT_EQ(mudou.count(), 1);
}

TEST(CentralDeAvisos, ContadorDeCopiasSoAvisaQuandoMuda)
{
    CentralDeAvisos central;
    QSignalSpy mudou(&central, &CentralDeAvisos::contadorDeCopiasMudou);
    central.definirContadorDeCopias(central.contadorDeCopias() + 1);
    central.definirContadorDeCopias(central.contadorDeCopias() + 1);
    central.definirContadorDeCopias(2);
    EXPECT_EQ(central.contadorDeCopias(), 2);
    EXPECT_EQ(mudou.count(), 2);
}

} // namespace
