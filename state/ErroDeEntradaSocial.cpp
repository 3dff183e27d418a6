#include "state/ErroDeEntradaSocial.h"

ErroDeEntradaSocial::ErroDeEntradaSocial(Caso caso)
    : caso_(caso), texto_(errorDescription().value_or(QStringLiteral("cancelado")).toStdString())
{
}

std::optional<QString> ErroDeEntradaSocial::errorDescription() const
{
    switch (caso_) {
    case Caso::cancelado:
        return std::nullopt;
    case Caso::falhou:
        return QStringLiteral("Não foi possível continuar com essa conta. Tente de novo.");
    }
    return QStringLiteral("Não foi possível continuar com essa conta. Tente de novo.");
}
