// One still image of every screen, with this program's windows stepped aside for the moment of
// the capture and brought back where they were. On a real X server each screen is grabbed
// directly; in a Wayland session (XWayland included, whose root grab is all black) the desktop's
// screenshot portal is asked over D-Bus. Main thread.
#pragma once

#include <QCoro/QCoroTask>
#include <QImage>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

class EstadoDoApp;

namespace CapturaDaTela {

// Throws LeitorDaTelaNoMac::SemPermissao when the desktop refuses, Cancelada when the user
// cancelled the portal's question, FalhaNaCaptura otherwise (a blank grab included). While it
// runs, `estado` (may be null) does not take hidden windows or the portal's dialog for the user
// leaving the program. The portal is asked on PedidoAoPortal::barramento().
[[nodiscard]] QCoro::Task<QList<QImage>> capturar(EstadoDoApp *estado);

// Returns once the program is in the foreground again, or after a second and a half: a desktop
// dialog or a capture that took the focus may still be giving it back.
[[nodiscard]] QCoro::Task<> esperarVoltarAoPrimeiroPlano();

enum class Caminho { x11, portal, nenhum };
// How this session is captured: decided by the session (its type, a Wayland display), not by
// Qt's platform, since an X11 client of a Wayland session cannot grab the screen.
[[nodiscard]] Caminho caminhoDaCaptura(const QString &waylandDisplay, const QString &tipoDaSessao,
                                       const QString &plataforma);
// The same from this process's environment.
[[nodiscard]] Caminho caminhoDestaSessao();

// A grab where every pixel has one colour holds nothing: it is a failed capture.
[[nodiscard]] bool imagemEmBranco(const QImage &imagem);

enum class Desfecho { sucesso, cancelado, semPermissao, falha };
// The screenshot portal's answer (0 done, 1 cancelled, 2 ended otherwise) with, for an answer 2,
// the permission store's "screenshot" entries: a "no" for one of `nossosIds` means refused.
[[nodiscard]] Desfecho desfechoDoPortal(uint resposta, const QMap<QString, QStringList> &permissoes,
                                        const QStringList &nossosIds);

} // namespace CapturaDaTela
