// The frame's objects over a real central state: the vault menu commands follow the phase, and
// the installed watcher locks on its events but not when focus passes between our windows.
#include "app/ComandosDoMenu.h"
#include "app/VigiaDoMac.h"
#include "screens/menubar-settings/VerificadorDeAtualizacao.h"
#include "state/AmbienteDoEstado.h"
#include "support/RelogioDeTeste.h"

#include <QSignalSpy>

using namespace std::chrono_literals;
using Fase = EstadoDoApp::Fase;

namespace {

class QuadroNoEstado : public TesteDoEstado {
protected:
    EstadoDoApp &abertoEProtegido()
    {
        if (!semeada)
            semeada = semearConta();
        EstadoDoApp &aberto = estadoAberto(*semeada);
        aberto.preferencias()->definirProtegerApp(true);
        aberto.preferencias()->definirBloqueio(OpcaoDeBloqueio::imediato);
        esperarSincronia();
        servidor.limparPedidos();
        return aberto;
    }

    std::optional<ContaSemeada> semeada;
};

} // namespace

TEST_F(QuadroNoEstado, ComandosDoCofreSoNoAberto)
{
    EstadoDoApp &aberto = abertoEProtegido();
    VerificadorDeAtualizacao atualizacao;
    ComandosDoMenu comandos(&aberto, &atualizacao);
    QSignalSpy mudou(&comandos, &ComandosDoMenu::habilitacaoMudou);
    EXPECT_TRUE(comandos.bloquearHabilitado());
    EXPECT_TRUE(comandos.sincronizarHabilitado());

    comandos.sincronizar();
    EXPECT_TRUE(esperarAte([this] { return !pedidos("GET", "/v1/cofre").isEmpty(); }));

    comandos.bloquear();
    EXPECT_EQ(aberto.fase(), Fase::bloqueado);
    EXPECT_EQ(mudou.count(), 1);
    EXPECT_FALSE(comandos.bloquearHabilitado());
    EXPECT_FALSE(comandos.sincronizarHabilitado());

    // The shortcuts pressed while locked do nothing.
    servidor.limparPedidos();
    comandos.sincronizar();
    comandos.bloquear();
    EXPECT_FALSE(esperarAte([this] { return !pedidos("GET", "/v1/cofre").isEmpty(); }, 500ms));
    EXPECT_EQ(aberto.fase(), Fase::bloqueado);
}

TEST_F(QuadroNoEstado, VigiaInstaladoTravaNosEventosMasNaoAoTrocarDeJanela)
{
    struct Caso {
        const char *nome;
        std::function<void(VigiaDoMac &, RelogioDeTeste &)> evento;
        bool trava;
    };
    const Caso casos[] = {
        {"abrir os ajustes (foco entre nossas janelas)",
         [](VigiaDoMac &vigia, RelogioDeTeste &relogio) {
             vigia.aoMudarEstadoDaAplicacao(Qt::ApplicationInactive);
             relogio.avancar(50ms);
             vigia.aoMudarEstadoDaAplicacao(Qt::ApplicationActive);
             relogio.avancar(5s);
         },
         false},
        {"ir para outro programa",
         [](VigiaDoMac &vigia, RelogioDeTeste &relogio) {
             vigia.aoMudarEstadoDaAplicacao(Qt::ApplicationInactive);
             relogio.avancar(5s);
         },
         true},
        {"dormir", [](VigiaDoMac &vigia, RelogioDeTeste &) { emit vigia.adormecendo(); }, true},
        {"trocar de sessão", [](VigiaDoMac &vigia, RelogioDeTeste &) { emit vigia.sessaoSaiu(); }, true},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        EstadoDoApp &aberto = abertoEProtegido();
        RelogioDeTeste relogio;
        VigiaDoMac vigia(QDBusConnection(QStringLiteral("nenhuma")), QDBusConnection(QStringLiteral("nenhuma")), false,
                         relogio);
        vigia.instalar(aberto);
        caso.evento(vigia, relogio);
        EXPECT_EQ(aberto.fase(), caso.trava ? Fase::bloqueado : Fase::aberto);
    }
}
