// Choosing one image file: the desktop's own file chooser through the FileChooser portal when
// one answers (GNOME's, KDE's or GTK's dialog, in the user's language), else the caller shows
// ours. Both start in the Pictures folder and offer images only. Main thread.
#pragma once

#include <QByteArray>
#include <QCoro/QCoroTask>
#include <QDBusConnection>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace SeletorDeImagem {

enum class Resultado { escolhido, cancelado, indisponivel };
struct Escolha {
    Resultado resultado = Resultado::indisponivel;
    QUrl arquivo;
};

// The portal's dialog for one image, modal to `janelaPai` (the portal's parent window handle,
// such as "x11:1c00007", or empty). `indisponivel` when no portal offers a file chooser or it
// ended without an answer from the user.
[[nodiscard]] QCoro::Task<Escolha> pedirAoPortal(QDBusConnection barramento, QString janelaPai);

// Where the choice starts: the user's Pictures folder when it exists, else the home folder.
[[nodiscard]] QString pastaInicial();
// The image types offered, as MIME types (for the portal) and as name patterns (for ours).
[[nodiscard]] QStringList tiposDeImagem();
[[nodiscard]] QStringList padroesDeImagem();
// The filter's name, whole.
[[nodiscard]] QString nomeDoFiltro();

} // namespace SeletorDeImagem
