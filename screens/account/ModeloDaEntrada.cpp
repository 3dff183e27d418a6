#include "ModeloDaEntrada.h"

#include "servicos/TextosDoComputador.h"
#include "state/EstadoDoApp.h"

ModeloDaEntrada::ModeloDaEntrada(QObject *pai) : EntradaEmDuasEtapas(pai)
{
    connect(this, &ModeloDaEntrada::emailMudou, this, &ModeloDaEntrada::prontoMudou);
}

void ModeloDaEntrada::definirEmail(const QString &email)
{
    if (email_ == email)
        return;
    email_ = email;
    emit emailMudou();
}

QString ModeloDaEntrada::texto() const
{
    if (pedeCodigo())
        return EntradaEmDuasEtapas::texto();
    return noComputador(u"Use o e-mail e a senha da sua conta. Depois, o Touch ID abre o cofre neste Mac.");
}

void ModeloDaEntrada::aoMostrar()
{
    if (email_.isEmpty() && estado())
        definirEmail(estado()->preferencias()->ultimoEmail());
}

bool ModeloDaEntrada::prontoNaEtapaDaSenha() const
{
    // The e-mail is checked no further here; the server answers for the rest.
    return email_.contains(QLatin1Char('@')) && !senha().isEmpty();
}

QCoro::Task<EntradaPendente> ModeloDaEntrada::preparar(EstadoDoApp &estado) const
{
    // As typed: the state trims and lower-cases the e-mail itself.
    return estado.prepararEntrada(email_, senha());
}
