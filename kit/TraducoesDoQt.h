// Qt's own texts (dialog buttons, text fields' context menus, the file dialog, command-line
// help headings) in Brazilian Portuguese: the translations Qt installs for its own modules
// (qt6-translations-l10n), loaded into the running application.
#pragma once

#include <QLocale>
#include <QStringList>

namespace TraducoesDoQt {
// The Qt modules whose catalogues are loaded, in order.
inline const QStringList modulos = {QStringLiteral("qtbase"), QStringLiteral("qtdeclarative")};
// Loads and installs every catalogue of `modulos` for `idioma` from Qt's translations folder.
// Gives how many were found; a missing package is no failure (Qt's English stays).
int carregar(const QLocale &idioma = QLocale(QLocale::Portuguese, QLocale::Brazil));
} // namespace TraducoesDoQt
