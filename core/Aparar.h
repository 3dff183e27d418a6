// Trimming as the account card and the item titles expect it.
#pragma once

#include <QString>

// The text without leading and trailing spaces and tabs; line breaks stay.
[[nodiscard]] inline QString aparadoDeEspacosETabs(const QString &texto)
{
    const auto ehEspacoOuTab = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    qsizetype inicio = 0;
    qsizetype fim = texto.size();
    while (inicio < fim && ehEspacoOuTab(texto[inicio]))
        ++inicio;
    while (fim > inicio && ehEspacoOuTab(texto[fim - 1]))
        --fim;
    return texto.mid(inicio, fim - inicio);
}
