// The running program's bundle information: the Info.json compiled into it as a resource.
#pragma once

#include <QVariantMap>

#include <optional>

namespace InfoDoPacote {
// The information dictionary, read anew on every call (tests may have replaced it).
[[nodiscard]] QVariantMap dicionario();
// Replaces the dictionary in this process; nullopt puts the compiled-in one back.
void substituir(std::optional<QVariantMap> dicionario);
} // namespace InfoDoPacote
