#include "servicos/OpcaoDeBloqueio.h"

std::optional<OpcaoDeBloqueio> opcaoDeBloqueio(qint64 segundos)
{
    for (const OpcaoDeBloqueio opcao : todasAsOpcoesDeBloqueio) {
        if (valorBruto(opcao) == segundos)
            return opcao;
    }
    return std::nullopt;
}

QString nome(OpcaoDeBloqueio opcao)
{
    switch (opcao) {
    case OpcaoDeBloqueio::imediato:
        return QStringLiteral("Imediato");
    case OpcaoDeBloqueio::umMinuto:
        return QStringLiteral("1 minuto");
    case OpcaoDeBloqueio::cincoMinutos:
        return QStringLiteral("5 minutos");
    case OpcaoDeBloqueio::quinzeMinutos:
        return QStringLiteral("15 minutos");
    }
    return QStringLiteral("Imediato");
}
