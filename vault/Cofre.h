// The in-memory vault of one signed-in account: every item as the server stores it (sealed), the
// same items opened with the vault key, the revision this Mac has seen, the items that do not
// open here, the user's order of codes and the synchronisation flags. Screens observe it; it keeps
// the local copy and the AutoFill identities current after every change that comes from the
// server. Main thread only; operations that wait are coroutines, so others may run at each wait.
#pragma once

#include "servicos/IdentidadesDoPreenchimento.h"
#include "core/CopiaDoCofre.h"
#include "core/ConteudoDoItem.h"
#include "core/Conta.h"
#include "core/Item.h"
#include "core/ItemCifrado.h"
#include "core/ValorJSON.h"
#include "vault/ErroDoCofre.h"

#include <QByteArray>
#include <QCoro/QCoroTask>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QLoggingCategory>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>

#include <optional>
#include <utility>

class ClienteDaAPI;
class Preferencias;
struct RespostaDoCofre;

// "app.corvane.cofre": the one error line of an item that does not open with this Mac's key.
Q_DECLARE_LOGGING_CATEGORY(categoriaDoCofre)

using ItensCifrados = QHash<QString, ItemCifrado>;
using ItensAbertos = QHash<QString, ItemAberto>;
using IdsDeItens = QSet<QString>;
using DataOpcional = std::optional<QDateTime>;
// One new item of a batch import: its content and its kind.
using NovoItem = std::pair<ObjetoJSON, TipoDeItem>;

class Cofre : public QObject {
    Q_OBJECT
    Q_PROPERTY(Conta conta READ conta WRITE definirConta NOTIFY contaMudou)
    Q_PROPERTY(ItensCifrados cifrados READ cifrados NOTIFY cifradosMudou)
    Q_PROPERTY(ItensAbertos abertos READ abertos NOTIFY abertosMudou)
    Q_PROPERTY(qint64 revisao READ revisao NOTIFY revisaoMudou)
    Q_PROPERTY(bool sincronizando READ sincronizando NOTIFY sincronizandoMudou)
    Q_PROPERTY(bool semConexao READ semConexao NOTIFY semConexaoMudou)
    Q_PROPERTY(bool falhouAoSincronizar READ falhouAoSincronizar NOTIFY falhouAoSincronizarMudou)
    Q_PROPERTY(IdsDeItens ilegiveis READ ilegiveis NOTIFY ilegiveisMudou)
    Q_PROPERTY(DataOpcional ultimaSincronia READ ultimaSincronia NOTIFY ultimaSincroniaMudou)
    Q_PROPERTY(bool carregado READ carregado NOTIFY carregadoMudou)
    Q_PROPERTY(QList<QString> ordem READ ordem NOTIFY ordemMudou)

public:
    // The server's current item inside a conflict answer ({"erro", "mensagem", "item"}).
    struct Envelope {
        std::optional<ItemCifrado> item; // absent or null in the body gives none

        // Throws ErroDeDecodificacao when the bytes are not a JSON object or `item` is malformed.
        [[nodiscard]] static Envelope deJSON(const QByteArray &corpo);
    };

    // At most this many new items go into one batch request.
    static constexpr qsizetype itensPorLote = 250;

    // Reads the order list and the local copy of this account (a missing, unreadable or other
    // account's copy leaves the store empty and not loaded). Makes no request; never fails.
    // `api` and `preferencias` are shared, not owned, and must outlive the store.
    Cofre(Conta conta, QByteArray chave, ClienteDaAPI *api, Preferencias *preferencias, QObject *pai = nullptr);
    // The same from the local copy the caller has just read with CopiaDoCofre::ler() (none: no
    // readable copy on disk), so a start that already read it does not read and parse it again.
    Cofre(Conta conta, QByteArray chave, std::optional<CopiaDoCofre> copiaLida, ClienteDaAPI *api,
          Preferencias *preferencias, QObject *pai = nullptr);
    ~Cofre() override;

