// Construction, start-up, opening a store, the wipe of this computer's data, sign-out, the API
// client's callbacks and the observed fields.
#include "state/EstadoDoApp.h"

#include "servicos/IdentidadesDoPreenchimento.h"
#include "servicos/Seguranca.h"
#include "core/Chaveiro.h"
#include "core/Configuracao.h"
#include "core/CopiaDoCofre.h"
#include "plataforma/Padroes.h"

#include <QCoro/QCoroTimer>
#include <QMetaObject>
#include <QSysInfo>

#include <ctime>

namespace {

double segundosDesdeOBoot()
{
    // CLOCK_BOOTTIME keeps counting while the machine is suspended, so time spent asleep counts
    // as time away from the application.
    timespec agora{};
    clock_gettime(CLOCK_BOOTTIME, &agora);
    return static_cast<double>(agora.tv_sec) + static_cast<double>(agora.tv_nsec) / 1e9;
}

QCoro::Task<> dormir(std::chrono::milliseconds tempo)
{
    co_await QCoro::sleepFor(tempo);
}

QString nomeDoComputadorReal()
{
    return QSysInfo::machineHostName();
}

// The defaults store of the application group, or the standard one when the group has none.
Padroes suiteDoGrupo()
{
    if (auto grupo = Padroes::doGrupo(grupoDoApp()))
        return std::move(*grupo);
    return Padroes::padrao();
}

const QString textoDaChaveNaoGuardada = QStringLiteral("Não foi possível guardar a chave do cofre neste computador.");
const QString simboloDaChaveNaoGuardada = QStringLiteral("exclamationmark.triangle.fill");

} // namespace

EstadoDoApp::EstadoDoApp(const QStringList &argumentos, AmbienteDoEstado ambiente, QObject *pai)
    : QObject(pai), ambiente_(std::move(ambiente))
{
    if (!ambiente_.tempoDeAtividade)
        ambiente_.tempoDeAtividade = segundosDesdeOBoot;
    if (!ambiente_.esperar)
        ambiente_.esperar = dormir;
    if (!ambiente_.nomeDoComputador)
        ambiente_.nomeDoComputador = nomeDoComputadorReal;

    api_ = new ClienteDaAPI(urlDaAPI(), this);
    preferencias_ = new Preferencias(this);
    avisos_ = new CentralDeAvisos(this, ambiente_.relogio);

    const QString nome = ambiente_.nomeDoComputador();
    dispositivo_.nome = nome.isEmpty() ? QStringLiteral("Mac") : nome;
    dispositivo_.tipo = QStringLiteral("macos");

    if (argumentos.contains(QString::fromLatin1(argumentoComecarDoZero)))
        comecarDoZero();
}

EstadoDoApp::~EstadoDoApp()
{
    // The store goes before the client and the preferences it points at.
    delete cofre_.data();
}

QCoro::Task<> EstadoDoApp::sincronizarAoAbrir(QPointer<EstadoDoApp> estado, QPointer<Cofre> cofre)
{
    // Either may be gone when a request comes back.
    if (!cofre)
        co_return;
    co_await cofre->sincronizar();
    if (!cofre)
        co_return;
    co_await cofre->atualizarConta();
    if (estado && estado->cofre_)
        estado->definirConta(estado->cofre_->conta());
}

void EstadoDoApp::comecarDoZero()
{
    // The client and the preferences built above are not rebuilt: the start routine finds no
    // key, and its wipe brings them in line.
    Chaveiro::apagar(QString::fromLatin1(Chaveiro::contaDaSessao));
    Chaveiro::apagar(QString::fromLatin1(Chaveiro::contaDaChaveDoCofre));
    CopiaDoCofre::apagar();
    (void)suiteDoGrupo().removerTudo();
    (void)suiteDoGrupo().definirLogico(QString::fromLatin1(chaveDeProtegerApp), false);
}

void EstadoDoApp::instalarRetornos()
{
    // Each callback starts a new task on the main thread, which does nothing once the state is
    // gone.
    const QPointer<EstadoDoApp> fraco(this);
    api_->definirRetornos(
        [fraco] {
            if (!fraco)
                return;
            QMetaObject::invokeMethod(
                fraco.data(),
                [fraco] {
                    if (fraco)
                        fraco->sessaoFoiEncerrada();
                },
                Qt::QueuedConnection);
        },
        [fraco](const Conta &conta) {
            if (!fraco)
                return;
            QMetaObject::invokeMethod(
                fraco.data(),
                [fraco, conta] {
                    if (fraco)
                        fraco->contaRecebida(conta);
                },
                Qt::QueuedConnection);
        });
}

