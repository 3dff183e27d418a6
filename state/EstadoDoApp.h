// The one observable object at the root of the application: the phase that decides what the
// main window shows, the account of this computer, the open vault store, the API client, the
// preferences, the toast centre and the lock bookkeeping; and the routines that start up, sign
// in, create an account, lock, unlock and sign out. Main thread only: operations that wait are
// coroutines, so other calls (a lock, a return to the foreground, a button) may run at each wait.
#pragma once

#include "api/ClienteDaAPI.h"
#include "api/Corpos.h"
#include "api/Respostas.h"
#include "core/Conta.h"
#include "plataforma/Padroes.h"
#include "servicos/CentralDeAvisos.h"
#include "servicos/Preferencias.h"
#include "state/Cadastro.h"
#include "state/EdicaoNoMac.h"
#include "state/ErroDeEntrada.h"
#include "vault/Cofre.h"

#include <QByteArray>
#include <QCoro/QCoroTask>
#include <QFuture>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <chrono>
#include <functional>
#include <optional>
#include <utility>

// The progress overlay shown while keys are derived or an account is being created.
struct Trabalho {
    Q_GADGET
    Q_PROPERTY(QString titulo MEMBER titulo)
    Q_PROPERTY(QString detalhe MEMBER detalhe)
public:
    QString titulo;
    QString detalhe;

    friend bool operator==(const Trabalho &, const Trabalho &) = default;
};

// A just-created account and its vault key, waiting for the user to confirm the recovery code.
struct CofrePronto {
    Conta conta;
    QByteArray chave;

    friend bool operator==(const CofrePronto &, const CofrePronto &) = default;
};

using ContaOpcional = std::optional<Conta>;
using TrabalhoOpcional = std::optional<Trabalho>;
using CofreProntoOpcional = std::optional<CofrePronto>;
using MomentoOpcional = std::optional<double>;

// What the state takes from the machine, injectable so tests control time and names. An empty
// member means the real one.
struct AmbienteDoEstado {
    // Seconds since boot, including time suspended, on a clock that does not jump with the wall
    // clock (the lock delays are measured with it).
    std::function<double()> tempoDeAtividade;
    // A wait on a continuous clock (before the protection offer and the automatic unlock).
    std::function<QCoro::Task<>(std::chrono::milliseconds)> esperar;
    // The host's name, sent as the device name ("Mac" when empty).
    std::function<QString()> nomeDoComputador;
    // The clock of the toast centre (the system's when absent); it must outlive the state.
    Relogio *relogio = nullptr;
};

class EstadoDoApp : public QObject {
    Q_OBJECT
    Q_PROPERTY(Fase fase READ fase NOTIFY faseMudou)
    Q_PROPERTY(ContaOpcional conta READ conta NOTIFY contaMudou)
    Q_PROPERTY(Cofre *cofre READ cofre NOTIFY cofreMudou)
    // A Trabalho while a long operation runs; undefined otherwise.
    Q_PROPERTY(QVariant trabalhando READ trabalhandoParaQml NOTIFY trabalhandoMudou)
    // The phase by its name ("iniciando", "semConta", "bloqueado", "aberto"), for the views.
    Q_PROPERTY(QString nomeDaFase READ nomeDaFase NOTIFY faseMudou)
    Q_PROPERTY(bool precisaEntrarDeNovo READ precisaEntrarDeNovo NOTIFY precisaEntrarDeNovoMudou)
    Q_PROPERTY(bool secoesLiberadas READ secoesLiberadas NOTIFY secoesLiberadasMudou)
    // The application is in the foreground (the frame's rule: focus passing between our own
    // windows does not leave it). True until the frame reports otherwise.
    Q_PROPERTY(bool emPrimeiroPlano READ emPrimeiroPlano NOTIFY emPrimeiroPlanoMudou)
    Q_PROPERTY(ClienteDaAPI *api READ api CONSTANT)
    Q_PROPERTY(Preferencias *preferencias READ preferencias CONSTANT)
    Q_PROPERTY(CentralDeAvisos *avisos READ avisos CONSTANT)
    Q_PROPERTY(MomentoOpcional momentoDoSegundoPlano READ momentoDoSegundoPlano NOTIFY momentoDoSegundoPlanoMudou)
    Q_PROPERTY(bool podeTentarDesbloquearSozinho READ podeTentarDesbloquearSozinho NOTIFY
                   podeTentarDesbloquearSozinhoMudou)
    Q_PROPERTY(CofreProntoOpcional cofreProntoParaAbrir READ cofreProntoParaAbrir NOTIFY cofreProntoParaAbrirMudou)
    Q_PROPERTY(bool podeSincronizar READ podeSincronizar NOTIFY podeSincronizarMudou)
    // The item in the edit sheet (an EdicaoNoMac), or undefined while no sheet is shown.
    Q_PROPERTY(QVariant edicao READ edicaoParaQml NOTIFY edicaoMudou)

public:
    enum class Fase { iniciando, semConta, bloqueado, aberto };
    Q_ENUM(Fase)

