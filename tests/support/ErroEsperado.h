// Runs a callable and gives the code of the ErroDeCripto it threw, or "" when it did not throw.
#pragma once

#include "core/ErroDeCripto.h"

#include <QString>

namespace Testes {
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
} // namespace Testes
