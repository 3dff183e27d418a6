// Whether a client of the API still has a request out or an answer not yet handled. Each reply
// object lives until the event loop runs after the code that awaited it has gone on to its next
// wait, so "none left" means every answer has been applied, not only received.
#pragma once

#include "api/ClienteDaAPI.h"

#include <QNetworkReply>

namespace Testes {

[[nodiscard]] inline bool semPedidosEmAndamento(const ClienteDaAPI &api)
{
    return api.findChildren<QNetworkReply *>().isEmpty();
}

} // namespace Testes
