#include "api/TokensGuardados.h"

ValorJSON TokensGuardados::paraJSON() const
{
    return Escritor()
        .texto(QStringLiteral("tokenDeAcesso"), tokenDeAcesso)
        .data(QStringLiteral("expiraEm"), expiraEm)
        .texto(QStringLiteral("tokenDeRenovacao"), tokenDeRenovacao)
        .valorPronto();
}

TokensGuardados TokensGuardados::deJSON(const ValorJSON &valor)
{
    const Leitor leitor(valor);
    return {leitor.exigirTexto(QStringLiteral("tokenDeAcesso")), leitor.exigirData(QStringLiteral("expiraEm")),
            leitor.exigirTexto(QStringLiteral("tokenDeRenovacao"))};
}

QByteArray TokensGuardados::paraDados() const
{
    return CodificacaoJSON::escreverDocumento(paraJSON());
}

std::optional<TokensGuardados> TokensGuardados::deDados(const QByteArray &dados)
{
    try {
        return deJSON(CodificacaoJSON::lerDocumento(dados));
    } catch (const ErroDeDecodificacao &) {
        return std::nullopt;
    }
}