    // The defaults key of the order list of an account: "ordem-" + its id.
    [[nodiscard]] static QString chaveDaOrdem(const QString &idDaConta);

    // --- Observed fields ---
    [[nodiscard]] const Conta &conta() const { return conta_; }
    [[nodiscard]] const ItensCifrados &cifrados() const { return cifrados_; }
    [[nodiscard]] const ItensAbertos &abertos() const { return abertos_; }
    [[nodiscard]] qint64 revisao() const { return revisao_; }
    [[nodiscard]] bool sincronizando() const { return sincronizando_; }
    [[nodiscard]] bool semConexao() const { return semConexao_; }
    [[nodiscard]] bool falhouAoSincronizar() const { return falhouAoSincronizar_; }
    [[nodiscard]] const IdsDeItens &ilegiveis() const { return ilegiveis_; }
    [[nodiscard]] const DataOpcional &ultimaSincronia() const { return ultimaSincronia_; }
    [[nodiscard]] bool carregado() const { return carregado_; }
    [[nodiscard]] const QList<QString> &ordem() const { return ordem_; }

    // Replaces the account record when the server sends it again. A record of another account id
    // is ignored: this store's copy, order key and items belong to one account.
    void definirConta(const Conta &conta);

    // --- Not observed ---
    [[nodiscard]] const QByteArray &chave() const { return chave_; }
    [[nodiscard]] ClienteDaAPI *api() const { return api_; }
    [[nodiscard]] Preferencias *preferencias() const { return preferencias_; }

    // --- Items ---
    // The one way server items enter the store: the last item applied under an id wins, with no
    // revision comparison. A live item is stored and opened (or marked unreadable, with one log
    // line); a deleted item or one without content is removed.
    void aplicar(const ItemCifrado &item);
    // Writes the local copy (account, revision, every stored item); never fails. When nothing it
    // holds changed since this store's last successful write and that file is still on disk, it
    // is not written again. A copy of at least `copiaMinimaParaDiario()` bytes that this store
    // wrote, or read holding exactly what it holds, takes the changes since as one journal line
    // instead, until the journal passes a quarter of the copy.
    void salvarCopia() const;
    [[nodiscard]] static qint64 copiaMinimaParaDiario() { return copiaMinimaParaDiario_; }
    static void definirCopiaMinimaParaDiario(qint64 bytes) { copiaMinimaParaDiario_ = bytes; }

    // The open one-time codes: favourites first, then by position in `ordem`, then by title.
    [[nodiscard]] QList<ItemAberto> codigos() const;
    // The open passwords (and notes): favourites first, then by title.
    [[nodiscard]] QList<ItemAberto> senhas() const;
    [[nodiscard]] QList<ItemAberto> notas() const;
    [[nodiscard]] std::optional<ItemAberto> itemAberto(const QString &id) const;

    // --- Synchronisation ---
    // Pulls what changed since `revisao` (or the whole vault while not `carregado`), applies it,
    // writes the copy, refreshes the identities and consumes the AutoFill exchange files. Returns
    // at once when a run is under way. Never throws: failures end in the flags.
    QCoro::Task<> sincronizar();
    // The state let this store go (a sign-out, another account, a fresh store after an unlock):
    // from now on it refuses to sync, and a sync under way ends without applying its answer, so
    // a store that is no longer current never rewrites the local copy or the identities.
    void aposentar() { aposentado_ = true; }
    [[nodiscard]] bool aposentado() const { return aposentado_; }
    // Uploads the passwords the AutoFill extension saved, removing from the file the entries
    // that were uploaded, were already in the vault or can never open. Never throws.
    QCoro::Task<> importarNovasSenhas();
    // Adds the domains the extension linked to code items, removing the links it has handled.
    // Never throws.
    QCoro::Task<> aplicarVinculosDeCodigos();

