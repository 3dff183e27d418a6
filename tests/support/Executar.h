// Runs a coroutine to completion inside a local event loop, with a timeout, and rethrows
// whatever the coroutine threw (QCoro::waitFor would swallow it).
#pragma once

#include <QCoro/QCoroTask>
#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <exception>
#include <optional>
#include <stdexcept>
#include <type_traits>

namespace Testes {

struct TempoEsgotado : std::runtime_error {
    TempoEsgotado() : std::runtime_error("a tarefa não terminou a tempo") {}
};

namespace detalhe {
template <typename T>
QCoro::Task<> guardar(QCoro::Task<T> tarefa, std::optional<T> *resultado, std::exception_ptr *erro, bool *fim,
                      QEventLoop *laco)
{
    try {
        resultado->emplace(co_await std::move(tarefa));
    } catch (...) {
        *erro = std::current_exception();
    }
    *fim = true;
    laco->quit();
}

inline QCoro::Task<> guardarVazia(QCoro::Task<> tarefa, std::exception_ptr *erro, bool *fim, QEventLoop *laco)
{
    try {
        co_await std::move(tarefa);
    } catch (...) {
        *erro = std::current_exception();
    }
    *fim = true;
    laco->quit();
}
} // namespace detalhe

// Runs `tarefa` and gives its result; throws TempoEsgotado after `limite`.
template <typename T>
T executar(QCoro::Task<T> tarefa, std::chrono::milliseconds limite = std::chrono::seconds(20))
{
    QEventLoop laco;
    bool fim = false;
    std::exception_ptr erro;
    QTimer relogio;
    relogio.setSingleShot(true);
    QObject::connect(&relogio, &QTimer::timeout, &laco, &QEventLoop::quit);
    relogio.start(limite);
    if constexpr (std::is_void_v<T>) {
        auto guarda = detalhe::guardarVazia(std::move(tarefa), &erro, &fim, &laco);
        if (!fim)
            laco.exec();
        if (!fim)
            throw TempoEsgotado();
        if (erro)
            std::rethrow_exception(erro);
    } else {
        std::optional<T> resultado;
        auto guarda = detalhe::guardar<T>(std::move(tarefa), &resultado, &erro, &fim, &laco);
        if (!fim)
            laco.exec();
        if (!fim)
            throw TempoEsgotado();
        if (erro)
            std::rethrow_exception(erro);
        return std::move(*resultado);
    }
}

} // namespace Testes
