#include "servicos/CentralDeAvisos.h"
#include "support/RelogioDeTeste.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

using namespace std::chrono_literals;

namespace {

TEST(CentralDeAvisos, ComecaVazia)
{
    const CentralDeAvisos central;
    EXPECT_EQ(central.atual(), std::nullopt);
    EXPECT_EQ(central.contadorDeCopias(), 0);
    EXPECT_FALSE(central.escondendo());
}

TEST(CentralDeAvisos, MostrarExibeNaHoraESomeUmSegundoEOitoDecimosDepois)
{
    RelogioDeTeste relogio;
    CentralDeAvisos central(nullptr, &relogio);
    QSignalSpy mudou(&central, &CentralDeAvisos::atualMudou);

    central.mostrar("Código copiado", "checkmark.circle.fill");
    ASSERT_TRUE(central.atual().has_value());
    EXPECT_EQ(central.atual()->texto, "Código copiado");
    EXPECT_EQ(central.atual()->simbolo, "checkmark.circle.fill");
    EXPECT_FALSE(central.atual()->id.isNull());
    EXPECT_EQ(mudou.count(), 1);

    relogio.avancar(1799ms);
    EXPECT_TRUE(central.atual().has_value());
    EXPECT_TRUE(central.escondendo());
    relogio.avancar(1ms);
    EXPECT_EQ(central.atual(), std::nullopt);
    EXPECT_EQ(mudou.count(), 2);
    EXPECT_FALSE(central.escondendo());
}

TEST(CentralDeAvisos, NovoAvisoRecomecaAContagemEAAnteriorNuncaOApaga)
{
    // The second toast, 1 s after the first, stays until 1.8 s after itself (2.8 s in all);
    // the first countdown, cancelled, must not clear it at 1.8 s. Also with the same text.
    for (const char *segundo : {"Segundo", "Primeiro"}) {
        SCOPED_TRACE(segundo);
        RelogioDeTeste relogio;
        CentralDeAvisos central(nullptr, &relogio);
        central.mostrar("Primeiro", "info.circle.fill");
        relogio.avancar(1000ms);
        QSignalSpy mudou(&central, &CentralDeAvisos::atualMudou);
        central.mostrar(segundo, "info.circle.fill");
        EXPECT_EQ(mudou.count(), 1);
        const Aviso mostrado = *central.atual();

        relogio.avancar(800ms); // the first toast's end
        EXPECT_EQ(central.atual(), mostrado);
        relogio.avancar(999ms);
        EXPECT_EQ(central.atual(), mostrado);
        EXPECT_EQ(mudou.count(), 1);
        relogio.avancar(1ms);
        EXPECT_EQ(central.atual(), std::nullopt);
        EXPECT_EQ(mudou.count(), 2);
    }
}

TEST(CentralDeAvisos, MesmoTextoDuasVezesAindaEhUmaMudanca)
{
    RelogioDeTeste relogio;
    CentralDeAvisos central(nullptr, &relogio);
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
    RelogioDeTeste relogio;
    CentralDeAvisos central(nullptr, &relogio);
    central.mostrar("Salvo", "checkmark.circle.fill");
    QSignalSpy mudou(&central, &CentralDeAvisos::atualMudou);
    central.definirAtual(std::nullopt);
    EXPECT_EQ(mudou.count(), 1);
    relogio.avancar(CentralDeAvisos::duracao);
    EXPECT_FALSE(central.escondendo());
    EXPECT_EQ(mudou.count(), 1);
    EXPECT_EQ(central.atual(), std::nullopt);
}

TEST(CentralDeAvisos, NoRelogioDoSistemaTambemSome)
{
    // The real countdown: its end is awaited, with room for a loaded machine.
    CentralDeAvisos central;
    QSignalSpy mudou(&central, &CentralDeAvisos::atualMudou);
    central.mostrar("Salvo", "checkmark.circle.fill");
    ASSERT_TRUE(mudou.wait(30'000));
    EXPECT_EQ(mudou.count(), 2);
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
