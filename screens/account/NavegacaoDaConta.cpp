#include "NavegacaoDaConta.h"

#include "screens/comum/TiposNaTela.h"

NavegacaoDaConta::NavegacaoDaConta(QObject *pai) : QObject(pai) {}

void NavegacaoDaConta::definir(TelaDeConta tela)
{
    if (tela == tela_)
        return;
    const QString antes = chave();
    tela_ = std::move(tela);
    emit telaMudou();
    if (chave() != antes)
        emit chaveMudou();
}

QString NavegacaoDaConta::caso() const
{
    switch (tela_.caso) {
    case TelaDeConta::Caso::criar:
        return QStringLiteral("criar");
    case TelaDeConta::Caso::senhaSocial:
        return QStringLiteral("senhaSocial");
    case TelaDeConta::Caso::entrar:
        break;
    }
    return QStringLiteral("entrar");
}

QVariant NavegacaoDaConta::social() const
{
    if (!tela_.social)
        return {};
    return QVariant::fromValue(RespostaSocialNaTela{*tela_.social});
}

void NavegacaoDaConta::irParaEntrar()
{
    definir(TelaDeConta::entrar());
}

void NavegacaoDaConta::irParaCriar()
{
    definir(TelaDeConta::criar());
}

void NavegacaoDaConta::aoIdentificar(const QVariant &resposta)
{
    if (resposta.metaType() != QMetaType::fromType<RespostaSocialNaTela>())
        return;
    definir(telaDepoisDaIdentificacao(resposta.value<RespostaSocialNaTela>().resposta));
}
