#include "api/Corpos.h"

#include "core/Conta.h"

ValorJSON Dispositivo::paraJSON() const
{
    return Escritor().texto(QStringLiteral("nome"), nome).texto(QStringLiteral("tipo"), tipo).valorPronto();
}

Dispositivo Dispositivo::deJSON(const Leitor &leitor)
{
    return {leitor.exigirTexto(QStringLiteral("nome")), leitor.exigirTexto(QStringLiteral("tipo"))};
}

Dispositivo Dispositivo::deJSON(const ValorJSON &valor)
{
    return deJSON(Leitor(valor));
}

ValorJSON CorpoDeEntrada::paraJSON() const
{
    return Escritor()
        .talvezTexto(QStringLiteral("email"), email)
        .talvezTexto(QStringLiteral("tokenSocial"), tokenSocial)
        .texto(QStringLiteral("prova"), prova)
        .talvezTexto(QStringLiteral("codigoDoAutenticador"), codigoDoAutenticador)
        .valor(QStringLiteral("dispositivo"), dispositivo.paraJSON())
        .valorPronto();
}

ValorJSON CorpoDeCadastro::paraJSON() const
{
    return Escritor()
        .talvezTexto(QStringLiteral("email"), email)
        .talvezTexto(QStringLiteral("tokenSocial"), tokenSocial)
        .talvezTexto(QStringLiteral("comprovanteDeEmail"), comprovanteDeEmail)
        .texto(QStringLiteral("nome"), nome)
        .texto(QStringLiteral("sal"), sal)
        .valor(QStringLiteral("kdf"), ::paraJSON(kdf))
        .texto(QStringLiteral("prova"), prova)
        .texto(QStringLiteral("chaveDoCofreProtegida"), chaveDoCofreProtegida)
        .texto(QStringLiteral("chaveDoCofreRecuperacao"), chaveDoCofreRecuperacao)
        .texto(QStringLiteral("provaDeRecuperacao"), provaDeRecuperacao)
        .valor(QStringLiteral("dispositivo"), dispositivo.paraJSON())
        .valorPronto();
}

ValorJSON CorpoSocial::paraJSON() const
{
    return Escritor()
        .texto(QStringLiteral("provedor"), provedor)
        .texto(QStringLiteral("tokenDeIdentidade"), tokenDeIdentidade)
        .talvezTexto(QStringLiteral("nonce"), nonce)
        .valorPronto();
}

ValorJSON CorpoDoItem::paraJSON() const
{
    return Escritor()
        .texto(QStringLiteral("tipo"), valorBruto(tipo))
        .texto(QStringLiteral("dados"), dados)
        .valor(QStringLiteral("revisaoEsperada"),
               revisaoEsperada ? ValorJSON::numero(static_cast<double>(*revisaoEsperada)) : ValorJSON::nulo())
        .valorPronto();
}

ValorJSON ItemDoLote::paraJSON() const
{
    return Escritor()
        .texto(QStringLiteral("id"), id)
        .texto(QStringLiteral("tipo"), valorBruto(tipo))
        .texto(QStringLiteral("dados"), dados)
        .valorPronto();
}

ValorJSON CorpoDoLote::paraJSON() const
{
    return Escritor()
        .lista(QStringLiteral("itens"), itens, [](const ItemDoLote &item) { return item.paraJSON(); })
        .valorPronto();
}