    // --- Writes ---
    // Seals and sends one item (a new one without `id`), applies the server's answer, and gives
    // the item as the store now holds it. Throws ErroDoCofre (falhaAoCifrar before any request, or
    // when the answer does not open; conflito with the server's item), ErroDaAPI,
    // ErroDeCancelamento (also when the store is destroyed while waiting).
    [[nodiscard]] QCoro::Task<ItemAberto> guardar(std::optional<QString> id, ObjetoJSON conteudo, TipoDeItem tipo,
                                                  std::optional<qint64> revisaoEsperada = std::nullopt);
    // Deletes a held item (an id not held returns at once); a 404 answer counts as success.
    // Throws ErroDoCofre::conflito, ErroDaAPI, ErroDeCancelamento.
    [[nodiscard]] QCoro::Task<> apagar(QString id, std::optional<qint64> revisaoEsperada = std::nullopt);
    // Fetches the account record and keeps it when it is this store's account. Never throws.
    QCoro::Task<> atualizarConta();
    // Removes an id from `cifrados`, `abertos` and `ordem` (not from `ilegiveis`).
    void removerLocalmente(const QString &id);
    // Seals every item, sends them in slices of `itensPorLote`, and gives how many items the
    // answers returned. Throws ErroDoCofre::falhaAoCifrar before any request, or the failed
    // request's error; when earlier slices were saved, that error is an ErroNoLote carrying their
    // count (see `itensJaSalvos`) and the local copy and identities were rewritten for them.
    [[nodiscard]] QCoro::Task<qint64> guardarEmLote(QList<NovoItem> itens);

signals:
    void contaMudou();
    void cifradosMudou();
    void abertosMudou();
    void revisaoMudou();
    void sincronizandoMudou();
    void semConexaoMudou();
    void falhouAoSincronizarMudou();
    void ilegiveisMudou();
    void ultimaSincroniaMudou();
    void carregadoMudou();
    void ordemMudou();

private:
    // While alive, changes of the three collections announce once each, in order, at the end
    // (one applied answer is one change to observers, however many items it holds).
    class AvisosAgrupados {
    public:
        explicit AvisosAgrupados(Cofre &cofre) : cofre_(cofre) { ++cofre_.agrupamento_; }
        ~AvisosAgrupados() { cofre_.terminarAgrupamento(); }
        AvisosAgrupados(const AvisosAgrupados &) = delete;
        AvisosAgrupados &operator=(const AvisosAgrupados &) = delete;

    private:
        Cofre &cofre_;
    };

    void terminarAgrupamento();

    // Opens a whole copy's items on a few threads, then applies them here in the copy's order.
    void carregarCopia(const std::optional<CopiaDoCofre> &copia);
    // The two halves of `aplicar`: stores the sealed item (or removes a deleted one) and says
    // whether its opening must be stored too; then stores that opening, or marks it unreadable.
    [[nodiscard]] bool guardarCifrado(const ItemCifrado &item);
    void guardarAbertura(const QString &id, std::optional<ItemAberto> aberto);
    // After the copy was read: when the store holds exactly what the files hold (the current
    // format, the same account record, every entry stored, the journal replayed to its end), the
    // store continues that journal instead of writing the copy whole at its first change.
    void adotarCopiaLida(const CopiaDoCofre &copia);
    // The copy file's size, inode and modification time: a whole write replaces the file, so
    // another mark means another writer replaced it since.
    struct MarcaDaCopia {
        qint64 tamanho = 0;
        quint64 inode = 0;
        qint64 modificadoEmNs = 0;
        friend bool operator==(const MarcaDaCopia &, const MarcaDaCopia &) = default;
    };
    [[nodiscard]] static std::optional<MarcaDaCopia> marcaDaCopia();
    // After a whole vault was read (`itens` of them): gives the freed heap pages back.
    static void devolverMemoriaLivre(qsizetype itens);
    void aplicarResposta(const RespostaDoCofre &resposta, bool completa);
    void definirRevisao(qint64 valor);
    void definirSincronizando(bool valor);
    void definirSemConexao(bool valor);
    void definirFalhouAoSincronizar(bool valor);
    void definirUltimaSincronia(DataOpcional valor);
    void definirCarregado(bool valor);
    void registrarFalhaDeSincronia(const std::exception_ptr &erro);
    // Appends the changes since the last write to the copy's journal; false when the copy must
    // be written whole instead.
    [[nodiscard]] bool acrescentarAoDiario() const;
    // After every successful change from the server: the copy, then the identities.
    void gravarEAtualizarIdentidades();
    // Hands the identities over when the open items or the links changed, or the last list did
    // not reach the store; rebuilds only the changed items' identities, and hands over only
    // those when the store takes changes by record and holds the last list.
    void atualizarIdentidades();
    // Rebuilds the identities of the item `id` (none when it is no longer open) and notes them
    // in `mudancas` when they differ from those last built.
    void anotarIdentidadesDoItem(const QString &id, const DominiosVinculados &vinculados,
                                 IdentidadesPorRegistro &mudancas);
    // Notes that the open item `id` changed (stored, replaced or removed).
    void abertoMudou(const QString &id);
    [[nodiscard]] QList<ItemAberto> abertosDoTipo(TipoDeItem tipo) const;
    // Seals a content for `id`; ErroDoCofre::falhaAoCifrar on any failure.
    [[nodiscard]] QString selar(const ObjetoJSON &conteudo, const QString &id) const;
    // Turns a failed save or delete into what the caller sees (marking `semConexao`); returns
    // normally only for a delete answered 404.
    void tratarFalhaDeEscrita(const std::exception_ptr &erro, bool apagando);