QCoro::Task<> EstadoDoApp::comecar()
{
    instalarRetornos();

    const LeituraDeSegredo leitura = Chaveiro::lerChaveDoCofreComSituacao();
    if (leitura.situacao == SituacaoDoSegredo::indisponivel) {
        // An unreachable keyring says nothing about the key: wiping here would destroy a vault
        // that the next start could open.
        definirFase(Fase::semConta);
        co_return;
    }
    const bool temChave = leitura.situacao == SituacaoDoSegredo::presente &&
                          leitura.bytes.size() == Chaveiro::tamanhoDaChaveDoCofre;
    std::optional<CopiaDoCofre> copia = temChave ? CopiaDoCofre::ler() : std::nullopt;
    if (!temChave || !copia) {
        apagarDadosDesteMac();
        definirFase(Fase::semConta);
        co_return;
    }

    definirPrecisaEntrarDeNovo(!api_->temSessao());
    definirConta(copia->conta);
    if (preferencias_->protegerApp() && autenticacaoDisponivel()) {
        // The key is read again when unlocking.
        definirFase(Fase::bloqueado);
        co_return;
    }
    // The store opens from the copy just read: a large vault's copy is read and parsed once.
    const Conta conta = copia->conta;
    abrirCofre(conta, leitura.bytes, false, std::move(copia));
}

void EstadoDoApp::abrirCofre(const Conta &conta, const QByteArray &chave, bool guardarChave)
{
    prepararAbertura(conta, chave, guardarChave);
    mostrarCofreNovo(new Cofre(conta, chave, api_, preferencias_, this));
}

void EstadoDoApp::abrirCofre(const Conta &conta, const QByteArray &chave, bool guardarChave,
                             std::optional<CopiaDoCofre> copiaLida)
{
    prepararAbertura(conta, chave, guardarChave);
    mostrarCofreNovo(new Cofre(conta, chave, std::move(copiaLida), api_, preferencias_, this));
}

void EstadoDoApp::prepararAbertura(const Conta &conta, const QByteArray &chave, bool guardarChave)
{
    if (guardarChave) {
        esquecerAvisoDaChave();
        try {
            Chaveiro::gravar(chave, QString::fromLatin1(Chaveiro::contaDaChaveDoCofre));
        } catch (const ErroDoChaveiro &) {
            // The vault still opens, but without its key in the keychain the next start cannot
            // open it: the user must know why they will be asked to sign in again.
            avisos_->mostrar(textoDaChaveNaoGuardada, simboloDaChaveNaoGuardada);
            chaveNaoGuardada_ = true;
        }
    }
    definirConta(conta);
    preferencias_->definirUltimoEmail(conta.email);
}

void EstadoDoApp::mostrarCofreNovo(Cofre *novo)
{
    connect(novo, &Cofre::semConexaoMudou, this, &EstadoDoApp::conferirPodeSincronizar);
    definirCofre(novo);
    definirFase(Fase::aberto);

    // Not awaited: the vault is on screen while it syncs.
    (void)sincronizarAoAbrir(QPointer<EstadoDoApp>(this), QPointer<Cofre>(novo));
}

void EstadoDoApp::apagarDadosDesteMac()
{
    if (conta_)
        (void)preferencias_->armazenamento().remover(Cofre::chaveDaOrdem(conta_->id));
    preferencias_->definirProtegerApp(false);
    api_->esquecerSessao();
    Chaveiro::apagar(QString::fromLatin1(Chaveiro::contaDaSessao));
    Chaveiro::apagar(QString::fromLatin1(Chaveiro::contaDaChaveDoCofre));
    CopiaDoCofre::apagar();
    // Not awaited: the wipe may finish before the identities are gone.
    (void)removerIdentidadesDoPreenchimento();
    definirCofre(nullptr);
    definirConta(std::nullopt);
    definirSecoesLiberadas(false);
    definirPrecisaEntrarDeNovo(false);
    esquecerAvisoDaChave();
}

void EstadoDoApp::avisarDaChaveDepoisDaOferta()
{
    if (!std::exchange(chaveNaoGuardada_, false))
        return;
    disconnect(esperaDoAvisoDaChave_);
    esperaDoAvisoDaChave_ = connect(avisos_, &CentralDeAvisos::atualMudou, this, [this] {
        if (avisos_->atual())
            return; // another toast took the place of the offer's: wait for that one too
        disconnect(esperaDoAvisoDaChave_);
        avisos_->mostrar(textoDaChaveNaoGuardada, simboloDaChaveNaoGuardada);
    });
}

void EstadoDoApp::esquecerAvisoDaChave()
{
    chaveNaoGuardada_ = false;
    disconnect(esperaDoAvisoDaChave_);
}

void EstadoDoApp::irParaSemContaSemApagar()
{
    // Only what is in memory goes; the keychain items, the local copy, the session and the
    // preferences stay for a later start.
    definirCofre(nullptr);
    definirConta(std::nullopt);
    definirSecoesLiberadas(false);
    definirFase(Fase::semConta);
}

