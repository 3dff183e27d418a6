// Locking, the automatic lock around the foreground, unlocking, the gate of the password and
// note sections, and the offer that turns app protection on.
#include "state/EstadoDoApp.h"

#include "servicos/Seguranca.h"
#include "servicos/TextosDoComputador.h"
#include "core/Chaveiro.h"
#include "core/CopiaDoCofre.h"

#include <QCoro/QCoroFuture>
#include <QCoro/QCoroSignal>
#include <QPromise>

void EstadoDoApp::bloquear()
{
    if (fase_ == Fase::aberto && preferencias_->protegerApp() && autenticacaoDisponivel())
        travar();
}

void EstadoDoApp::travar()
{
    definirPodeTentarDesbloquearSozinho(true);
    definirSecoesLiberadas(false);
    definirFase(Fase::bloqueado);
}

void EstadoDoApp::definirEmPrimeiroPlano(bool valor)
{
    if (emPrimeiroPlano_ == valor)
        return;
    emPrimeiroPlano_ = valor;
    emit emPrimeiroPlanoMudou();
}

void EstadoDoApp::aoIrParaSegundoPlano()
{
    definirEmPrimeiroPlano(false);
    if (capturandoATela())
        return;
    contarSaida();
}

void EstadoDoApp::terminarCapturaDaTela()
{
    if (capturas_ == 0)
        return;
    --capturas_;
    // Leaving during the capture was not counted; a departure already counted keeps its moment.
    if (capturas_ == 0 && !emPrimeiroPlano_ && !momentoDoSegundoPlano_)
        contarSaida();
}

void EstadoDoApp::contarSaida()
{
    if (fase_ != Fase::aberto)
        return;
    definirMomentoDoSegundoPlano(agora());
    // Like the lock command, the automatic lock needs owner authentication to be available:
    // a lock screen that can never be passed would shut the user out of the vault for good.
    if (preferencias_->protegerApp() && preferencias_->bloqueio() == OpcaoDeBloqueio::imediato &&
        autenticacaoDisponivel())
        travar();
}

void EstadoDoApp::aoVoltarAoPrimeiroPlano()
{
    definirEmPrimeiroPlano(true);
    const auto sincronizar = [this] {
        if (fase_ == Fase::aberto && cofre_)
            (void)cofre_->sincronizar(); // not awaited; the store guards its own lifetime
    };

    if (!momentoDoSegundoPlano_) {
        sincronizar();
        return;
    }
    const double passou = agora() - *momentoDoSegundoPlano_;
    if (passou >= limiteDasSecoes)
        definirSecoesLiberadas(false);
    if (fase_ == Fase::aberto && preferencias_->protegerApp() &&
        static_cast<double>(valorBruto(preferencias_->bloqueio())) <= passou && autenticacaoDisponivel()) {
        travar();
        definirMomentoDoSegundoPlano(std::nullopt);
        return;
    }
    sincronizar();
    definirMomentoDoSegundoPlano(std::nullopt);
}

QCoro::Task<bool> EstadoDoApp::desbloquear()
{
    if (fase_ != Fase::bloqueado)
        co_return true;
    // The lock screen's automatic attempt and a click can overlap: the second joins the first
    // rather than prompting again and opening a second store.
    if (desbloqueio_) {
        const QFuture<bool> emCurso = *desbloqueio_;
        co_return co_await emCurso;
    }

    QPromise<bool> promessa;
    desbloqueio_ = promessa.future();
    promessa.start();
    const QPointer<EstadoDoApp> vivo(this);
    const bool aberto = co_await desbloquearUmaVez();
    if (vivo)
        desbloqueio_.reset();
    promessa.addResult(aberto);
    promessa.finish();
    co_return aberto;
}

