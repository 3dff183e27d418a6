// The vault half of the development server's state: items by revision, tombstones, optimistic
// writes checked against `revisaoEsperada`, and the batch of new items.
#include "EstadoDoServidor.h"

#include "Recusa.h"

#include <QJsonArray>
#include <QSet>

#include <algorithm>
#include <stdexcept>

namespace Servidor {

namespace {

constexpr qsizetype limiteDosDados = 1 << 20; // characters of one sealed envelope
constexpr qsizetype limiteDoLote = 250;

const QLatin1String prefixoDosItens("/v1/cofre/itens/");

bool idValido(const QString &id)
{
    if (id.isEmpty() || id.size() > 128)
        return false;
    return std::all_of(id.cbegin(), id.cend(), [](QChar c) {
        return (c.unicode() < 128 && c.isLetterOrNumber()) || c == QLatin1Char('-') || c == QLatin1Char('_')
               || c == QLatin1Char('.');
    });
}

QString idDoCaminho(const Pedido &pedido)
{
    const QString id = pedido.caminho.mid(prefixoDosItens.size());
    if (!idValido(id))
        throw dadosInvalidos(QStringLiteral("id"));
    return id;
}

QString lerTipo(const QJsonObject &objeto)
{
    const QString tipo = texto(objeto, QStringLiteral("tipo"));
    if (tipo != QLatin1String("codigo") && tipo != QLatin1String("senha") && tipo != QLatin1String("nota"))
        throw dadosInvalidos(QStringLiteral("tipo"));
    return tipo;
}

QString lerDados(const QJsonObject &objeto)
{
    const QString dados = texto(objeto, QStringLiteral("dados"));
    if (dados.size() > limiteDosDados)
        throw Recusa{413, QStringLiteral("item-grande-demais"), {}};
    return dados;
}

bool apagado(const QJsonObject &item)
{
    return item.contains(QStringLiteral("apagadoEm"));
}

qint64 revisaoDe(const QJsonObject &item)
{
    return item.value(QStringLiteral("revisao")).toInteger();
}

Recusa conflito(const QJsonValue &atual)
{
    return {409, QStringLiteral("conflito-de-revisao"), {}, {{QStringLiteral("item"), atual}}};
}

// Stores an item and moves its id to its new revision in the index, so "desde" reads only what
// changed.
void guardar(ContaNoServidor &conta, const QString &id, const QJsonObject &item)
{
    if (const auto anterior = conta.itens.constFind(id); anterior != conta.itens.cend())
        conta.porRevisao.remove(revisaoDe(*anterior));
    conta.itens.insert(id, item);
    conta.porRevisao.insert(revisaoDe(item), id);
}

} // namespace

QJsonObject EstadoDoServidor::escreverItem(ContaNoServidor &conta, const QString &id, const QString &tipo,
                                           const QString &dados)
{
    const QString agoraEmTexto = textoDaData(agora());
    const auto anterior = conta.itens.constFind(id);
    // Writing over a tombstone makes a new item, with a new creation time.
    const QString criadoEm = anterior != conta.itens.cend() && !apagado(*anterior)
                                 ? anterior->value(QStringLiteral("criadoEm")).toString()
                                 : agoraEmTexto;
    const QJsonObject item{{QStringLiteral("id"), id},
                           {QStringLiteral("tipo"), tipo},
                           {QStringLiteral("dados"), dados},
                           {QStringLiteral("revisao"), ++conta.revisao},
                           {QStringLiteral("criadoEm"), criadoEm},
                           {QStringLiteral("atualizadoEm"), agoraEmTexto}};
    guardar(conta, id, item);
    return item;
}

QJsonObject EstadoDoServidor::escreverLapide(ContaNoServidor &conta, const QString &id)
{
    const QString agoraEmTexto = textoDaData(agora());
    QJsonObject item = conta.itens.value(id);
    item.remove(QStringLiteral("dados"));
    item.insert(QStringLiteral("revisao"), ++conta.revisao);
    item.insert(QStringLiteral("atualizadoEm"), agoraEmTexto);
    item.insert(QStringLiteral("apagadoEm"), agoraEmTexto);
    guardar(conta, id, item);
    return item;
}

QJsonObject EstadoDoServidor::gravarItem(const QString &email, const QString &id, const QString &tipo,
                                         const QString &dados)
{
    return escreverItem(exigirConta(email), id, tipo, dados);
}

QJsonObject EstadoDoServidor::apagarItem(const QString &email, const QString &id)
{
    ContaNoServidor &conta = exigirConta(email);
    if (!conta.itens.contains(id) || apagado(conta.itens.value(id)))
        throw std::invalid_argument("no live item " + id.toStdString());
    return escreverLapide(conta, id);
}

Resposta EstadoDoServidor::lerCofre(const Pedido &pedido)
{
    const ContaNoServidor &conta = contaAutenticada(pedido);
    std::optional<qint64> desde;
    if (pedido.consulta.hasQueryItem(QStringLiteral("desde"))) {
        bool ok = false;
        desde = pedido.consulta.queryItemValue(QStringLiteral("desde")).toLongLong(&ok);
        if (!ok || *desde < 0)
            throw dadosInvalidos(QStringLiteral("desde"));
    }
    // A client ahead of the server (the server was restarted) gets the whole vault.
    const bool completo = !desde || *desde > conta.revisao;
    // The index holds each item once, under its current revision, in ascending order: the
    // answer's order without a sort, and an incremental answer reads only the newer entries.
    QJsonArray itens;
    for (auto entrada = completo ? conta.porRevisao.cbegin() : conta.porRevisao.upperBound(*desde);
         entrada != conta.porRevisao.cend(); ++entrada) {
        const QJsonObject &item = conta.itens.find(entrada.value()).value();
        if (!completo || !apagado(item))
            itens.append(item);
    }
    return respostaJson(200, {{QStringLiteral("revisao"), conta.revisao},
                              {QStringLiteral("completo"), completo},
                              {QStringLiteral("itens"), itens}});
}

Resposta EstadoDoServidor::guardarItem(const Pedido &pedido)
{
    ContaNoServidor &conta = contaAutenticada(pedido);
    const QString id = idDoCaminho(pedido);
    const QJsonObject corpo = lerObjeto(pedido.corpo);
    const QString tipo = lerTipo(corpo);
    const QString dados = lerDados(corpo);
    // The key is always sent; null means "write whatever the server holds".
    const QJsonValue esperada = corpo.value(QStringLiteral("revisaoEsperada"));
    if (esperada.isUndefined() || !(esperada.isNull() || ehInteiro(esperada)))
        throw dadosInvalidos(QStringLiteral("revisaoEsperada"));
    if (!esperada.isNull()) {
        const auto atual = conta.itens.constFind(id);
        if (atual == conta.itens.cend())
            throw conflito(QJsonValue::Null);
        if (revisaoDe(*atual) != esperada.toInteger())
            throw conflito(*atual);
    }
    return respostaJson(200, escreverItem(conta, id, tipo, dados));
}

Resposta EstadoDoServidor::removerItem(const Pedido &pedido)
{
    ContaNoServidor &conta = contaAutenticada(pedido);
    const QString id = idDoCaminho(pedido);
    bool ok = false;
    const qint64 esperada = pedido.consulta.queryItemValue(QStringLiteral("revisaoEsperada")).toLongLong(&ok);
    if (!ok)
        throw dadosInvalidos(QStringLiteral("revisaoEsperada"));
    const auto atual = conta.itens.constFind(id);
    if (atual == conta.itens.cend() || apagado(*atual))
        throw Recusa{404, QStringLiteral("item-inexistente"), QStringLiteral("Este item não existe mais.")};
    if (revisaoDe(*atual) != esperada)
        throw conflito(*atual);
    return respostaJson(200, escreverLapide(conta, id));
}

Resposta EstadoDoServidor::guardarLote(const Pedido &pedido)
{
    ContaNoServidor &conta = contaAutenticada(pedido);
    const QJsonValue lista = lerObjeto(pedido.corpo).value(QStringLiteral("itens"));
    if (!lista.isArray())
        throw dadosInvalidos(QStringLiteral("itens"));
    if (lista.toArray().size() > limiteDoLote)
        throw Recusa{413, QStringLiteral("lote-grande-demais"), QStringLiteral("Mande no máximo 250 itens por vez.")};

    // Check the whole batch before writing any of it: a refused batch changes nothing.
    struct Novo {
        QString id, tipo, dados;
    };
    QList<Novo> novos;
    QSet<QString> vistos;
    for (qsizetype posicao = 0; posicao < lista.toArray().size(); ++posicao) {
        const QJsonValue valor = lista.toArray().at(posicao);
        const QString nomeDaEntrada = QStringLiteral("itens[%1]").arg(posicao);
        if (!valor.isObject())
            throw dadosInvalidos(nomeDaEntrada);
        const QJsonObject entrada = valor.toObject();
        Novo novo = dentroDe(nomeDaEntrada, [&] {
            return Novo{texto(entrada, QStringLiteral("id")), lerTipo(entrada), lerDados(entrada)};
        });
        if (!idValido(novo.id))
            throw dadosInvalidos(nomeDaEntrada + QStringLiteral(".id"));
        const bool existe = conta.itens.contains(novo.id) && !apagado(conta.itens.value(novo.id));
        if (existe || vistos.contains(novo.id))
            throw Recusa{409, QStringLiteral("item-existente"), QStringLiteral("Já existe um item com este identificador.")};
        vistos.insert(novo.id);
        novos.append(novo);
    }
    QJsonArray itens;
    for (const Novo &novo : novos)
        itens.append(escreverItem(conta, novo.id, novo.tipo, novo.dados));
    return respostaJson(200, {{QStringLiteral("revisao"), conta.revisao},
                              {QStringLiteral("completo"), false},
                              {QStringLiteral("itens"), itens}});
}

} // namespace Servidor
