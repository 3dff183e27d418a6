#include "core/SemRepeticoes.h"

QList<QString> semRepeticoes(const QList<QString> &textos, QSet<QString> &vistos)
{
    QList<QString> unicos;
    unicos.reserve(textos.size());
    for (const QString &texto : textos) {
        if (vistos.contains(texto))
            continue;
        vistos.insert(texto);
        unicos.append(texto);
    }
    return unicos;
}
