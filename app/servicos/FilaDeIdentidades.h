// Keeps the identity store's writes in the order they were asked for. Rebuilds of the AutoFill
// identities come after every vault change and each one replaces the whole list, so they must
// not overtake each other: an older list finishing last would bring back deleted items, and a
// rebuild still running at sign-out would put back the identities of the account just removed.
//
// At most one operation runs at a time, on a worker thread. A replacement asked for while
// another waits supersedes it (each replaces everything, so only the newest matters). A removal
// drops every replacement still waiting and runs after the one in progress, so nothing asked
// before it can land after it. Main thread only.
#pragma once

#include "plataforma/RepositorioDeIdentidades.h"

#include <QCoro/QCoroTask>
#include <QList>

#include <memory>

class FilaDeIdentidades {
public:
    // Over `repositorio`; nullptr means the process's store at the time each operation runs.
    explicit FilaDeIdentidades(std::shared_ptr<RepositorioDeIdentidades> repositorio = nullptr);

    FilaDeIdentidades(const FilaDeIdentidades &) = delete;
    FilaDeIdentidades &operator=(const FilaDeIdentidades &) = delete;

    // Queues a replacement of all identities (done only while the store is switched on) and
    // returns at once with its mark (never 0); its failure is dropped.
    quint64 substituir(QList<IdentidadeDoPreenchimento> identidades);
    // Whether the replacement marked `geracao` is the last one asked for and is waiting, running,
    // or was written to a switched-on store, with no removal since.
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
