// Readers of the bundle information keys that say where the server and the site are and which
// keychain access group and application group the two programs share. Nothing is cached.
#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// Used when "URLDaAPI" is missing or unusable: the development server on this machine.
inline constexpr const char *urlDaAPIDeDesenvolvimento = "http://127.0.0.1:8787";
inline constexpr const char *grupoDoAppPadrao = "group.app.corvane";

[[nodiscard]] QUrl urlDaAPI();
[[nodiscard]] std::optional<QUrl> urlDoSite();
[[nodiscard]] QString grupoDoChaveiro();
[[nodiscard]] QString grupoDoApp();