    // Away this long, the password and note sections ask for the owner again.
    static constexpr double limiteDasSecoes = 300;
    static constexpr std::chrono::milliseconds esperaDaOfertaDeProtecao{600};
    static constexpr std::chrono::milliseconds esperaDoDesbloqueioAutomatico{300};

    // `argumentos` are the process's launch arguments ("-comecar-do-zero" starts over). Builds
    // the API client for the configured base address, the preferences and the toast centre.
    explicit EstadoDoApp(const QStringList &argumentos, AmbienteDoEstado ambiente = {}, QObject *pai = nullptr);
    ~EstadoDoApp() override;

    // --- Observed fields ---
    [[nodiscard]] Fase fase() const { return fase_; }
    [[nodiscard]] const ContaOpcional &conta() const { return conta_; }
    [[nodiscard]] Cofre *cofre() const { return cofre_; }
    [[nodiscard]] const TrabalhoOpcional &trabalhando() const { return trabalhando_; }
    // A screen's own progress overlay (the sign-in form while it checks an authenticator code);
    // none clears it.
    void definirTrabalhandoPelaTela(const TrabalhoOpcional &valor) { definirTrabalhando(valor); }
    [[nodiscard]] QVariant trabalhandoParaQml() const
    {
        return trabalhando_ ? QVariant::fromValue(*trabalhando_) : QVariant();
    }
    [[nodiscard]] QString nomeDaFase() const;
    [[nodiscard]] bool precisaEntrarDeNovo() const { return precisaEntrarDeNovo_; }
    [[nodiscard]] bool secoesLiberadas() const { return secoesLiberadas_; }
    [[nodiscard]] bool emPrimeiroPlano() const { return emPrimeiroPlano_; }
    [[nodiscard]] ClienteDaAPI *api() const { return api_; }
    [[nodiscard]] Preferencias *preferencias() const { return preferencias_; }
    [[nodiscard]] CentralDeAvisos *avisos() const { return avisos_; }
    [[nodiscard]] const Dispositivo &dispositivo() const { return dispositivo_; }
    [[nodiscard]] const MomentoOpcional &momentoDoSegundoPlano() const { return momentoDoSegundoPlano_; }
    [[nodiscard]] bool podeTentarDesbloquearSozinho() const { return podeTentarDesbloquearSozinho_; }
    [[nodiscard]] const CofreProntoOpcional &cofreProntoParaAbrir() const { return cofreProntoParaAbrir_; }
    // A store is open, it is not offline and the session has not ended.
    [[nodiscard]] bool podeSincronizar() const;

    // --- Start-up ---
    // Restores the account and the vault from this computer, or wipes and waits for a sign-in.
    // Run once. Never fails.
    QCoro::Task<> comecar();
    // Opens a new store for the account (replacing any open one), shows it and starts one sync
    // followed by an account refresh. With `guardarChave` the key is written to the keychain
    // first; a failed write keeps the vault open and says so in a toast.
    void abrirCofre(const Conta &conta, const QByteArray &chave, bool guardarChave);
    // The same from the local copy the caller has just read (none: no readable copy), so
    // start-up reads and parses it once.
    void abrirCofre(const Conta &conta, const QByteArray &chave, bool guardarChave, std::optional<CopiaDoCofre> copiaLida);
    // Removes this computer's account data: item order, protection flag, session, both keychain
    // items, the local copy, the AutoFill identities, the store and the account. Leaves the
    // phase to the caller, and the exchange files and the other preferences as they are.
    void apagarDadosDesteMac();

    // --- Locking ---
    // The lock command (menu, window, menu-bar panel): only while open, with protection on and
    // owner authentication available.
    void bloquear();
    // The watcher's events lock like the lock command.
    void aoAdormecerAsTelas() { bloquear(); }
    void aoTrocarDeSessao() { bloquear(); }
    // Locks at once; the store and account stay in memory behind the lock screen.
    void travar();
    // The application resigned active / became active.
    void aoIrParaSegundoPlano();
    void aoVoltarAoPrimeiroPlano();
    // Owner authentication, then a fresh store from the local copy. True when the vault is (or
    // already was) open. Overlapping calls share one attempt.
    [[nodiscard]] QCoro::Task<bool> desbloquear();
    // The lock screen's one automatic attempt per lock: false at once when it was already used,
    // otherwise a short wait, then, once the application is in the foreground, `desbloquear`
    // (unless the phase changed meanwhile).
    [[nodiscard]] QCoro::Task<bool> tentarDesbloquearSozinho();
    // The gate in front of the password and note sections.
    [[nodiscard]] QCoro::Task<bool> liberarSecoes();
    // Offers to protect the application with owner authentication and keeps the answer.
    QCoro::Task<> configurarProtecao();

