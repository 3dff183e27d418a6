// Keeps the identity store's writes in the order they were asked for. Rebuilds of the AutoFill
// identities come after every vault change and each one replaces the whole list, so they must
// not overtake each other: an older list finishing last would bring back deleted items, and a
// rebuild still running at sign-out would put back the identities of the account just removed.
//
// A change of a few records' identities builds on the list asked for before it, so it is written
// only over a store known to hold that list: after any write that failed or found the store
// switched off, every change is dropped (and reported as not written) until a whole list lands.
//
// At most one operation runs at a time, on a worker thread. A replacement asked for while
// another waits supersedes it, and any change waiting with it (each replaces everything, so only
// the newest matters); changes asked for while others wait join them, the later one winning for
// a record. A removal drops everything still waiting and runs after the one in progress, so
// nothing asked before it can land after it. Main thread only.
#pragma once

#include "plataforma/RepositorioDeIdentidades.h"

#include <QCoro/QCoroTask>
#include <QList>

#include <functional>
#include <memory>

class FilaDeIdentidades {
public:
    // Over `repositorio`; nullptr means the process's store at the time each operation runs.
    explicit FilaDeIdentidades(std::shared_ptr<RepositorioDeIdentidades> repositorio = nullptr);

    FilaDeIdentidades(const FilaDeIdentidades &) = delete;
    FilaDeIdentidades &operator=(const FilaDeIdentidades &) = delete;

    // The whole list, built on the worker when its turn comes, and only if the store is
    // switched on: a vault's list is not built on the main thread, nor at all for a store that
    // takes nothing (AutoFill off). It runs on another thread, so it must own what it reads.
    using Montagem = std::function<QList<IdentidadeDoPreenchimento>()>;

    // Queues a replacement of all identities (done only while the store is switched on) and
    // returns at once with its mark (never 0); its failure is dropped.
    quint64 substituir(QList<IdentidadeDoPreenchimento> identidades);
    quint64 substituir(Montagem montagem);
    // Queues a change of the identities of the records in `mudancas`, on top of everything asked
    // for before, and returns at once with its mark (never 0). Only for a store that
    // `aceitaMudancasPorRegistro`; elsewhere it is never written.
    quint64 substituirDosRegistros(IdentidadesPorRegistro mudancas);
    // Whether the store takes changes by record (otherwise callers hand over whole lists).
    [[nodiscard]] bool aceitaMudancasPorRegistro() const;
    // Whether the operation marked `geracao` is the last one asked for and is waiting, running,
    // or was written to a switched-on store (with everything before it), with no removal since.
    [[nodiscard]] bool emDia(quint64 geracao) const;
    // Cancels every waiting replacement and removes all identities after the running operation;
    // completes when the removal has run. Its failure is dropped.
    QCoro::Task<> remover();
    // Completes when nothing is running or waiting.
    QCoro::Task<> ociosa();

    // The queue behind `identidadesDoPreenchimento` and `removerIdentidadesDoPreenchimento`.
    [[nodiscard]] static FilaDeIdentidades &doProcesso();

    struct Estado;

private:
    // Shared with the running loop, which may outlive this object.
    std::shared_ptr<Estado> estado_;
};
