#include "ModeloDaSenhaSocial.h"

#include "screens/comum/TiposNaTela.h"
#include "state/EstadoDoApp.h"

ModeloDaSenhaSocial::ModeloDaSenhaSocial(QObject *pai) : EntradaEmDuasEtapas(pai)
{
    connect(this, &ModeloDaSenhaSocial::socialMudou, this, &ModeloDaSenhaSocial::textoMudou);
}

QVariant ModeloDaSenhaSocial::social() const
{
    return QVariant::fromValue(RespostaSocialNaTela{social_});
}

void ModeloDaSenhaSocial::definirSocial(const QVariant &social)
{
    if (social.metaType() != QMetaType::fromType<RespostaSocialNaTela>())
        return;
    RespostaSocial nova = social.value<RespostaSocialNaTela>().resposta;
    if (nova == social_)
        return;
    social_ = std::move(nova);
    emit socialMudou();
}

QString ModeloDaSenhaSocial::texto() const
{
    if (pedeCodigo())
        return EntradaEmDuasEtapas::texto();
    return QStringLiteral("Você está entrando como ") + social_.email +
           QStringLiteral(". A senha do Corvane é a que abre o seu cofre.");
}

QCoro::Task<EntradaPendente> ModeloDaSenhaSocial::preparar(EstadoDoApp &estado) const
{
    return estado.prepararEntradaSocial(social_, senha());
}
