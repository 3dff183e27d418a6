// Drops repeated texts from a list, keeping the first occurrence of each.
#pragma once

#include <QList>
#include <QSet>
#include <QString>

// The texts of `textos`, in order, that are not yet in `vistos`; each one taken is added to
// `vistos`, so later repeats are dropped. Exact text equality.
[[nodiscard]] QList<QString> semRepeticoes(const QList<QString> &textos, QSet<QString> &vistos);