QCoro::Task<bool> EstadoDoApp::desbloquearUmaVez()
{
    const QPointer<EstadoDoApp> vivo(this);
    const bool confirmado = co_await autenticarDono(QStringLiteral("Abrir o Corvane"));
    if (!vivo || !confirmado)
        co_return false;
    // Something else ran during the prompt (a sign-out, a sign-in): that outcome stands.
    if (fase_ != Fase::bloqueado)
        co_return fase_ == Fase::aberto;

    const LeituraDeSegredo leitura = Chaveiro::lerChaveDoCofreComSituacao();
    if (leitura.situacao == SituacaoDoSegredo::indisponivel) {
        irParaSemContaSemApagar();
        co_return false;
    }
    if (leitura.situacao != SituacaoDoSegredo::presente || leitura.bytes.size() != Chaveiro::tamanhoDaChaveDoCofre) {
        apagarDadosDesteMac();
        definirFase(Fase::semConta);
        co_return false;
    }

    std::optional<Conta> conta = conta_;
    if (!conta) {
        if (const std::optional<CopiaDoCofre> copia = CopiaDoCofre::ler())
            conta = copia->conta;
    }
    if (!conta) {
        apagarDadosDesteMac();
        definirFase(Fase::semConta);
        co_return false;
    }

    definirSecoesLiberadas(true);
    abrirCofre(*conta, leitura.bytes, false);
    co_return true;
}

QCoro::Task<bool> EstadoDoApp::tentarDesbloquearSozinho()
{
    if (!podeTentarDesbloquearSozinho_)
        co_return false;
    definirPodeTentarDesbloquearSozinho(false);
    const QPointer<EstadoDoApp> vivo(this);
    co_await esperar(esperaDoDesbloqueioAutomatico);
    // The prompt is a window of ours: opened while the user is in another application it would
    // take the focus from there. It waits until the application is in front again.
    while (vivo && !vivo->emPrimeiroPlano_ && vivo->fase_ == Fase::bloqueado)
        co_await qCoro(vivo.data(), &EstadoDoApp::emPrimeiroPlanoMudou);
    if (!vivo)
        co_return false;
    if (fase_ != Fase::bloqueado)
        co_return fase_ == Fase::aberto;
    co_return co_await desbloquear();
}

QCoro::Task<bool> EstadoDoApp::liberarSecoes()
{
    if (secoesLiberadas_)
        co_return true;
    const QPointer<EstadoDoApp> vivo(this);
    const bool confirmado = co_await autenticarDono(QStringLiteral("Mostrar suas senhas e notas"));
    if (vivo && confirmado)
        definirSecoesLiberadas(true);
    co_return confirmado;
}

QCoro::Task<> EstadoDoApp::configurarProtecao()
{
    const TipoDeBiometria tipo = tipoDeBiometria();
    const QString metodo = nome(tipo);
    if (!autenticacaoDisponivel()) {
        preferencias_->definirProtegerApp(false);
        avisos_->mostrar(
            noComputador(u"Este Mac não tem Touch ID nem senha de acesso. O Corvane vai abrir sem bloqueio."),
            QStringLiteral("info.circle.fill"));
        avisarDaChaveDepoisDaOferta();
        co_return;
    }

    const QPointer<EstadoDoApp> vivo(this);
    co_await esperar(esperaDaOfertaDeProtecao);
    if (!vivo)
        co_return;
    QString motivo = QStringLiteral("Usar ") + nomeComArtigo(tipo) + QStringLiteral(" para abrir o Corvane");
    const bool aceitou = co_await autenticarDono(std::move(motivo));
    if (!vivo)
        co_return;
    if (aceitou) {
        preferencias_->definirProtegerApp(true);
        preferencias_->definirBloqueio(OpcaoDeBloqueio::imediato);
        avisos_->mostrar(QStringLiteral("O Corvane vai abrir com ") + metodo, simbolo(tipo));
    } else {
        preferencias_->definirProtegerApp(false);
        avisos_->mostrar(QStringLiteral("Você pode ligar ") + nomeComArtigo(tipo) + QStringLiteral(" em Ajustes."),
                         QStringLiteral("info.circle.fill"));
    }
    avisarDaChaveDepoisDaOferta();
}

void EstadoDoApp::iniciarOfertaDeProtecao()
{
    // A new main-thread task that nobody awaits; it holds the state weakly.
    const QPointer<EstadoDoApp> fraco(this);
    QMetaObject::invokeMethod(
        this,
        [fraco] {
            if (fraco)
                (void)fraco->configurarProtecao();
        },
        Qt::QueuedConnection);
}
