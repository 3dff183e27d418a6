// The one table of symbols: every symbol name the screens use maps to a drawing of our own
// (an SVG in this module) or to a symbolic icon of the installed Adwaita theme.
#pragma once

#include <QString>
#include <QStringList>

namespace simbolos {

// The file to draw for `nome` (a Qt resource or a file of the icon theme); empty when the name
// is unknown or its theme icon is not installed.
[[nodiscard]] QString arquivo(const QString &nome);
// Every name of the table.
[[nodiscard]] QStringList nomes();

} // namespace simbolos
