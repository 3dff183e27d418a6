// Accounts seeded on the development server as their owner's first device would have made them,
// and a fresh session for one, decoded as the client reads it.
#pragma once

#include "api/Respostas.h"
#include "core/Chaves.h"
#include "core/Codecs.h"
#include "core/CodificacaoJSON.h"
#include "core/Envelope.h"
#include "servidor/EstadoDoServidor.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QString>

namespace Testes {

// An account whose login proof is `prova`; its envelopes are placeholders that nothing opens.
[[nodiscard]] inline Servidor::NovaConta novaConta(const QString &email,
                                                   const QString &prova = QStringLiteral("prova-da-senha"))
{
    Servidor::NovaConta dados;
    dados.email = email;
    dados.sal = QStringLiteral("c2FsLWRhLWNvbnRh");
    dados.prova = prova;
    dados.chaveDoCofreProtegida = QStringLiteral("v1.bm9uY2U.Y2lmcmFkbw");
    dados.chaveDoCofreRecuperacao = QStringLiteral("v1.bm9uY2U.cmVjdXBlcmFjYW8");
    dados.provaDeRecuperacao = QStringLiteral("prova-de-recuperacao");
    return dados;
}

// An account with real keys: its proof and protected vault key come from `senha` (one argon2id
// stretch at the default cost), and `chave` is the vault key the envelope holds.
struct ContaComChaves {
    Servidor::NovaConta dados;
    QByteArray chave;
};
[[nodiscard]] inline ContaComChaves novaContaComChaves(const QString &email, const QString &senha)
{
    const QByteArray sal = Cripto::bytesAleatorios(16);
    const ChavesDaSenha chaves = Cripto::derivarChavesDaSenha(senha, sal, ParametrosKdf::padrao());
    ContaComChaves conta{novaConta(email, chaves.prova), Cripto::bytesAleatorios(32)};
    conta.dados.sal = Cripto::codificarBase64URL(sal);
    conta.dados.chaveDoCofreProtegida =
        Cripto::selarEnvelope(conta.chave, chaves.chaveDeEmbrulho, Cripto::rotuloDaChaveDoCofre);
    return conta;
}

// A fresh server session for a seeded account, as a sign-in would have answered it.
[[nodiscard]] inline RespostaDeSessao sessaoDe(Servidor::EstadoDoServidor &estado, const QString &email)
{
    return RespostaDeSessao::deJSON(CodificacaoJSON::lerDocumento(QJsonDocument(estado.abrirSessao(email)).toJson()));
}

} // namespace Testes
