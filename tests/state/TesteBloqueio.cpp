// Locking on command and around the foreground, unlocking, the section gate and the protection
// offer, with the uptime clock and the waits injected.
#include "AmbienteDoEstado.h"

#include <QFile>
#include <QPromise>
#include <QSignalSpy>
#include <QTest>

namespace {

using Fase = EstadoDoApp::Fase;

} // namespace

class Bloqueio : public TesteDoEstado {
protected:
    void SetUp() override
    {
        TesteDoEstado::SetUp();
        semeada = semearConta();
    }

    // An open vault with app protection on and the given lock delay.
    EstadoDoApp &abertoComProtecao(OpcaoDeBloqueio atraso = OpcaoDeBloqueio::imediato, bool proteger = true)
    {
        EstadoDoApp &aberto = estadoAberto(semeada);
        aberto.preferencias()->definirProtegerApp(proteger);
        aberto.preferencias()->definirBloqueio(atraso);
        servidor.limparPedidos();
        return aberto;
    }

    // Whether a sync of the open store reached the server, waiting for it generously.
    bool sincronizou() { return esperarAte([this] { return !pedidos("GET", "/v1/cofre").isEmpty(); }); }

    ContaSemeada semeada;
};

TEST_F(Bloqueio, ComandoDeBloqueioSoTravaAbertoComProtecaoEDonoDisponivel)
{
    struct Caso {
        const char *nome;
        bool proteger;
        bool disponivel;
        bool trava;
    };
    const Caso casos[] = {
        {"proteção ligada e dono disponível", true, true, true},
        {"proteção desligada", false, true, false},
        {"sem autenticação do dono", true, false, false},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        EstadoDoApp &aberto = abertoComProtecao(OpcaoDeBloqueio::imediato, caso.proteger);
        EXPECT_TRUE(Testes::executar(aberto.liberarSecoes()));
        donoDisponivel = caso.disponivel;
        Cofre *const cofre = aberto.cofre();

        aberto.bloquear();
        EXPECT_EQ(aberto.fase(), caso.trava ? Fase::bloqueado : Fase::aberto);
        EXPECT_EQ(aberto.secoesLiberadas(), !caso.trava);
        EXPECT_EQ(aberto.cofre(), cofre) << "travar não descarta o cofre";
        EXPECT_TRUE(aberto.conta());
        donoDisponivel = true;
    }
}

TEST_F(Bloqueio, EventosDoObservadorTravamComoOComando)
{
    for (const auto evento : {&EstadoDoApp::aoAdormecerAsTelas, &EstadoDoApp::aoTrocarDeSessao}) {
        EstadoDoApp &aberto = abertoComProtecao();
        (aberto.*evento)();
        EXPECT_EQ(aberto.fase(), Fase::bloqueado);
    }
}

TEST_F(Bloqueio, BloquearForaDoAbertoNaoFazNada)
{
    EstadoDoApp &iniciado = estadoIniciado();
    ASSERT_EQ(iniciado.fase(), Fase::semConta);
    iniciado.bloquear();
    iniciado.aoIrParaSegundoPlano();
    iniciado.aoVoltarAoPrimeiroPlano();
    EXPECT_EQ(iniciado.fase(), Fase::semConta);
    EXPECT_FALSE(iniciado.momentoDoSegundoPlano());
}

TEST_F(Bloqueio, SairDoPrimeiroPlanoComAtrasoImediatoTrava)
{
    EstadoDoApp &aberto = abertoComProtecao(OpcaoDeBloqueio::imediato);
    aberto.aoIrParaSegundoPlano();
    EXPECT_EQ(aberto.fase(), Fase::bloqueado);
    EXPECT_EQ(aberto.momentoDoSegundoPlano(), MomentoOpcional(1000));

    aberto.aoVoltarAoPrimeiroPlano();
    EXPECT_EQ(aberto.fase(), Fase::bloqueado);
    EXPECT_FALSE(aberto.momentoDoSegundoPlano()) << "o retorno consome o momento";
}

