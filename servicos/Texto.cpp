#include "servicos/Texto.h"

#include <QTextBoundaryFinder>

std::optional<QString> primeiroCaractere(const QString &texto)
{
    if (texto.isEmpty())
        return std::nullopt;
    QTextBoundaryFinder limites(QTextBoundaryFinder::Grapheme, texto);
    const qsizetype fim = limites.toNextBoundary();
    // No boundary found would mean the finder could not work: take the whole code point then.
    if (fim <= 0)
        return texto.left(texto.at(0).isHighSurrogate() && texto.size() > 1 ? 2 : 1);
    return texto.left(fim);
}
