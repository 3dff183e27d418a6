// Keeps the AutoFill identities equal to the open vault: after every vault change the identities
// are built from the open items (plus the code-to-site links the extension left) and replace the
// store's list, or only the changed items' records where the store takes that (see
// FilaDeIdentidades); signing out removes them.
#pragma once

#include "core/ArquivosDoPreenchimento.h"
#include "core/Item.h"
#include "plataforma/RepositorioDeIdentidades.h"

#include <QCoro/QCoroTask>
#include <QHash>
#include <QList>

#include <functional>
#include <memory>
#include <stdexcept>

// The store refused a write. Never reaches the vault store or the state.
struct ErroDasIdentidades : std::runtime_error {
    explicit ErroDasIdentidades(const char *codigo) : std::runtime_error(codigo), codigo(codigo) {}
    QString codigo;
};

// What one rebuild handed over: the links it was built with and the queue's mark for its list.
struct EntregaDeIdentidades {
    quint64 geracao = 0; // 0: nothing handed over yet
    QList<VinculoDoPreenchimento> vinculos;
};

// The identities of `itens`, in their order: for each distinct domain of a password, a password
// identity (user "usuario" or empty) followed, when the password carries a one-time code, by a
// code identity labelled with the user or else the title; for each distinct domain of a code
// (its own domains, then those linked to it in `vinculos`), a code identity labelled with the
// title and " · " plus "conta" when that is not empty. Notes and items without domains give
// nothing. Every record id is the item's id.
[[nodiscard]] QList<IdentidadeDoPreenchimento> montarIdentidades(const QList<ItemAberto> &itens,
                                                                 const QList<VinculoDoPreenchimento> &vinculos);

// The pieces of montarIdentidades, for a caller that keeps each item's identities and rebuilds
// only those of the items that changed: the linked domains grouped by item id (file order), and
// one item's identities (montarIdentidades is these, item after item).
using DominiosVinculados = QHash<QString, QList<QString>>;
[[nodiscard]] DominiosVinculados dominiosVinculadosPorItem(const QList<VinculoDoPreenchimento> &vinculos);
[[nodiscard]] QList<IdentidadeDoPreenchimento> identidadesDoItem(const ItemAberto &item,
                                                                 const DominiosVinculados &vinculados);
// Queues the replacement with a list built by the caller from `vinculos`, the links file as it
// read it. Main thread.
EntregaDeIdentidades entregarIdentidades(QList<IdentidadeDoPreenchimento> identidades,
                                         QList<VinculoDoPreenchimento> vinculos);
// The same with the list built later, on the worker, only if the store takes it (see
// FilaDeIdentidades::Montagem).
EntregaDeIdentidades entregarIdentidades(std::function<QList<IdentidadeDoPreenchimento>()> montagem,
                                         QList<VinculoDoPreenchimento> vinculos);

// Builds the identities of `itens` with the links file read now, and queues the replacement of
// the store's list (see FilaDeIdentidades). Returns at once; nothing fails. Main thread.
void identidadesDoPreenchimento(const QList<ItemAberto> &itens);

// Replaces the list in `repositorio` (the process's store when null) when it is switched on,
// off the main thread; throws ErroDasIdentidades "falha-ao-substituir" when the write fails.
QCoro::Task<> substituirIdentidadesDoPreenchimento(QList<IdentidadeDoPreenchimento> identidades,
                                                   std::shared_ptr<RepositorioDeIdentidades> repositorio = nullptr);
// The same, telling whether the list was written (false: the store is switched off).
QCoro::Task<bool> substituirEConfirmar(QList<IdentidadeDoPreenchimento> identidades,
                                       std::shared_ptr<RepositorioDeIdentidades> repositorio);

// Removes every identity of this application, whether the store is on or not, after any
// rebuild already running and cancelling those still waiting. Failures are dropped. Main thread.
QCoro::Task<> removerIdentidadesDoPreenchimento();
// The removal itself in `repositorio`, off the main thread, outside the queue.
QCoro::Task<> removerIdentidadesDoPreenchimento(std::shared_ptr<RepositorioDeIdentidades> repositorio);
