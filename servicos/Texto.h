// Small text helpers the screens and the item model share.
#pragma once

#include <QString>

#include <optional>

// The first character of `texto` as a person sees it (a whole grapheme cluster: a letter with
// its combining marks, an emoji sequence); nothing for empty text.
[[nodiscard]] std::optional<QString> primeiroCaractere(const QString &texto);