TEST_F(Bloqueio, AtrasosAoVoltarDoSegundoPlano)
{
    struct Caso {
        const char *nome;
        OpcaoDeBloqueio atraso;
        double fora; // seconds
        bool trava;
        bool secoesContinuam;
    };
    const Caso casos[] = {
        {"um minuto, fora 59 s", OpcaoDeBloqueio::umMinuto, 59, false, true},
        {"um minuto, fora 60 s", OpcaoDeBloqueio::umMinuto, 60, true, false},
        {"cinco minutos, fora 299 s", OpcaoDeBloqueio::cincoMinutos, 299, false, true},
        {"cinco minutos, fora 300 s", OpcaoDeBloqueio::cincoMinutos, 300, true, false},
        {"quinze minutos, fora 301 s", OpcaoDeBloqueio::quinzeMinutos, 301, false, false},
        {"quinze minutos, fora 900 s", OpcaoDeBloqueio::quinzeMinutos, 900, true, false},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        EstadoDoApp &aberto = abertoComProtecao(caso.atraso);
        EXPECT_TRUE(Testes::executar(aberto.liberarSecoes()));
        aberto.aoIrParaSegundoPlano();
        EXPECT_EQ(aberto.fase(), Fase::aberto);
        tempo += caso.fora;
        // A sync starts within the return or not at all: the store flags it before it sends.
        QSignalSpy sincronias(aberto.cofre(), &Cofre::sincronizandoMudou);
        aberto.aoVoltarAoPrimeiroPlano();

        EXPECT_EQ(aberto.fase(), caso.trava ? Fase::bloqueado : Fase::aberto);
        EXPECT_EQ(aberto.secoesLiberadas(), caso.secoesContinuam);
        EXPECT_FALSE(aberto.momentoDoSegundoPlano());
        EXPECT_EQ(sincronias.count(), caso.trava ? 0 : 1);
        if (!caso.trava) {
            EXPECT_TRUE(sincronizou());
        }
    }
}

TEST_F(Bloqueio, VoltarSemMomentoSoSincroniza)
{
    EstadoDoApp &aberto = abertoComProtecao(OpcaoDeBloqueio::umMinuto);
    aberto.aoVoltarAoPrimeiroPlano();
    EXPECT_EQ(aberto.fase(), Fase::aberto);
    EXPECT_TRUE(sincronizou());
}

TEST_F(Bloqueio, ProtecaoDesligadaNenhumGatilhoTrava)
{
    EstadoDoApp &aberto = abertoComProtecao(OpcaoDeBloqueio::imediato, /*proteger=*/false);
    aberto.bloquear();
    aberto.aoIrParaSegundoPlano();
    tempo += 10000;
    aberto.aoVoltarAoPrimeiroPlano();
    EXPECT_EQ(aberto.fase(), Fase::aberto);
}

// A lock screen that owner authentication can never pass would shut the user out for good: the
// automatic locks check availability as the lock command does.
TEST_F(Bloqueio, TravasAutomaticasSemAutenticacaoDisponivelNaoTravam)
{
    EstadoDoApp &imediato = abertoComProtecao(OpcaoDeBloqueio::imediato);
    donoDisponivel = false;
    imediato.aoIrParaSegundoPlano();
    EXPECT_EQ(imediato.fase(), Fase::aberto);
    imediato.aoVoltarAoPrimeiroPlano();
    EXPECT_EQ(imediato.fase(), Fase::aberto);
    EXPECT_TRUE(sincronizou()) << "sem travar, o retorno sincroniza";

    donoDisponivel = true;
    EstadoDoApp &comAtraso = abertoComProtecao(OpcaoDeBloqueio::umMinuto);
    comAtraso.aoIrParaSegundoPlano();
    donoDisponivel = false;
    tempo += 120;
    comAtraso.aoVoltarAoPrimeiroPlano();
    EXPECT_EQ(comAtraso.fase(), Fase::aberto);
}

TEST_F(Bloqueio, DesbloquearComODonoAbreUmCofreNovo)
{
    EstadoDoApp &aberto = abertoComProtecao();
    aberto.bloquear();
    ASSERT_EQ(aberto.fase(), Fase::bloqueado);
    const QPointer<Cofre> antigo(aberto.cofre());

    EXPECT_TRUE(Testes::executar(aberto.desbloquear()));
    EXPECT_EQ(motivos, QStringList{QStringLiteral("Abrir o Corvane")});
    EXPECT_EQ(aberto.fase(), Fase::aberto);
    EXPECT_TRUE(aberto.secoesLiberadas());
    ASSERT_NE(aberto.cofre(), nullptr);
    EXPECT_NE(aberto.cofre(), antigo.data());
    EXPECT_EQ(aberto.cofre()->chave(), semeada.chave);
    EXPECT_TRUE(sincronizou());

    motivos.clear();
    EXPECT_TRUE(Testes::executar(aberto.desbloquear())) << "já aberto";
    EXPECT_TRUE(motivos.isEmpty());
}

