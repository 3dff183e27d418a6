// The application-group container that both programs share: $XDG_DATA_HOME (default
// ~/.local/share) + "/Group Containers/" + the group id, with the usual "Library" folders inside.
// Every folder is created on demand with permissions 0700; nothing here throws.
#pragma once

#include <QString>

#include <optional>

namespace Conteiner {

// $XDG_DATA_HOME when it is an absolute path, otherwise ~/.local/share.
[[nodiscard]] QString pastaDeDados();
// $XDG_CONFIG_HOME when it is an absolute path, otherwise ~/.config.
[[nodiscard]] QString pastaDeConfiguracao();

// The group's container, created when missing; nothing for an unusable group id (empty,
// ".", "..", or holding "/") or when the folder cannot be created.
[[nodiscard]] std::optional<QString> pastaDoGrupo(const QString &grupo);
// The container's "Library/Application Support", created when missing.
[[nodiscard]] std::optional<QString> suporteDoApp(const QString &grupo);
// The container's "Library/Preferences", created when missing.
[[nodiscard]] std::optional<QString> preferencias(const QString &grupo);

} // namespace Conteiner