QCoro::Task<> EstadoDoApp::sair()
{
    try {
        (void)co_await api_->sair();
    } catch (const ErroDaAPI &) {
        // Signed out here whatever the server said, or whether it could be reached.
    } catch (const ErroDeCancelamento &) {
    }
    apagarDadosDesteMac();
    definirFase(Fase::semConta);
}

void EstadoDoApp::sessaoFoiEncerrada()
{
    if (fase_ == Fase::aberto || fase_ == Fase::bloqueado)
        definirPrecisaEntrarDeNovo(true);
}

void EstadoDoApp::contaRecebida(const Conta &conta)
{
    if (!conta_ || conta_->id != conta.id)
        return; // a late answer for another account is not mixed into this computer's state
    definirConta(conta);
    if (cofre_ && cofre_->conta().id == conta.id) {
        cofre_->definirConta(conta);
        cofre_->salvarCopia();
    }
}

bool EstadoDoApp::autenticacaoDisponivel() const
{
    return Seguranca::podeAutenticar();
}

double EstadoDoApp::agora() const
{
    return ambiente_.tempoDeAtividade();
}

QCoro::Task<> EstadoDoApp::esperar(std::chrono::milliseconds tempo) const
{
    return ambiente_.esperar(tempo);
}

EstadoDoApp::Sobreposicao::Sobreposicao(EstadoDoApp &estado, const Trabalho &trabalho) : estado_(&estado)
{
    estado.definirTrabalhando(trabalho);
}

EstadoDoApp::Sobreposicao::~Sobreposicao()
{
    if (estado_)
        estado_->definirTrabalhando(std::nullopt);
}

// --- Observed fields ---

bool EstadoDoApp::podeSincronizar() const
{
    return cofre_ && !cofre_->semConexao() && !precisaEntrarDeNovo_;
}

void EstadoDoApp::conferirPodeSincronizar()
{
    const bool agora = podeSincronizar();
    if (agora == podeSincronizarAntes_)
        return;
    podeSincronizarAntes_ = agora;
    emit podeSincronizarMudou();
}

void EstadoDoApp::definirFase(Fase valor)
{
    if (fase_ == valor)
        return;
    fase_ = valor;
    emit faseMudou();
}

QString EstadoDoApp::nomeDaFase() const
{
    switch (fase_) {
    case Fase::iniciando: return QStringLiteral("iniciando");
    case Fase::semConta: return QStringLiteral("semConta");
    case Fase::bloqueado: return QStringLiteral("bloqueado");
    case Fase::aberto: return QStringLiteral("aberto");
    }
    return QStringLiteral("iniciando");
}

void EstadoDoApp::definirConta(const ContaOpcional &valor)
{
    if (conta_ == valor)
        return;
    conta_ = valor;
    emit contaMudou();
}

void EstadoDoApp::definirCofre(Cofre *valor)
{
    Cofre *anterior = cofre_.data();
    cofre_ = valor;
    if (anterior && anterior != valor) {
        disconnect(anterior, nullptr, this, nullptr);
        anterior->aposentar();
        // Later, not now: the screens and tasks that still point at it finish their event first.
        anterior->deleteLater();
    }
    emit cofreMudou();
    conferirPodeSincronizar();
    // The sheet names an item of the store that was shown; it has no meaning for another one.
    if (valor != anterior)
        fecharEdicao();
}

void EstadoDoApp::definirTrabalhando(const TrabalhoOpcional &valor)
{
    trabalhando_ = valor;
    emit trabalhandoMudou();
}

void EstadoDoApp::definirPrecisaEntrarDeNovo(bool valor)
{
    if (precisaEntrarDeNovo_ == valor)
        return;
    precisaEntrarDeNovo_ = valor;
    emit precisaEntrarDeNovoMudou();
    conferirPodeSincronizar();
}

void EstadoDoApp::definirSecoesLiberadas(bool valor)
{
    if (secoesLiberadas_ == valor)
        return;
    secoesLiberadas_ = valor;
    emit secoesLiberadasMudou();
}

void EstadoDoApp::definirMomentoDoSegundoPlano(const MomentoOpcional &valor)
{
    if (momentoDoSegundoPlano_ == valor)
        return;
    momentoDoSegundoPlano_ = valor;
    emit momentoDoSegundoPlanoMudou();
}

void EstadoDoApp::definirPodeTentarDesbloquearSozinho(bool valor)
{
    if (podeTentarDesbloquearSozinho_ == valor)
        return;
    podeTentarDesbloquearSozinho_ = valor;
    emit podeTentarDesbloquearSozinhoMudou();
}

void EstadoDoApp::definirCofreProntoParaAbrir(const CofreProntoOpcional &valor)
{
    cofreProntoParaAbrir_ = valor;
    emit cofreProntoParaAbrirMudou();
}