TEST_F(Bloqueio, DesbloqueioRecusadoFicaBloqueado)
{
    EstadoDoApp &aberto = abertoComProtecao();
    aberto.bloquear();
    donoConfirma = false;
    EXPECT_FALSE(Testes::executar(aberto.desbloquear()));
    EXPECT_EQ(aberto.fase(), Fase::bloqueado);
    EXPECT_EQ(chaveNoChaveiro(), semeada.chave);
}

TEST_F(Bloqueio, DesbloquearSemChaveApagaESemCopiaUsaAContaEmMemoria)
{
    // No key in the keychain.
    {
        EstadoDoApp &aberto = abertoComProtecao();
        aberto.bloquear();
        Chaveiro::apagar(QString::fromLatin1(Chaveiro::contaDaChaveDoCofre));
        EXPECT_FALSE(Testes::executar(aberto.desbloquear()));
        EXPECT_EQ(aberto.fase(), Fase::semConta);
        EXPECT_FALSE(aberto.conta());
        EXPECT_EQ(aberto.cofre(), nullptr);
        EXPECT_FALSE(QFile::exists(CopiaDoCofre::arquivo()));
        EXPECT_FALSE(sessaoNoChaveiro());
    }
    // Locked at start (no account held yet) and the copy has become unreadable.
    {
        deixarEntrado(semeada);
        suite().definirLogico(QString::fromLatin1(chaveDeProtegerApp), true);
        EstadoDoApp &bloqueado = estadoIniciado();
        ASSERT_EQ(bloqueado.fase(), Fase::bloqueado);
        ASSERT_TRUE(bloqueado.conta());
        // The start routine keeps the account: the copy is not read again.
        CopiaDoCofre::apagar();
        EXPECT_TRUE(Testes::executar(bloqueado.desbloquear()));
        EXPECT_EQ(bloqueado.fase(), Fase::aberto);
        esperarSincronia();
    }
}

// An unreachable keyring at unlock says nothing about the key: nothing stored is deleted.
TEST_F(Bloqueio, DesbloquearComChaveiroIndisponivelNaoApaga)
{
    EstadoDoApp &aberto = abertoComProtecao();
    aberto.bloquear();
    segredos->tornarIndisponivel(true);
    EXPECT_FALSE(Testes::executar(aberto.desbloquear()));
    EXPECT_EQ(aberto.fase(), Fase::semConta);
    EXPECT_EQ(identidades->remocoes, 0);
    EXPECT_TRUE(aberto.preferencias()->protegerApp());

    segredos->tornarIndisponivel(false);
    EXPECT_EQ(chaveNoChaveiro(), semeada.chave);
    EXPECT_TRUE(sessaoNoChaveiro());
    EXPECT_TRUE(QFile::exists(CopiaDoCofre::arquivo()));
    EXPECT_TRUE(aberto.api()->temSessao());
}

// The lock screen's automatic attempt and a click on its button at the same time: one prompt,
// one store.
TEST_F(Bloqueio, DoisDesbloqueiosAoMesmoTempoAbremUmaVez)
{
    EstadoDoApp &aberto = abertoComProtecao();
    aberto.bloquear();
    // The prompt stays open until both calls have been made.
    QPromise<void> respostaDoDono;
    respostaDoDono.start();
    portaoDoDono = respostaDoDono.future();
    QSignalSpy cofres(&aberto, &EstadoDoApp::cofreMudou);

    QCoro::Task<bool> automatico = aberto.tentarDesbloquearSozinho();
    QCoro::Task<bool> clique = aberto.desbloquear();
    EXPECT_EQ(motivos.size(), 1);
    respostaDoDono.finish();
    EXPECT_TRUE(Testes::executar(std::move(automatico)));
    EXPECT_TRUE(Testes::executar(std::move(clique)));

    EXPECT_EQ(motivos.size(), 1);
    EXPECT_EQ(cofres.count(), 1);
    EXPECT_EQ(aberto.fase(), Fase::aberto);
}

