// The store's state: creation from the local copy, the one entry point of server items, the copy
// writer and the listings.
#include "vault/Cofre.h"

#include "vault/AberturaDosItens.h"

#include "servicos/FilaDeIdentidades.h"
#include "servicos/IdentidadesDoPreenchimento.h"
#include "core/ArquivosDoPreenchimento.h"
#include "servicos/Preferencias.h"
#include "core/CopiaDoCofre.h"
#include "core/DiarioDaCopia.h"
#include "core/ErroDeCripto.h"

#include <QCollator>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <malloc.h>
#include <limits>
#include <vector>

Q_LOGGING_CATEGORY(categoriaDoCofre, "app.corvane.cofre")

Cofre::Cofre(Conta conta, QByteArray chave, ClienteDaAPI *api, Preferencias *preferencias, QObject *pai)
    : Cofre(std::move(conta), std::move(chave), CopiaDoCofre::ler(), api, preferencias, pai)
{
}

Cofre::Cofre(Conta conta, QByteArray chave, std::optional<CopiaDoCofre> copiaLida, ClienteDaAPI *api,
             Preferencias *preferencias, QObject *pai)
    : QObject(pai), conta_(std::move(conta)), chave_(std::move(chave)), api_(api), preferencias_(preferencias)
{
    if (preferencias_)
        ordem_ = preferencias_->armazenamento().listaDeTextos(chaveDaOrdem(conta_.id)).value_or(QStringList());
    idsNaOrdem_ = QSet<QString>(ordem_.cbegin(), ordem_.cend());
    carregarCopia(copiaLida);
}

Cofre::~Cofre() = default;

void Cofre::devolverMemoriaLivre(qsizetype itens)
{
#ifdef __GLIBC__
    // Reading a whole vault leaves the heap full of freed parse buffers between the items it
    // keeps; handing those pages back keeps the resident size to what the vault holds.
    if (itens >= 1000)
        malloc_trim(0);
#else
    Q_UNUSED(itens);
#endif
}

QString Cofre::chaveDaOrdem(const QString &idDaConta)
{
    return QStringLiteral("ordem-") + idDaConta;
}

void Cofre::carregarCopia(const std::optional<CopiaDoCofre> &copia)
{
    // A copy of another account is ignored whole: its items are sealed with another key.
    if (!copia || copia->conta.id != conta_.id)
        return;
    definirRevisao(copia->revisao);
    {
        const AvisosAgrupados agrupados(*this);
        const TextosCompartilhados compartilhados;
        cifrados_.reserve(copia->itens.size());
        abertos_.reserve(copia->itens.size());
        // Other threads open the items; here they are applied in the copy's order, which gives
        // the same store, notifications and log lines as applying each item in turn.
        AberturaDosItens::abrirEmOrdem(copia->itens, chave_, [&](qsizetype i, AberturaDosItens::Abertura &abertura) {
            const ItemCifrado &item = copia->itens[i];
            if (!guardarCifrado(item))
                return;
            if (abertura.falha)
                std::rethrow_exception(abertura.falha);
            guardarAbertura(item.id, std::move(abertura.aberto));
        });
    }
    definirCarregado(true);
    adotarCopiaLida(*copia);
    devolverMemoriaLivre(copia->itens.size());
}

void Cofre::definirConta(const Conta &conta)
{
    if (conta.id != conta_.id || conta == conta_)
        return;
    conta_ = conta;
    ++versaoDaCopia_;
    contaMudouNaCopia_ = true;
    emit contaMudou();
}

void Cofre::aplicar(const ItemCifrado &item)
{
    if (guardarCifrado(item))
        guardarAbertura(item.id, AberturaDosItens::abrir(item, chave_));
}

bool Cofre::guardarCifrado(const ItemCifrado &item)
{
    const QString &id = item.id;
    if (item.apagadoEm || !item.dados) {
        if (cifrados_.remove(id))
            avisarCifrados(id);
        if (abertos_.remove(id))
            abertoMudou(id);
        if (ilegiveis_.remove(id))
            avisarIlegiveis();
        return false;
    }

    const auto guardado = cifrados_.constFind(id);
    if (guardado == cifrados_.cend() || *guardado != item) {
        cifrados_.insert(id, item);
        avisarCifrados(id);
    } else if (abertos_.contains(id)) {
        return false; // the same sealed item opened before with this key: opening again gives the same
    }
    return true;
}