    // Announces a change of one collection, or defers it while answers are being applied.
    void avisarCifrados();
    void avisarCifrados(const QString &id);
    void avisarAbertos();
    void avisarIlegiveis();

    Conta conta_;
    const QByteArray chave_;
    ClienteDaAPI *api_;
    Preferencias *preferencias_;
    ItensCifrados cifrados_;
    ItensAbertos abertos_;
    qint64 revisao_ = 0;
    bool sincronizando_ = false;
    bool semConexao_ = false;
    bool falhouAoSincronizar_ = false;
    IdsDeItens ilegiveis_;
    DataOpcional ultimaSincronia_;
    bool carregado_ = false;
    bool aposentado_ = false;
    QList<QString> ordem_;
    IdsDeItens idsNaOrdem_; // the ids `ordem_` names, so a removal scans it only when it must
    // Change counters: of what the local copy holds (account, revision, sealed items) and of the
    // open items the AutoFill identities are built from. A sync with nothing new moves neither,
    // so it neither rewrites the copy nor rebuilds the identities.
    quint64 versaoDaCopia_ = 0;
    quint64 versaoDosAbertos_ = 0;
    // The copy version the file holds since this store's last successful write; cleared by a
    // failed write so the next change retries.
    mutable std::optional<quint64> copiaGravada_;
    // Since that write: the ids stored, replaced or removed, whether the account changed, or
    // whether everything did; and the sizes of the copy and its journal as this store left them.
    mutable IdsDeItens mudadosNaCopia_;
    mutable bool contaMudouNaCopia_ = false;
    mutable bool copiaInteiraMudou_ = true;
    mutable qint64 tamanhoDaCopiaGravada_ = 0;
    mutable qint64 tamanhoDoDiario_ = 0;
    mutable std::optional<MarcaDaCopia> marcaDaCopiaGravada_;
    static inline qint64 copiaMinimaParaDiario_ = 256 * 1024;
    // The open-items version and links of the identities last handed over, each open item's
    // identities as last built, and the items changed since (all of them after a clear).
    std::optional<quint64> abertosEntregues_;
    EntregaDeIdentidades identidadesEntregues_;
    QHash<QString, QList<IdentidadeDoPreenchimento>> identidadesPorItem_;
    IdsDeItens abertosMudados_;
    bool todosOsAbertosMudaram_ = true;

    // While answers are applied in one go, each collection announces once, at the end.
    int agrupamento_ = 0;
    bool cifradosPendente_ = false;
    bool abertosPendente_ = false;
    bool ilegiveisPendente_ = false;
};
