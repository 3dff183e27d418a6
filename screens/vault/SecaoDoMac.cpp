#include "SecaoDoMac.h"

#include "servicos/TextosDoComputador.h"

QString valorBruto(SecaoDoMac secao)
{
    switch (secao) {
    case SecaoDoMac::codigos:
        return QStringLiteral("codigos");
    case SecaoDoMac::senhas:
        return QStringLiteral("senhas");
    case SecaoDoMac::notas:
        return QStringLiteral("notas");
    }
    return QStringLiteral("codigos");
}

std::optional<SecaoDoMac> secaoDoMac(const QString &texto)
{
    for (const SecaoDoMac secao : todasAsSecoes) {
        if (valorBruto(secao) == texto)
            return secao;
    }
    return std::nullopt;
}

SecaoDoMac secaoOuCodigos(const QString &texto) { return secaoDoMac(texto).value_or(SecaoDoMac::codigos); }

QString titulo(SecaoDoMac secao)
{
    switch (secao) {
    case SecaoDoMac::codigos:
        return QStringLiteral("Códigos");
    case SecaoDoMac::senhas:
        return QStringLiteral("Senhas");
    case SecaoDoMac::notas:
        return QStringLiteral("Notas");
    }
    return {};
}

QString simbolo(SecaoDoMac secao)
{
    switch (secao) {
    case SecaoDoMac::codigos:
        return QStringLiteral("number.square");
    case SecaoDoMac::senhas:
        return QStringLiteral("key");
    case SecaoDoMac::notas:
        return QStringLiteral("note.text");
    }
    return {};
}

QString dicaDaBusca(SecaoDoMac secao) { return QStringLiteral("Buscar ") + titulo(secao).toLower(); }

QString rotuloDeAdicionar(SecaoDoMac secao)
{
    switch (secao) {
    case SecaoDoMac::codigos:
        return QStringLiteral("Adicionar código");
    case SecaoDoMac::senhas:
        return QStringLiteral("Nova senha");
    case SecaoDoMac::notas:
        return QStringLiteral("Nova nota");
    }
    return {};
}

TipoDeItem tipoNovo(SecaoDoMac secao)
{
    switch (secao) {
    case SecaoDoMac::codigos:
        return TipoDeItem::codigo;
    case SecaoDoMac::senhas:
        return TipoDeItem::senha;
    case SecaoDoMac::notas:
        return TipoDeItem::nota;
    }
    return TipoDeItem::codigo;
}

QString subtitulo(SecaoDoMac secao, qint64 total)
{
    const QString n = QString::number(total); // plain digits, no grouping
    switch (secao) {
    case SecaoDoMac::codigos:
        if (total == 1)
            return QStringLiteral("1 código de verificação. Clique para copiar.");
        if (total == 0)
            return QStringLiteral("Os códigos de verificação dos seus sites ficam aqui.");
        return n + QStringLiteral(" códigos de verificação. Clique para copiar.");
    case SecaoDoMac::senhas:
        if (total == 1)
            return noComputador(u"1 senha, preenchida sozinha no Safari e nos apps.");
        return n + noComputador(u" senhas, preenchidas sozinhas no Safari e nos apps.");
    case SecaoDoMac::notas:
        if (total == 1)
            return QStringLiteral("1 nota protegida com a sua chave.");
        return n + QStringLiteral(" notas protegidas com a sua chave.");
    }
    return {};
}

QString aparaBusca(const QString &busca)
{
    const auto ehBranco = [](QChar c) { return c == u' ' || c == u'\t'; };
    qsizetype inicio = 0;
    qsizetype fim = busca.size();
    while (inicio < fim && ehBranco(busca.at(inicio)))
        ++inicio;
    while (fim > inicio && ehBranco(busca.at(fim - 1)))
        --fim;
    return busca.mid(inicio, fim - inicio);
}

bool combinaComBuscaAparada(QStringView aparada, const QStringList &campos)
{
    if (aparada.isEmpty())
        return true;
    for (const QString &campo : campos) {
        if (campo.contains(aparada, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool combinaComBusca(const QString &busca, const QStringList &campos)
{
    return combinaComBuscaAparada(aparaBusca(busca), campos);
}