void Cofre::guardarAbertura(const QString &id, std::optional<ItemAberto> aberto)
{
    // No opening: sealed with another key or damaged. The item stays sealed, so a Mac with the
    // right key still can open it.
    if (aberto) {
        const auto anterior = abertos_.constFind(id);
        if (anterior == abertos_.cend() || *anterior != *aberto) {
            abertos_.insert(id, std::move(*aberto));
            abertoMudou(id);
        }
        if (ilegiveis_.remove(id))
            avisarIlegiveis();
        return;
    }
    if (abertos_.remove(id))
        abertoMudou(id);
    if (!ilegiveis_.contains(id)) {
        ilegiveis_.insert(id);
        avisarIlegiveis();
    }
    qCCritical(categoriaDoCofre, "item não abriu com a chave deste aparelho: %s", qUtf8Printable(id));
}

void Cofre::salvarCopia() const
{
    if (copiaGravada_ == versaoDaCopia_ && QFileInfo::exists(CopiaDoCofre::arquivo()))
        return;
    if (acrescentarAoDiario())
        return;
    CopiaDoCofre copia;
    copia.versao = 1;
    copia.conta = conta_;
    copia.revisao = revisao_;
    copia.itens = cifrados_.values();
    if (CopiaDoCofre::salvar(copia)) {
        copiaGravada_ = versaoDaCopia_;
        mudadosNaCopia_.clear();
        contaMudouNaCopia_ = false;
        copiaInteiraMudou_ = false;
        marcaDaCopiaGravada_ = marcaDaCopia();
        tamanhoDaCopiaGravada_ = marcaDaCopiaGravada_ ? marcaDaCopiaGravada_->tamanho : 0;
        tamanhoDoDiario_ = 0;
    } else {
        copiaGravada_.reset();
        copiaInteiraMudou_ = true;
    }
}

bool Cofre::acrescentarAoDiario() const
{
    // A small copy is rewritten as cheaply as a line is appended; past a quarter of the copy the
    // journal is folded in by a whole write, so reading stays about one pass over the copy.
    if (!copiaGravada_ || copiaInteiraMudou_ || tamanhoDaCopiaGravada_ < copiaMinimaParaDiario_
        || tamanhoDoDiario_ > tamanhoDaCopiaGravada_ / 4)
        return false;
    // Lines belong after the copy this store left: not after one another writer put there since.
    if (const std::optional<MarcaDaCopia> marca = marcaDaCopia(); !marca || marca != marcaDaCopiaGravada_)
        return false;
    MudancaDaCopia mudanca;
    mudanca.revisao = revisao_;
    if (contaMudouNaCopia_)
        mudanca.conta = conta_;
    for (const QString &id : std::as_const(mudadosNaCopia_)) {
        if (const auto item = cifrados_.constFind(id); item != cifrados_.cend())
            mudanca.gravados.append(*item);
        else
            mudanca.removidos.append(id);
    }
    const std::optional<qint64> tamanho = DiarioDaCopia::acrescentar(mudanca, tamanhoDoDiario_);
    if (!tamanho)
        return false;
    tamanhoDoDiario_ = *tamanho;
    copiaGravada_ = versaoDaCopia_;
    mudadosNaCopia_.clear();
    contaMudouNaCopia_ = false;
    return true;
}

void Cofre::gravarEAtualizarIdentidades()
{
    salvarCopia();
    atualizarIdentidades();
}

