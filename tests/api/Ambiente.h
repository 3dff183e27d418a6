// What the client's loopback tests share: the development server on a free port, an in-memory
// secret store, one clock that both sides read, and helpers to seed accounts and sessions.
#pragma once

#include "api/ClienteDaAPI.h"
#include "core/Chaveiro.h"
#include "servidor/ServidorDeDesenvolvimento.h"
#include "support/CofreDeSegredosEmMemoria.h"
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
        Servidor::NovaConta dados;
        dados.email = email;
        dados.sal = QStringLiteral("c2FsLWRhLWNvbnRh");
        dados.prova = prova;
        dados.chaveDoCofreProtegida = QStringLiteral("v1.bm9uY2U.Y2lmcmFkbw");
        dados.chaveDoCofreRecuperacao = QStringLiteral("v1.bm9uY2U.cmVjdXBlcmFjYW8");
        dados.provaDeRecuperacao = QStringLiteral("prova-de-recuperacao");
        servidor.estado().criarConta(dados);
    }

    // A fresh server session for the account, as a sign-in would have answered it.
    RespostaDeSessao sessaoDe(const QString &email)
    {
        const QJsonObject json = servidor.estado().abrirSessao(email);
        return RespostaDeSessao::deJSON(CodificacaoJSON::lerDocumento(QJsonDocument(json).toJson()));
    }

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

// The API error a task ends with, or nothing when it succeeds.
template <typename T>
std::optional<ErroDaAPI> erroDe(QCoro::Task<T> tarefa)
{
    try {
        static_cast<void>(Testes::executar(std::move(tarefa)));
    } catch (const ErroDaAPI &erro) {
        return erro;
    }
    return std::nullopt;
}

// Awaits two tasks that are already running side by side.
template <typename A, typename B>
QCoro::Task<std::pair<A, B>> ambos(QCoro::Task<A> a, QCoro::Task<B> b)
{
    A primeiro = co_await std::move(a);
    B segundo = co_await std::move(b);
    co_return std::pair<A, B>{std::move(primeiro), std::move(segundo)};
}
