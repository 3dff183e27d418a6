// Runs CPU-heavy key work (argon2id, key generation) on the program's work pool through QtConcurrent, so
// the main thread keeps handling events while a coroutine awaits it. The work's own exception is
// carried back and rethrown on the awaiting side (QtConcurrent would only pass QException).
//
//     const QFuture<Desfecho<R>> futuro = foraDoPrincipal(funcao);
//     R valor = resultadoDe(co_await futuro);
//
// Not a coroutine on purpose: with GCC 12 a capturing closure passed by value into a coroutine
// from inside a co_await expression is destroyed twice, so the closure never crosses one.
#pragma once

#include "servicos/PoolDeTrabalho.h"

#include <QCoro/QCoroFuture>
#include <QFuture>
#include <QtConcurrent/QtConcurrentRun>

#include <exception>
#include <optional>
#include <type_traits>

template <typename R>
struct Desfecho {
    std::optional<R> valor;
    std::exception_ptr erro;
};

// f's result, computed on a work-pool thread; f must not touch any QObject of the main thread.
template <typename F, typename R = std::invoke_result_t<F>>
[[nodiscard]] QFuture<Desfecho<R>> foraDoPrincipal(F funcao)
{
    return QtConcurrent::run(PoolDeTrabalho::pool(), [funcao = std::move(funcao)]() {
        Desfecho<R> desfecho;
        try {
            desfecho.valor.emplace(funcao());
        } catch (...) {
            // Not swallowed: `resultadoDe` rethrows it on the awaiting thread.
            desfecho.erro = std::current_exception();
        }
        return desfecho;
    });
}

// The value, or the work's exception rethrown.
template <typename R>
[[nodiscard]] R resultadoDe(Desfecho<R> desfecho)
{
    if (desfecho.erro)
        std::rethrow_exception(desfecho.erro);
    return std::move(*desfecho.valor);
}
