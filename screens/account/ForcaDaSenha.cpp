#include "ForcaDaSenha.h"

#include "core/GeradorDeSenha.h"
#include "kit/Paleta.h"

#include <algorithm>

int ForcaDaSenha::nivel(const QString &senha)
{
    return std::clamp(dicasDaSenha(senha).nivel, 0, 4);
}

QString ForcaDaSenha::rotulo(int nivel)
{
    return rotuloDoNivel(nivel);
}

QColor ForcaDaSenha::cor(int nivel)
{
    if (nivel <= 1)
        return Paleta::vermelho();
    if (nivel == 2)
        return Paleta::ambar();
    return Paleta::verde();
}

QColor ForcaDaSenha::apagada()
{
    return Paleta::borda();
}

QVariantList ForcaDaSenha::coresDasBarras(int nivel)
{
    QVariantList cores;
    for (int i = 0; i < barras; ++i)
        cores.append(acesa(nivel, i) ? cor(nivel) : apagada());
    return cores;
}