    // --- Sign-out and ended sessions ---
    // Drops the session on the server (its outcome ignored) and wipes this computer.
    QCoro::Task<> sair();
    // The API client's verdict: the session has ended. Local data stays; sign in again.
    void sessaoFoiEncerrada();
    // The API client received an account record; kept only when it is this computer's account.
    void contaRecebida(const Conta &conta);

    // --- Account creation ---
    // The e-mail confirmation code; gives after how many seconds another may be asked for.
    [[nodiscard]] QCoro::Task<qint64> pedirCodigoDeEmail(QString email);
    // Gives the proof of the confirmed e-mail.
    [[nodiscard]] QCoro::Task<QString> conferirCodigoDeEmail(QString email, QString codigo);
    // Generates the keys here, creates the account on the server and keeps the session; gives
    // the recovery code. The vault opens only with `abrirCofreNovo`. Throws ErroDeCripto and
    // ErroDaAPI unchanged.
    [[nodiscard]] QCoro::Task<QString> criarConta(QString nome, QString email, QString senha,
                                                  std::optional<QString> tokenSocial,
                                                  std::optional<QString> comprovanteDeEmail);
    // After the recovery code was shown: opens the created vault (once).
    void abrirCofreNovo();

    // --- Password sign-in ---
    // Stretches the password with the account's parameters. Throws ErroDaAPI, ErroDeCripto.
    [[nodiscard]] QCoro::Task<EntradaPendente> prepararEntrada(QString email, QString senha);
    // Signs in and opens the vault. Throws ErroDeEntrada (autenticadorNecessario, senhaIncorreta)
    // and ErroDaAPI.
    QCoro::Task<> concluirEntrada(EntradaPendente pendente, std::optional<QString> codigo = std::nullopt);
    // Signs in again after an ended session, keeping the open vault when it is the same one.
    QCoro::Task<> entrarDeNovo(EntradaPendente pendente, std::optional<QString> codigo = std::nullopt);
    [[nodiscard]] QCoro::Task<RespostaDePreEntrada> buscarPreEntrada(QString email);
    // The session and the opened 32-byte vault key; nothing is kept.
    [[nodiscard]] QCoro::Task<std::pair<RespostaDeSessao, QByteArray>> criarSessao(EntradaPendente pendente,
                                                                                   std::optional<QString> codigo);

    // --- Social and passkey sign-in ---
    // Checks a provider identity with the server; the answer carries `nome` as `nomeSugerido`.
    [[nodiscard]] QCoro::Task<RespostaSocial> entrarComProvedor(QString provedor, QString token, QString nonce,
                                                                std::optional<QString> nome);
    // Stretches the vault password of an existing social account. Throws ErroDeEntrada
    // (senhaIncorreta when the answer lacks salt or parameters) and ErroDeCripto.
    [[nodiscard]] QCoro::Task<EntradaPendente> prepararEntradaSocial(RespostaSocial resposta, QString senha);
    // Keeps the session a passkey sign-in delivered and opens its vault. While a vault is open
    // or locked, an answer for another account is refused with ErroDeEntrada::contaDiferente
    // and nothing is kept.
    QCoro::Task<> entrarComPasskey(RespostaDeSessao sessao, QByteArray chave);

    // --- The edit sheet ---
    [[nodiscard]] const std::optional<EdicaoNoMac> &edicao() const { return edicao_; }
    [[nodiscard]] QVariant edicaoParaQml() const { return edicao_ ? QVariant::fromValue(*edicao_) : QVariant(); }
    // Opens the sheet on an item (or a new one); only while a vault is open and no sheet is up
    // (an open one keeps its typed changes until it is closed).
    void editar(const EdicaoNoMac &edicao);
    // The same from the views: `tipo` is "codigo", "senha" or "nota" (anything else is ignored)
    // and an empty `item` means a new item.
    Q_INVOKABLE void editar(const QString &tipo, const QString &item = {});
    // Closes the sheet. Also happens when the open store goes (lock, sign-out, another account).
    Q_INVOKABLE void fecharEdicao();
    // A screen capture hides this program's windows for a moment: while one runs, losing the
    // foreground is not the user leaving, so it neither locks nor starts the lock delay. When the
    // last capture ends while the program is still inactive, the user has left: it counts now.
    void comecarCapturaDaTela() { ++capturas_; }
    void terminarCapturaDaTela();
    [[nodiscard]] bool capturandoATela() const { return capturas_ > 0; }

signals:
    void faseMudou();
    void contaMudou();
    void cofreMudou();
    void trabalhandoMudou();
    void precisaEntrarDeNovoMudou();
    void secoesLiberadasMudou();
    void emPrimeiroPlanoMudou();
    void momentoDoSegundoPlanoMudou();
    void podeTentarDesbloquearSozinhoMudou();
    void cofreProntoParaAbrirMudou();
    void podeSincronizarMudou();
    void edicaoMudou();

private:
    // The screen tests put the state in a phase, or show the progress overlay, directly.
    friend class EstadoDoAppNasTelas;

