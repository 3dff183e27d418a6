#include "TelaDeConta.h"

QString chaveDaTela(const TelaDeConta &tela)
{
    switch (tela.caso) {
    case TelaDeConta::Caso::entrar:
        return QStringLiteral("entrar");
    case TelaDeConta::Caso::criar:
        return QStringLiteral("criar-") + (tela.social ? tela.social->email : QString());
    case TelaDeConta::Caso::senhaSocial:
        return QStringLiteral("social-") + (tela.social ? tela.social->email : QString());
    }
    return QStringLiteral("entrar");
}

TelaDeConta telaDepoisDaIdentificacao(const RespostaSocial &resposta)
{
    if (resposta.situacao == QLatin1String("nova"))
        return TelaDeConta::criar(resposta);
    return TelaDeConta::senhaSocial(resposta);
}
