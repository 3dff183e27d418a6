#include "core/ItemCifrado.h"

#include "core/Envelope.h"
#include "core/ErroDeCripto.h"

ItemCifrado ItemCifrado::deJSON(const Leitor &leitor)
{
    ItemCifrado item;
    item.id = leitor.exigirTexto(QStringLiteral("id"));
    const QString tipo = leitor.exigirTexto(QStringLiteral("tipo"));
    const auto conhecido = tipoDeItem(tipo);
    if (!conhecido)
        leitor.falhar(QStringLiteral("tipo"), QStringLiteral("tipo de item desconhecido"));
    item.tipo = *conhecido;
    if (auto dados = leitor.talvezTexto(QStringLiteral("dados")))
        item.dados = TextoSelado(*dados);
    item.revisao = leitor.exigirInteiro<qint64>(QStringLiteral("revisao"));
    item.criadoEm = leitor.exigirTexto(QStringLiteral("criadoEm"));
    item.atualizadoEm = leitor.exigirTexto(QStringLiteral("atualizadoEm"));
    item.apagadoEm = leitor.talvezTexto(QStringLiteral("apagadoEm"));
    return item;
}

ItemCifrado ItemCifrado::deJSON(const ValorJSON &valor)
{
    return deJSON(Leitor(valor));
}

ValorJSON ItemCifrado::paraJSON() const
{
    return Escritor()
        .texto(QStringLiteral("id"), id)
        .texto(QStringLiteral("tipo"), valorBruto(tipo))
        .talvezTexto(QStringLiteral("dados"), dados ? std::optional<QString>(dados->texto()) : std::nullopt)
        .inteiro(QStringLiteral("revisao"), revisao)
        .texto(QStringLiteral("criadoEm"), criadoEm)
        .texto(QStringLiteral("atualizadoEm"), atualizadoEm)
        .talvezTexto(QStringLiteral("apagadoEm"), apagadoEm)
        .valorPronto();
}

ObjetoJSON ItemCifrado::abrir(const QString &dados, const QString &id, const QByteArray &chave)
{
    const QByteArray texto = Cripto::abrirEnvelope(dados, chave, Cripto::rotuloDoItem(id));
    ValorJSON valor = ValorJSON::ler(texto);
    ObjetoJSON *objeto = valor.comoObjeto();
    if (!objeto)
        throw ErroDeCripto(QStringLiteral("json-invalido"));
    return std::move(*objeto);
}

ObjetoJSON ItemCifrado::abrir(const TextoSelado &dados, const QString &id, const QByteArray &chave)
{
    const QByteArray texto = Cripto::abrirEnvelope(dados, chave, Cripto::rotuloDoItem(id));
    ValorJSON valor = ValorJSON::ler(texto);
    ObjetoJSON *objeto = valor.comoObjeto();
    if (!objeto)
        throw ErroDeCripto(QStringLiteral("json-invalido"));
    return std::move(*objeto);
}

ObjetoJSON ItemCifrado::abrir(const QByteArray &chave) const
{
    if (!dados)
        throw ErroDeCripto(QStringLiteral("formato-desconhecido"));
    return abrir(*dados, id, chave);
}
