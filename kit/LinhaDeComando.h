// The command line of the application and of the AutoFill extension: "--help" and "--version"
// print and end the program before any window or store exists; the help lists every option the
// program takes.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace LinhaDeComando {

enum class Programa { aplicativo, extensao };

// The help text of `programa` (Qt's headings in the language loaded into the application).
[[nodiscard]] QString ajuda(Programa programa);
// "<program> <version>" from the bundle information.
[[nodiscard]] QString versao(Programa programa);

// The text to print and exit with (status 0) when `argumentos` (argv, program name first) ask
// for the help or the version; nothing otherwise.
[[nodiscard]] std::optional<QString> respostaImediata(Programa programa, const QStringList &argumentos);

// For `main`, before the application object: answers "--help"/"--version" on standard output
// (with a core application of its own, so no display is needed) and gives the exit status;
// nothing when the program should run.
[[nodiscard]] std::optional<int> responderSePedido(Programa programa, int argc, char **argv);

} // namespace LinhaDeComando
