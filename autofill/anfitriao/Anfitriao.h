// corvane-anfitriao: the stand-in for the system's AutoFill machinery. It delivers one request to
// the extension (started anew for each), prints the answer, and keeps the provider's switch in
// the credential identity store that the application fills.
#pragma once

#include <QStringList>
#include <QTextStream>

namespace SaidaDoAnfitriao {
inline constexpr int concluido = 0;
inline constexpr int cancelado = 1;
inline constexpr int falhou = 2;
} // namespace SaidaDoAnfitriao

// `argumentos` without the program name. Answers go to `saida` as JSON lines; problems to `erros`.
int executarAnfitriao(const QStringList &argumentos, QTextStream &saida, QTextStream &erros);
