// Shared set-up of the server's own tests: a server on a free loopback port, a client, and an
// account signed in through the API.
#pragma once

#include "ClienteDeTeste.h"
#include "servidor/ServidorDeDesenvolvimento.h"
#include "support/ContaNoServidor.h"

#include <gtest/gtest.h>

inline QJsonObject dispositivoDeTeste()
{
    return {{QStringLiteral("nome"), QStringLiteral("Mac de Teste")}, {QStringLiteral("tipo"), QStringLiteral("macos")}};
}

class ServidorEmTeste : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(servidor.iniciar(), 0);
        cliente.emplace(servidor.endereco());
    }

    Servidor::EstadoDoServidor &estado() { return servidor.estado(); }

    RespostaHttp pedir(const QByteArray &metodo, const QString &caminho,
                       const std::optional<QJsonObject> &corpo = std::nullopt, const QString &token = {})
    {
        return cliente->pedir(metodo, caminho, corpo, token);
    }

    // An account seeded in the state, signed in with its proof; gives the session answer.
    QJsonObject contaComSessao(const QString &email, const QString &prova = QStringLiteral("prova-certa"))
    {
        estado().criarConta(Testes::novaConta(email, prova));
        const RespostaHttp resposta = entrar(email, prova);
        EXPECT_EQ(resposta.status, 200) << resposta.corpo.toStdString();
        return resposta.json();
    }

    RespostaHttp entrar(const QString &email, const QString &prova, const std::optional<QString> &codigo = {})
    {
        QJsonObject corpo{{QStringLiteral("email"), email},
                          {QStringLiteral("prova"), prova},
                          {QStringLiteral("dispositivo"), dispositivoDeTeste()}};
        if (codigo)
            corpo.insert(QStringLiteral("codigoDoAutenticador"), *codigo);
        return pedir("POST", QStringLiteral("/v1/sessao"), corpo);
    }

    Servidor::ServidorDeDesenvolvimento servidor;
    std::optional<ClienteDeTeste> cliente;
};

inline QString tokenDe(const QJsonObject &sessao)
{
    return sessao.value(QStringLiteral("tokenDeAcesso")).toString();
}
