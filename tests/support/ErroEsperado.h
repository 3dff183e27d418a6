// The error a piece of code or a coroutine ends with, for tests that check the refusal itself.
#pragma once

#include "core/ErroDeCripto.h"
#include "support/Executar.h"

#include <QCoro/QCoroTask>
#include <QString>

#include <optional>
#include <type_traits>

namespace Testes {

// Runs a callable and gives the code of the ErroDeCripto it threw, or "" when it did not throw.
template <typename F>
QString codigoDoErro(F &&f)
{
    try {
        (void)f();
    } catch (const ErroDeCripto &e) {
        return e.codigo;
    }
    return QString();
}

// Runs a coroutine to its end and gives the `Erro` it threw, or nothing when it succeeded. An
// error of another type passes through.
template <typename Erro, typename T>
std::optional<Erro> erroDe(QCoro::Task<T> tarefa)
{
    try {
        if constexpr (std::is_void_v<T>)
            executar(std::move(tarefa));
        else
            static_cast<void>(executar(std::move(tarefa)));
    } catch (const Erro &erro) {
        return erro;
    }
    return std::nullopt;
}

} // namespace Testes