// Locked because the user went to another application: the automatic attempt's prompt waits
// until ours is in front again, rather than taking the focus from where the user is.
TEST_F(Bloqueio, TentativaAutomaticaEsperaOPrimeiroPlano)
{
    struct Caso {
        const char *nome;
        bool saiuDaConta; // signed out (the lock screen's "Sair desta conta") while it waited
    };
    for (const Caso caso : {Caso{"volta ao primeiro plano", false}, Caso{"saiu da conta antes", true}}) {
        SCOPED_TRACE(caso.nome);
        motivos.clear();
        EstadoDoApp &aberto = abertoComProtecao();
        aberto.aoIrParaSegundoPlano();
        ASSERT_EQ(aberto.fase(), Fase::bloqueado);
        ASSERT_FALSE(aberto.emPrimeiroPlano());

        auto resultado = std::make_shared<std::optional<bool>>();
        [](EstadoDoApp &estado, std::shared_ptr<std::optional<bool>> em) -> QCoro::Task<> {
            *em = co_await estado.tentarDesbloquearSozinho();
        }(aberto, resultado);
        QCoreApplication::processEvents();
        EXPECT_TRUE(motivos.isEmpty()) << "no segundo plano, nada de pergunta";
        EXPECT_FALSE(resultado->has_value());

        if (caso.saiuDaConta)
            Testes::executar(aberto.sair());
        aberto.aoVoltarAoPrimeiroPlano();
        EXPECT_TRUE(QTest::qWaitFor([&] { return resultado->has_value(); }, 10000));
        EXPECT_EQ(*resultado, std::optional<bool>(!caso.saiuDaConta));
        EXPECT_EQ(motivos.size(), caso.saiuDaConta ? 0 : 1) << "uma pergunta, só de volta ao primeiro plano";
        EXPECT_EQ(aberto.fase(), caso.saiuDaConta ? Fase::semConta : Fase::aberto);
    }
}

TEST_F(Bloqueio, TentativaAutomaticaUmaVezPorTrava)
{
    EstadoDoApp &aberto = abertoComProtecao();
    aberto.bloquear();
    donoConfirma = false;
    EXPECT_FALSE(Testes::executar(aberto.tentarDesbloquearSozinho()));
    EXPECT_EQ(esperas, QList<std::chrono::milliseconds>{std::chrono::milliseconds(300)});
    EXPECT_EQ(motivos.size(), 1);
    EXPECT_FALSE(aberto.podeTentarDesbloquearSozinho());

    EXPECT_FALSE(Testes::executar(aberto.tentarDesbloquearSozinho()));
    EXPECT_EQ(motivos.size(), 1) << "a segunda vez espera o botão";

    donoConfirma = true;
    EXPECT_TRUE(Testes::executar(aberto.desbloquear()));
    aberto.bloquear();
    EXPECT_TRUE(aberto.podeTentarDesbloquearSozinho()) << "cada trava oferece uma tentativa";
}

TEST_F(Bloqueio, LiberarSecoesPedeODono)
{
    EstadoDoApp &aberto = abertoComProtecao();
    donoConfirma = false;
    EXPECT_FALSE(Testes::executar(aberto.liberarSecoes()));
    EXPECT_FALSE(aberto.secoesLiberadas());
    donoConfirma = true;
    EXPECT_TRUE(Testes::executar(aberto.liberarSecoes()));
    EXPECT_TRUE(aberto.secoesLiberadas());
    EXPECT_EQ(motivos, QStringList(2, QStringLiteral("Mostrar suas senhas e notas")));
    EXPECT_TRUE(Testes::executar(aberto.liberarSecoes()));
    EXPECT_EQ(motivos.size(), 2) << "já liberadas";
}

