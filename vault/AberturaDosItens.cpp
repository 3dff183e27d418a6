#include "vault/AberturaDosItens.h"

#include "core/ErroDeCripto.h"
#include "core/ValorJSON.h"

#include <QScopeGuard>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <memory>
#include <system_error>
#include <thread>

namespace AberturaDosItens {

namespace {

// Items are handed out in blocks: small enough to even out the threads' loads and let the caller
// start applying early, large enough that the shared counters are rarely touched.
constexpr qsizetype itensPorBloco = 128;

void abrirEm(Abertura &abertura, const ItemCifrado &item, const QByteArray &chave)
{
    try {
        abertura.aberto = abrir(item, chave);
    } catch (...) {
        // Not swallowed: carried to the caller's thread and rethrown where this item applies.
        abertura.falha = std::current_exception();
    }
}

// Each block's openings are held only from when a thread opens it until they are applied, in
// memory of the thread that opens it: later blocks reuse what earlier ones gave back.
void abrirBloco(const QList<ItemCifrado> &itens, const QByteArray &chave, std::vector<Abertura> &aberturas,
                qsizetype bloco)
{
    const qsizetype inicio = bloco * itensPorBloco;
    const qsizetype fim = std::min(inicio + itensPorBloco, itens.size());
    aberturas.resize(std::size_t(fim - inicio));
    for (qsizetype i = inicio; i < fim; ++i)
        abrirEm(aberturas[std::size_t(i - inicio)], itens[i], chave);
}

// The blocks of one vault: the next one to hand out and which are done.
struct Blocos {
    explicit Blocos(qsizetype quantidade) : total(quantidade), prontos(new std::atomic<bool>[std::size_t(quantidade)]())
    {
    }

    // The next block no thread has taken, or none left.
    [[nodiscard]] std::optional<qsizetype> tomar()
    {
        const qsizetype bloco = proximo.fetch_add(1, std::memory_order_relaxed);
        return bloco < total ? std::optional(bloco) : std::nullopt;
    }

    void concluir(qsizetype bloco)
    {
        prontos[bloco].store(true, std::memory_order_release);
        prontos[bloco].notify_one();
    }

    const qsizetype total;
    std::atomic<qsizetype> proximo{0};
    std::unique_ptr<std::atomic<bool>[]> prontos;
};

} // namespace

std::optional<ItemAberto> abrir(const ItemCifrado &item, const QByteArray &chave)
{
    if (item.apagadoEm || !item.dados)
        return std::nullopt;
    try {
        return ItemAberto::de(item, ItemCifrado::abrir(*item.dados, item.id, chave));
    } catch (const ErroDeCripto &) {
        return std::nullopt;
    }
}

int linhasPara(qsizetype itens)
{
    if (itens < minimoEmParalelo)
        return 1;
    return std::clamp(QThread::idealThreadCount(), 1, maximoDeLinhas);
}

void abrirEmOrdem(const QList<ItemCifrado> &itens, const QByteArray &chave,
                  const std::function<void(qsizetype, Abertura &)> &aplicar)
{
    const int linhas = linhasPara(itens.size());
    if (linhas == 1) {
        for (qsizetype i = 0; i < itens.size(); ++i) {
            Abertura abertura;
            abrirEm(abertura, itens[i], chave);
            aplicar(i, abertura);
        }
        return;
    }

    Blocos blocos((itens.size() + itensPorBloco - 1) / itensPorBloco);
    std::vector<std::vector<Abertura>> aberturas(std::size_t(blocos.total));
    const auto trabalhar = [&] {
        // Each thread shares equal short texts within what it reads, as a single reader would.
        const TextosCompartilhados compartilhados;
        while (const std::optional<qsizetype> bloco = blocos.tomar()) {
            abrirBloco(itens, chave, aberturas[std::size_t(*bloco)], *bloco);
            blocos.concluir(*bloco);
        }
    };
    std::vector<std::jthread> ajudantes;
    // However this ends (also when `aplicar` throws), no block is taken any more before the
    // helpers are joined.
    const auto parar = qScopeGuard([&] { blocos.proximo.store(blocos.total); });
    ajudantes.reserve(std::size_t(linhas - 1));
    for (int i = 1; i < linhas; ++i) {
        try {
            ajudantes.emplace_back(trabalhar);
        } catch (const std::system_error &) {
            break; // no thread to spare: this one opens what the others do not
        }
    }

    // The caller's thread applies the blocks in order as they are done; while the next one is
    // still being opened, it opens one of those not yet taken instead of waiting.
    const TextosCompartilhados compartilhados;
    for (qsizetype bloco = 0; bloco < blocos.total; ++bloco) {
        while (!blocos.prontos[bloco].load(std::memory_order_acquire)) {
            if (const std::optional<qsizetype> outro = blocos.tomar()) {
                abrirBloco(itens, chave, aberturas[std::size_t(*outro)], *outro);
                blocos.concluir(*outro);
            } else {
                blocos.prontos[bloco].wait(false, std::memory_order_acquire);
            }
        }
        std::vector<Abertura> &doBloco = aberturas[std::size_t(bloco)];
        for (std::size_t i = 0; i < doBloco.size(); ++i)
            aplicar(bloco * itensPorBloco + qsizetype(i), doBloco[i]);
        std::vector<Abertura>().swap(doBloco);
    }
}

} // namespace AberturaDosItens
