// What the client's loopback tests share: the development server on a free port, an in-memory
// secret store, one clock that both sides read, and helpers to seed accounts and sessions.
#pragma once

#include "api/ClienteDaAPI.h"
#include "core/Chaveiro.h"
#include "servidor/ServidorDeDesenvolvimento.h"
#include "support/CofreDeSegredosEmMemoria.h"
#include "support/ContaNoServidor.h"
#include "support/ErroEsperado.h"
#include "support/Executar.h"

#include <gtest/gtest.h>

#include <QJsonDocument>

#include <memory>
#include <optional>

class ClienteComServidor : public ::testing::Test {
protected:
    void SetUp() override
    {
        cofre = CofreDeSegredosEmMemoria::instalar();
        servidor.iniciar();
        servidor.estado().definirRelogio([this] { return agora; });
    }

    void TearDown() override { CofreDeSegredos::usar(nullptr); }

    // A client of the server (or of `base`) reading the shared clock, counting its callbacks.
    std::unique_ptr<ClienteDaAPI> novoCliente(std::optional<QUrl> base = std::nullopt)
    {
        auto cliente = std::make_unique<ClienteDaAPI>(base.value_or(servidor.endereco()), [this] { return agora; });
        cliente->definirRetornos([this] { ++encerramentos; },
                                 [this](const Conta &conta) { contasRecebidas.append(conta); });
        return cliente;
    }

    // An account seeded on the server whose login proof is `prova`.
    void criarConta(const QString &email, const QString &prova = QStringLiteral("prova-da-senha"))
    {
        servidor.estado().criarConta(Testes::novaConta(email, prova));
    }

    // A fresh server session for the account, as a sign-in would have answered it.
    RespostaDeSessao sessaoDe(const QString &email) { return Testes::sessaoDe(servidor.estado(), email); }

    // A signed-in client of a new account.
    std::unique_ptr<ClienteDaAPI> clienteComSessao(const QString &email = QStringLiteral("ana@exemplo.com"))
    {
        criarConta(email);
        auto cliente = novoCliente();
        cliente->guardarSessao(sessaoDe(email));
        servidor.limparPedidos();
        return cliente;
    }

    [[nodiscard]] std::optional<QByteArray> sessaoNoChaveiro() const
    {
        return Chaveiro::ler(QString::fromLatin1(Chaveiro::contaDaSessao));
    }

    [[nodiscard]] qsizetype quantosPedidos(const char *metodo, const char *caminho) const
    {
        return servidor.pedidos(QString::fromLatin1(metodo), QString::fromLatin1(caminho)).size();
    }

    QDateTime agora = QDateTime(QDate(2025, 3, 1), QTime(12, 0), Qt::UTC);
    Servidor::ServidorDeDesenvolvimento servidor;
    std::shared_ptr<CofreDeSegredosEmMemoria> cofre;
    int encerramentos = 0;
    QList<Conta> contasRecebidas;
};

using Testes::erroDe;

// Awaits two tasks that are already running side by side.
template <typename A, typename B>
QCoro::Task<std::pair<A, B>> ambos(QCoro::Task<A> a, QCoro::Task<B> b)
{
    A primeiro = co_await std::move(a);
    B segundo = co_await std::move(b);
    co_return std::pair<A, B>{std::move(primeiro), std::move(segundo)};
}
