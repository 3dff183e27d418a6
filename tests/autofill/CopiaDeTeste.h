// A vault as the application leaves it for the extension: a local copy of items sealed with a
// test key, the key in the secret store in use, and helpers for the items' contents.
#pragma once

#include "core/Chaveiro.h"
#include "core/ConteudoDoItem.h"
#include "core/CopiaDoCofre.h"
#include "core/Envelope.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace CopiaDeTeste {

inline const QByteArray chave = QByteArray(32, '\x2a');
inline const QString segredo = QStringLiteral("JBSWY3DPEHPK3PXP");

inline ItemCifrado selado(const QString &id, TipoDeItem tipo, const ObjetoJSON &conteudo,
                          const QByteArray &comChave = chave)
{
    ItemCifrado item;
    item.id = id;
    item.tipo = tipo;
    item.dados = Cripto::selarEnvelope(ValorJSON::objeto(conteudo).escritoEmUTF8(), comChave, Cripto::rotuloDoItem(id));
    item.revisao = 1;
    item.criadoEm = item.atualizadoEm = QStringLiteral("2025-01-01T00:00:00Z");
    return item;
}

inline ItemCifrado senha(const QString &id, const QString &titulo, const QString &usuario, const QString &senha,
                         const QList<QString> &sites, const std::optional<QString> &segredoDoCodigo = std::nullopt)
{
    DadosDeSenha dados = DadosDeSenha::novo(titulo, usuario, senha, sites, QString(), false);
    if (segredoDoCodigo)
        dados.json.definir(QStringLiteral("codigo"),
                           ValorJSON::objeto(ObjetoJSON({{QStringLiteral("segredo"), ValorJSON::texto(*segredoDoCodigo)}})));
    return selado(id, TipoDeItem::senha, dados.json);
}

inline ItemCifrado codigo(const QString &id, const QString &emissor, const QString &conta,
                          const QList<QString> &sites = {}, const QString &comSegredo = segredo)
{
    DadosDeCodigo dados = DadosDeCodigo::novo(emissor, conta, comSegredo, AlgoritmoTotp::sha1, 6, 30);
    dados.definirSites(sites);
    return selado(id, TipoDeItem::codigo, dados.json);
}

inline Conta conta()
{
    Conta c;
    c.id = QStringLiteral("conta-1");
    c.email = QStringLiteral("ana@exemplo.com");
    c.nome = QStringLiteral("Ana");
    return c;
}

// Writes "cofre.json" with these items and, when asked, the vault key.
inline void instalar(const QList<ItemCifrado> &itens, bool comChave = true)
{
    CopiaDoCofre copia;
    copia.conta = conta();
    copia.revisao = 7;
    copia.itens = itens;
    (void)CopiaDoCofre::salvar(copia);
    if (comChave)
        Chaveiro::gravar(chave, QString::fromLatin1(Chaveiro::contaDaChaveDoCofre));
}

} // namespace CopiaDeTeste