void Cofre::atualizarIdentidades()
{
    // The identities depend on the open items and the links file only.
    QList<VinculoDoPreenchimento> vinculos = VinculoDoPreenchimento::ler();
    FilaDeIdentidades &fila = FilaDeIdentidades::doProcesso();
    const bool mesmosVinculos = abertosEntregues_.has_value() && vinculos == identidadesEntregues_.vinculos;
    const bool emDia = fila.emDia(identidadesEntregues_.geracao);
    if (mesmosVinculos && abertosEntregues_ == versaoDosAbertos_ && emDia)
        return;

    // Links name code items: when they changed, every item is built again (rare, and the file is
    // small); otherwise only the items that changed.
    const DominiosVinculados vinculados = dominiosVinculadosPorItem(vinculos);
    const bool tudo = todosOsAbertosMudaram_ || !mesmosVinculos;
    IdentidadesPorRegistro mudancas;
    if (tudo) {
        identidadesPorItem_.clear();
        for (const ItemAberto &item : abertos_)
            if (QList<IdentidadeDoPreenchimento> doItem = identidadesDoItem(item, vinculados); !doItem.isEmpty())
                identidadesPorItem_.insert(item.id, std::move(doItem));
    } else {
        for (const QString &id : std::as_const(abertosMudados_))
            anotarIdentidadesDoItem(id, vinculados, mudancas);
    }
    abertosMudados_.clear();
    todosOsAbertosMudaram_ = false;
    abertosEntregues_ = versaoDosAbertos_;

    // Over a store that holds the last list handed over, only what changed goes (nothing when no
    // identity did); anything else gets the whole list.
    if (!tudo && emDia && fila.aceitaMudancasPorRegistro()) {
        if (!mudancas.isEmpty())
            identidadesEntregues_.geracao = fila.substituirDosRegistros(std::move(mudancas));
        return;
    }
    // The full list, in the order of the open items, as a rebuild from scratch gives it. It is
    // put together on the worker from shared copies of both tables, and only when the store takes
    // it: with AutoFill off every run finds the store not up to date, and building a whole vault's
    // list each time would make a run with nothing new cost more the larger the vault.
    identidadesEntregues_ = entregarIdentidades(
        [abertos = abertos_, porItem = identidadesPorItem_] {
            QList<IdentidadeDoPreenchimento> identidades;
            for (auto item = abertos.cbegin(); item != abertos.cend(); ++item)
                if (const auto doItem = porItem.constFind(item.key()); doItem != porItem.cend())
                    identidades.append(*doItem);
            return identidades;
        },
        std::move(vinculos));
}

void Cofre::anotarIdentidadesDoItem(const QString &id, const DominiosVinculados &vinculados,
                                    IdentidadesPorRegistro &mudancas)
{
    QList<IdentidadeDoPreenchimento> doItem;
    if (const auto item = abertos_.constFind(id); item != abertos_.cend())
        doItem = identidadesDoItem(*item, vinculados);
    const auto anteriores = identidadesPorItem_.find(id);
    if (anteriores == identidadesPorItem_.end()) {
        if (!doItem.isEmpty()) {
            identidadesPorItem_.insert(id, doItem);
            mudancas.insert(id, std::move(doItem));
        }
    } else if (doItem.isEmpty()) {
        identidadesPorItem_.erase(anteriores);
        mudancas.insert(id, {});
    } else if (*anteriores != doItem) {
        *anteriores = doItem;
        mudancas.insert(id, std::move(doItem));
    }
}

void Cofre::abertoMudou(const QString &id)
{
    if (!todosOsAbertosMudaram_)
        abertosMudados_.insert(id);
    avisarAbertos();
}

void Cofre::removerLocalmente(const QString &id)
{
    if (cifrados_.remove(id))
        avisarCifrados(id);
    if (abertos_.remove(id))
        abertoMudou(id);
    // Most deletions are of ids the order never named (it holds codes only): no scan for those.
    if (idsNaOrdem_.remove(id)) {
        ordem_.removeAll(id);
        emit ordemMudou();
    }
}

// --- Listings ---

namespace {

// One item with its sort keys worked out once, so a sort does not re-read JSON per comparison.
struct Entrada {
    bool favorito;
    qsizetype posicao;
    QString titulo;
    const ItemAberto *item;
};

void ordenar(std::vector<Entrada> &entradas)
{
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(entradas.begin(), entradas.end(), [&collator](const Entrada &a, const Entrada &b) {
        if (a.favorito != b.favorito)
            return a.favorito;
        if (a.posicao != b.posicao)
            return a.posicao < b.posicao;
        const int comparacao = collator.compare(a.titulo, b.titulo);
        if (comparacao != 0)
            return comparacao < 0;
        // Equal keys: the id keeps the order the same on every read, whatever the hash order.
        return a.item->id < b.item->id;
    });
}

} // namespace

