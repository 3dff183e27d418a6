// Runs a blocking function on the program's work pool and resumes the awaiting coroutine on its
// own thread through that thread's event loop. Used for the file-locking store calls, which
// must not block the main thread. Needs only QtCore (no QtConcurrent), and the resumption is an
// ordinary queued call, so a chain of store calls never nests inside another's notification.
#pragma once

#include "servicos/PoolDeTrabalho.h"

#include <QAbstractEventDispatcher>
#include <QCoro/QCoroTask>
#include <QMetaObject>
#include <QThread>
#include <QThreadPool>

#include <coroutine>
#include <exception>
#include <optional>
#include <type_traits>

namespace detalhe {

template <typename F, typename R = std::invoke_result_t<F>>
class AguardarTrabalhador {
public:
    explicit AguardarTrabalhador(F funcao) : funcao_(std::move(funcao)) {}

    bool await_ready() const noexcept { return false; }

    void await_suspend(std::coroutine_handle<> continuacao)
    {
        // The awaiting thread's dispatcher is a QObject living in that thread: a queued call on
        // it resumes the coroutine where it was suspended. The awaiter lives in the suspended
        // frame, so `this` stays valid until then.
        QObject *retorno = QAbstractEventDispatcher::instance(QThread::currentThread());
        PoolDeTrabalho::pool()->start([this, continuacao, retorno] {
            try {
                if constexpr (std::is_void_v<R>)
                    funcao_();
                else
                    resultado_.emplace(funcao_());
            } catch (...) {
                erro_ = std::current_exception(); // rethrown in the awaiting coroutine
            }
            QMetaObject::invokeMethod(retorno, [continuacao] { continuacao.resume(); }, Qt::QueuedConnection);
        });
    }

    R await_resume()
    {
        if (erro_)
            std::rethrow_exception(erro_);
        if constexpr (!std::is_void_v<R>)
            return std::move(*resultado_);
    }

private:
    F funcao_;
    std::conditional_t<std::is_void_v<R>, bool, std::optional<R>> resultado_{};
    std::exception_ptr erro_;
};

} // namespace detalhe

// co_await noTrabalhador(f): f's result (or its exception), computed off this thread. The
// awaiting thread must run an event loop.
template <typename F>
[[nodiscard]] detalhe::AguardarTrabalhador<F> noTrabalhador(F funcao)
{
    return detalhe::AguardarTrabalhador<F>(std::move(funcao));
}