TEST_F(Bloqueio, OfertaDeProtecao)
{
    struct Caso {
        const char *nome;
        bool disponivel;
        bool confirma;
        bool protegido;
        QString aviso;
        QString simbolo;
        qsizetype pedidos;
    };
    const Caso casos[] = {
        {"aceita", true, true, true, QStringLiteral("O Corvane vai abrir com senha do computador"), QStringLiteral("lock"), 1},
        {"recusa", true, false, false, QStringLiteral("Você pode ligar a senha do computador em Ajustes."),
         QStringLiteral("info.circle.fill"), 1},
        {"sem autenticação", false, true, false,
         QStringLiteral("Este computador não tem senha de acesso. O Corvane vai abrir sem bloqueio."),
         QStringLiteral("info.circle.fill"), 0},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        EstadoDoApp &aberto = abertoComProtecao(OpcaoDeBloqueio::quinzeMinutos, !caso.protegido);
        donoDisponivel = caso.disponivel;
        donoConfirma = caso.confirma;
        motivos.clear();
        esperas.clear();

        Testes::executar(aberto.configurarProtecao());
        EXPECT_EQ(aberto.preferencias()->protegerApp(), caso.protegido);
        ASSERT_TRUE(aberto.avisos()->atual());
        EXPECT_EQ(aberto.avisos()->atual()->texto, caso.aviso);
        EXPECT_EQ(aberto.avisos()->atual()->simbolo, caso.simbolo);
        EXPECT_EQ(motivos.size(), caso.pedidos);
        if (caso.pedidos > 0) {
            EXPECT_EQ(motivos.first(), QStringLiteral("Usar a senha do computador para abrir o Corvane"));
            EXPECT_EQ(esperas, QList<std::chrono::milliseconds>{std::chrono::milliseconds(600)});
        }
        EXPECT_EQ(aberto.preferencias()->bloqueio(),
                  caso.protegido ? OpcaoDeBloqueio::imediato : OpcaoDeBloqueio::quinzeMinutos);
    }
}

// Leaving during a screen capture is not counted while it runs; when the last capture ends and
// the program is still inactive, the user has left and it counts from then.
TEST_F(Bloqueio, CapturaQueTerminaForaDoPrimeiroPlanoContaComoSaida)
{
    struct Caso {
        const char *nome;
        OpcaoDeBloqueio atraso;
        double depoisDaCaptura; // seconds away after the capture ended
        bool travaAoTerminar;
        bool travaAoVoltar;
    };
    const Caso casos[] = {
        {"imediato", OpcaoDeBloqueio::imediato, 0, true, true},
        {"um minuto, volta 59 s depois", OpcaoDeBloqueio::umMinuto, 59, false, false},
        {"um minuto, volta 60 s depois", OpcaoDeBloqueio::umMinuto, 60, false, true},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        EstadoDoApp &aberto = abertoComProtecao(caso.atraso);
        aberto.comecarCapturaDaTela();
        aberto.comecarCapturaDaTela(); // two marks: only the last one counts
        aberto.aoIrParaSegundoPlano();
        tempo += 100; // the portal's question: not time away
        aberto.terminarCapturaDaTela();
        EXPECT_EQ(aberto.fase(), Fase::aberto);
        EXPECT_FALSE(aberto.momentoDoSegundoPlano());

        aberto.terminarCapturaDaTela();
        EXPECT_EQ(aberto.fase(), caso.travaAoTerminar ? Fase::bloqueado : Fase::aberto);
        EXPECT_TRUE(aberto.momentoDoSegundoPlano());
        tempo += caso.depoisDaCaptura;
        aberto.aoVoltarAoPrimeiroPlano();
        EXPECT_EQ(aberto.fase(), caso.travaAoVoltar ? Fase::bloqueado : Fase::aberto);
        EXPECT_FALSE(aberto.momentoDoSegundoPlano());
    }
}

TEST_F(Bloqueio, CapturaQueTerminaNoPrimeiroPlanoOuDepoisDeSairNaoMudaNada)
{
    EstadoDoApp &aberto = abertoComProtecao(OpcaoDeBloqueio::umMinuto);
    aberto.comecarCapturaDaTela();
    aberto.aoIrParaSegundoPlano();
    aberto.aoVoltarAoPrimeiroPlano();
    aberto.terminarCapturaDaTela();
    EXPECT_FALSE(aberto.momentoDoSegundoPlano()) << "de volta antes do fim da captura";

    aberto.aoIrParaSegundoPlano();
    const std::optional<double> saida = aberto.momentoDoSegundoPlano();
    ASSERT_TRUE(saida);
    tempo += 30;
    aberto.comecarCapturaDaTela();
    aberto.terminarCapturaDaTela();
    EXPECT_EQ(aberto.momentoDoSegundoPlano(), saida) << "a saída já contada guarda o seu momento";
    aberto.terminarCapturaDaTela(); // an unmatched end is ignored
    EXPECT_EQ(aberto.momentoDoSegundoPlano(), saida);
}