    // Shows the progress overlay while alive and clears it when the step ends, whether it
    // succeeded or threw.
    class Sobreposicao {
    public:
        Sobreposicao(EstadoDoApp &estado, const Trabalho &trabalho);
        ~Sobreposicao();
        Sobreposicao(const Sobreposicao &) = delete;
        Sobreposicao &operator=(const Sobreposicao &) = delete;

    private:
        QPointer<EstadoDoApp> estado_;
    };

    // The routines below the public ones.
    void comecarDoZero();
    // The first sync of a store just opened, then the account refresh; the state's account
    // follows the store's. Not awaited by anyone.
    static QCoro::Task<> sincronizarAoAbrir(QPointer<EstadoDoApp> estado, QPointer<Cofre> cofre);
    void instalarRetornos();
    [[nodiscard]] QCoro::Task<bool> desbloquearUmaVez();
    // Leaves the vault to the signed-out window without deleting anything stored: the keychain
    // could not be asked, so nothing is known about the key.
    void irParaSemContaSemApagar();
    void iniciarOfertaDeProtecao();
    // Once the protection offer has shown its toast: the warning that the vault key was not kept
    // follows when that toast has cleared, so both are read.
    void avisarDaChaveDepoisDaOferta();
    void esquecerAvisoDaChave();
    // The same store, key and account: keep it, refresh its account and sync it.
    [[nodiscard]] bool mesmoCofre(const Conta &conta, const QByteArray &chave) const;
    QCoro::Task<> manterCofreAberto(const Conta &conta);
    [[nodiscard]] QCoro::Task<EntradaPendente> derivarEntrada(QString email, QString senha, QString sal,
                                                              ParametrosKdf kdf, std::optional<QString> tokenSocial);
    [[nodiscard]] bool autenticacaoDisponivel() const;
    [[nodiscard]] double agora() const;
    // Leaving the foreground as counted: the moment, and the immediate lock.
    void contarSaida();
    [[nodiscard]] QCoro::Task<> esperar(std::chrono::milliseconds tempo) const;

    void definirFase(Fase valor);
    void definirConta(const ContaOpcional &valor);
    // The two halves of opening a store: the key and the account before it is built, then
    // showing it and starting its sync.
    void prepararAbertura(const Conta &conta, const QByteArray &chave, bool guardarChave);
    void mostrarCofreNovo(Cofre *novo);
    void definirCofre(Cofre *valor);
    void definirTrabalhando(const TrabalhoOpcional &valor);
    void definirPrecisaEntrarDeNovo(bool valor);
    void definirSecoesLiberadas(bool valor);
    void definirEmPrimeiroPlano(bool valor);
    void definirMomentoDoSegundoPlano(const MomentoOpcional &valor);
    void definirPodeTentarDesbloquearSozinho(bool valor);
    void definirCofreProntoParaAbrir(const CofreProntoOpcional &valor);
    void conferirPodeSincronizar();

    AmbienteDoEstado ambiente_;
    Fase fase_ = Fase::iniciando;
    ContaOpcional conta_;
    QPointer<Cofre> cofre_;
    TrabalhoOpcional trabalhando_;
    bool precisaEntrarDeNovo_ = false;
    bool secoesLiberadas_ = false;
    bool emPrimeiroPlano_ = true;
    ClienteDaAPI *api_;            // child of this object, never replaced
    Preferencias *preferencias_;   // child, never replaced
    CentralDeAvisos *avisos_;      // child, never replaced
    Dispositivo dispositivo_;
    MomentoOpcional momentoDoSegundoPlano_;
    bool podeTentarDesbloquearSozinho_ = true;
    CofreProntoOpcional cofreProntoParaAbrir_;
    bool podeSincronizarAntes_ = false;
    // The unlock attempt in flight, which a second caller joins instead of opening the vault
    // a second time.
    std::optional<QFuture<bool>> desbloqueio_;
    // The vault key could not be written when the vault opened; the protection offer that
    // follows must not hide that warning.
    bool chaveNaoGuardada_ = false;
    QMetaObject::Connection esperaDoAvisoDaChave_;
    std::optional<EdicaoNoMac> edicao_;
    int capturas_ = 0;
};