QList<ItemAberto> Cofre::abertosDoTipo(TipoDeItem tipo) const
{
    // A stored list may name an id twice (written by an older build or edited by hand): the
    // first occurrence decides its position.
    QHash<QString, qsizetype> posicoes;
    if (tipo == TipoDeItem::codigo) {
        posicoes.reserve(ordem_.size());
        for (qsizetype i = 0; i < ordem_.size(); ++i)
            if (!posicoes.contains(ordem_[i]))
                posicoes.insert(ordem_[i], i);
    }

    std::vector<Entrada> entradas;
    entradas.reserve(static_cast<std::size_t>(abertos_.size()));
    constexpr qsizetype semPosicao = std::numeric_limits<qsizetype>::max();
    for (const ItemAberto &item : abertos_) {
        if (item.conteudo.tipo() != tipo)
            continue;
        entradas.push_back({item.favorito(), posicoes.value(item.id, semPosicao), item.titulo(), &item});
    }
    ordenar(entradas);

    QList<ItemAberto> lista;
    lista.reserve(static_cast<qsizetype>(entradas.size()));
    for (const Entrada &entrada : entradas)
        lista.append(*entrada.item);
    return lista;
}

QList<ItemAberto> Cofre::codigos() const
{
    return abertosDoTipo(TipoDeItem::codigo);
}

QList<ItemAberto> Cofre::senhas() const
{
    return abertosDoTipo(TipoDeItem::senha);
}

QList<ItemAberto> Cofre::notas() const
{
    return abertosDoTipo(TipoDeItem::nota);
}

std::optional<ItemAberto> Cofre::itemAberto(const QString &id) const
{
    const auto encontrado = abertos_.constFind(id);
    if (encontrado == abertos_.cend())
        return std::nullopt;
    return *encontrado;
}

// --- Observed setters ---

void Cofre::definirRevisao(qint64 valor)
{
    if (revisao_ == valor)
        return;
    revisao_ = valor;
    ++versaoDaCopia_;
    emit revisaoMudou();
}

void Cofre::definirSincronizando(bool valor)
{
    if (sincronizando_ == valor)
        return;
    sincronizando_ = valor;
    emit sincronizandoMudou();
}

void Cofre::definirSemConexao(bool valor)
{
    if (semConexao_ == valor)
        return;
    semConexao_ = valor;
    emit semConexaoMudou();
}

void Cofre::definirFalhouAoSincronizar(bool valor)
{
    if (falhouAoSincronizar_ == valor)
        return;
    falhouAoSincronizar_ = valor;
    emit falhouAoSincronizarMudou();
}

void Cofre::definirUltimaSincronia(DataOpcional valor)
{
    if (ultimaSincronia_ == valor)
        return;
    ultimaSincronia_ = std::move(valor);
    emit ultimaSincroniaMudou();
}

void Cofre::definirCarregado(bool valor)
{
    if (carregado_ == valor)
        return;
    carregado_ = valor;
    emit carregadoMudou();
}

void Cofre::avisarCifrados(const QString &id)
{
    if (!copiaInteiraMudou_)
        mudadosNaCopia_.insert(id);
    avisarCifrados();
}

void Cofre::avisarCifrados()
{
    ++versaoDaCopia_;
    if (agrupamento_ > 0)
        cifradosPendente_ = true;
    else
        emit cifradosMudou();
}

void Cofre::avisarAbertos()
{
    ++versaoDosAbertos_;
    if (agrupamento_ > 0)
        abertosPendente_ = true;
    else
        emit abertosMudou();
}

void Cofre::avisarIlegiveis()
{
    if (agrupamento_ > 0)
        ilegiveisPendente_ = true;
    else
        emit ilegiveisMudou();
}

void Cofre::terminarAgrupamento()
{
    if (--agrupamento_ > 0)
        return;
    // Same order as a single application: sealed items, then open ones, then unreadable ids.
    if (std::exchange(cifradosPendente_, false))
        emit cifradosMudou();
    if (std::exchange(abertosPendente_, false))
        emit abertosMudou();
    if (std::exchange(ilegiveisPendente_, false))
        emit ilegiveisMudou();
}
