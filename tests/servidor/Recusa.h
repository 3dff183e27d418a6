// Internal helpers of the development server: the refusal that handlers throw (turned into the
// error body {"erro", "mensagem"} by `EstadoDoServidor::atender`) and strict readers of request
// bodies, so a client that sends a malformed body learns it at once.
#pragma once

#include "EstadoDoServidor.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <optional>

namespace Servidor {

struct Recusa {
    int status;
    QString codigo;
    QString mensagem;    // empty for the codes the client words itself
    QJsonObject extra{}; // further keys of the error body (the conflict's "item")
};

// `campo` names what is wrong, as the body's "campo" ("email", "kdf.iteracoes", "itens[2].id",
// "corpo" for a body that is not a JSON object); "mensagem" stays empty, the client words it.
[[nodiscard]] inline Recusa dadosInvalidos(const QString &campo)
{
    return {400, QStringLiteral("dados-invalidos"), {}, {{QStringLiteral("campo"), campo}}};
}

// Runs `leitura`; a "dados-invalidos" it throws names its field under `pai` ("kdf.iteracoes",
// "itens[2].tipo").
template <typename F>
auto dentroDe(const QString &pai, F leitura)
{
    try {
        return leitura();
    } catch (Recusa &recusa) {
        const QString campo = recusa.extra.value(QStringLiteral("campo")).toString();
        if (recusa.codigo == QLatin1String("dados-invalidos") && !campo.isEmpty())
            recusa.extra.insert(QStringLiteral("campo"), pai + QLatin1Char('.') + campo);
        throw;
    }
}

[[nodiscard]] inline Recusa naoAutenticado()
{
    return {401, QStringLiteral("nao-autenticado"), {}};
}

[[nodiscard]] inline Resposta respostaJson(int status, const QJsonObject &corpo)
{
    return {status, QJsonDocument(corpo).toJson(QJsonDocument::Compact), "application/json"};
}

[[nodiscard]] inline Resposta respostaDeErro(const Recusa &recusa)
{
    QJsonObject corpo = recusa.extra;
    corpo.insert(QStringLiteral("erro"), recusa.codigo);
    corpo.insert(QStringLiteral("mensagem"), recusa.mensagem);
    return respostaJson(recusa.status, corpo);
}

[[nodiscard]] inline QJsonObject lerObjeto(const QByteArray &corpo)
{
    QJsonParseError erro{};
    const QJsonDocument documento = QJsonDocument::fromJson(corpo, &erro);
    if (erro.error != QJsonParseError::NoError || !documento.isObject())
        throw dadosInvalidos(QStringLiteral("corpo"));
    return documento.object();
}

// A required, non-empty text.
[[nodiscard]] inline QString texto(const QJsonObject &objeto, const QString &chave)
{
    const QJsonValue valor = objeto.value(chave);
    if (!valor.isString() || valor.toString().isEmpty())
        throw dadosInvalidos(chave);
    return valor.toString();
}

// An optional text: missing or null is absent, another type is refused.
[[nodiscard]] inline std::optional<QString> textoOpcional(const QJsonObject &objeto, const QString &chave)
{
    const QJsonValue valor = objeto.value(chave);
    if (valor.isUndefined() || valor.isNull())
        return std::nullopt;
    if (!valor.isString())
        throw dadosInvalidos(chave);
    return valor.toString();
}

// Dates the server sends: ISO 8601 in UTC with milliseconds, such as "2025-03-01T12:00:00.000Z".
[[nodiscard]] inline QString textoDaData(const QDateTime &instante)
{
    return instante.toUTC().toString(Qt::ISODateWithMs);
}

[[nodiscard]] inline bool ehInteiro(const QJsonValue &valor)
{
    return valor.isDouble() && valor.toDouble() == static_cast<double>(valor.toInteger());
}

} // namespace Servidor
