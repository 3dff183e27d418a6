// Private pieces of ClienteDaAPI shared by its two source files: the cancellation of one request
// and the renewal in flight.
#pragma once

#include "api/ClienteDaAPI.h"

#include <QFuture>
#include <QNetworkReply>
#include <QPointer>
#include <QPromise>

// Lets the owner of a request abort it: before it is sent, or while its reply is running.
struct ClienteDaAPI::Cancelamento {
    bool pedido = false;
    QPointer<QNetworkReply> resposta;

    void cancelar()
    {
        pedido = true;
        if (resposta)
            resposta->abort();
    }
};

// The one renewal that every caller awaits through `futuro`.
struct ClienteDaAPI::Renovacao {
    QPromise<TokensGuardados> promessa;
    QFuture<TokensGuardados> futuro;
    std::shared_ptr<Cancelamento> cancelamento = std::make_shared<Cancelamento>();
    quint64 geracao = 0; // the session generation it was started for
};
