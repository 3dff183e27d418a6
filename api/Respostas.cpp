#include "api/Respostas.h"

#include <QHashFunctions>

RespostaDeSessao RespostaDeSessao::deJSON(const Leitor &leitor)
{
    RespostaDeSessao resposta;
    resposta.tokenDeAcesso = leitor.exigirTexto(QStringLiteral("tokenDeAcesso"));
    resposta.expiraEm = leitor.exigirTexto(QStringLiteral("expiraEm"));
    resposta.tokenDeRenovacao = leitor.talvezTexto(QStringLiteral("tokenDeRenovacao"));
    resposta.conta = Conta::deJSON(leitor.exigirObjeto(QStringLiteral("conta")));
    return resposta;
}

RespostaDeSessao RespostaDeSessao::deJSON(const ValorJSON &valor)
{
    return deJSON(Leitor(valor));
}

RespostaDoCofre RespostaDoCofre::deJSON(const ValorJSON &valor)
{
    const Leitor leitor(valor);
    RespostaDoCofre resposta;
    resposta.revisao = leitor.exigirInteiro(QStringLiteral("revisao"));
    resposta.completo = leitor.talvezFlag(QStringLiteral("completo"));
    resposta.itens =
        leitor.exigirLista(QStringLiteral("itens"), [](const Leitor &item) { return ItemCifrado::deJSON(item); });
    return resposta;
}

RespostaSocial RespostaSocial::deJSON(const ValorJSON &valor)
{
    const Leitor leitor(valor);
    RespostaSocial resposta;
    resposta.situacao = leitor.exigirTexto(QStringLiteral("situacao"));
    resposta.email = leitor.exigirTexto(QStringLiteral("email"));
    resposta.sal = leitor.talvezTexto(QStringLiteral("sal"));
    if (const auto kdf = leitor.talvezObjeto(QStringLiteral("kdf")))
        resposta.kdf = parametrosKdfDeJSON(*kdf);
    resposta.tokenSocial = leitor.exigirTexto(QStringLiteral("tokenSocial"));
    return resposta;
}

size_t qHash(const RespostaSocial &r, size_t semente)
{
    const size_t kdf = r.kdf ? qHash(*r.kdf, semente) : 0;
    return qHashMulti(semente, r.situacao, r.email, r.sal.value_or(QString()), r.sal.has_value(), kdf,
                      r.kdf.has_value(), r.tokenSocial, r.nomeSugerido.value_or(QString()), r.nomeSugerido.has_value());
}

RespostaDePreEntrada RespostaDePreEntrada::deJSON(const ValorJSON &valor)
{
    const Leitor leitor(valor);
    return {leitor.exigirTexto(QStringLiteral("sal")), parametrosKdfDeJSON(leitor.exigirObjeto(QStringLiteral("kdf")))};
}

RespostaDoCodigoDeEmail RespostaDoCodigoDeEmail::deJSON(const ValorJSON &valor)
{
    return {Leitor(valor).exigirInteiro(QStringLiteral("reenviarEm"))};
}

RespostaDaConferenciaDoEmail RespostaDaConferenciaDoEmail::deJSON(const ValorJSON &valor)
{
    return {Leitor(valor).exigirTexto(QStringLiteral("comprovanteDeEmail"))};
}

ProvedoresDisponiveis ProvedoresDisponiveis::deJSON(const ValorJSON &valor)
{
    const Leitor leitor(valor);
    return {leitor.exigirFlag(QStringLiteral("apple")), leitor.exigirFlag(QStringLiteral("google"))};
}
