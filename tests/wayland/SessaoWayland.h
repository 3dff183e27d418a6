// What the Wayland tests share: the session's tools (swaymsg, grim, wl-paste) run as a user
// would, and the folder the screenshots go to.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QJsonObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <optional>

namespace SessaoWayland {

// Why the suite cannot run here; nothing inside scripts/com-wayland's session.
[[nodiscard]] std::optional<QString> faltando();
// Whether a missing session is a failure (CI) rather than a skip.
[[nodiscard]] bool exigida();

struct Saida {
    int codigo = -1;
    QByteArray saida;
};
[[nodiscard]] Saida executar(const QString &programa, const QStringList &argumentos, int limiteMs = 20'000);

// The compositor's window of `appId` (its node in `swaymsg -t get_tree`), once it has mapped
// within `limiteMs`.
[[nodiscard]] std::optional<QJsonObject> janela(const QString &appId, int limiteMs = 20'000);
// The same for the window of process `pid`.
[[nodiscard]] std::optional<QJsonObject> janelaDoProcesso(qint64 pid, int limiteMs = 20'000);
// Runs a sway command on the windows `criterio` selects (e.g. "[pid=42]"); whether sway took it.
bool comandar(const QString &criterio, const QString &comando);

// The window's rectangle on the output.
[[nodiscard]] QRect retangulo(const QJsonObject &janela);

// grim of `area` (the whole output when null), written as <saida>/<nome>.png too.
[[nodiscard]] QImage capturar(const QString &nome, const QRect &area = {});
// The folder screenshots go to.
[[nodiscard]] QString pastaDeSaida();

// `wl-paste --list-types` and `wl-paste --no-newline` as another client sees the clipboard.
[[nodiscard]] QStringList tiposNaAreaDeTransferencia();
[[nodiscard]] QByteArray textoNaAreaDeTransferencia();

// A left click at (x, y) of the layout through a virtual pointer (the seat's only pointer).
bool clicar(QPoint ponto);

// The mean x of the pixels of the brand's blue tile (the padlock's), if any.
[[nodiscard]] std::optional<double> centroDoAzul(const QImage &imagem);

// How many distinct colours `imagem` has (up to `limite`).
[[nodiscard]] int cores(const QImage &imagem, int limite = 64);

} // namespace SessaoWayland

// At the top of each test.
#define EXIGIR_SESSAO_WAYLAND()                                                                \
    do {                                                                                       \
        if (const auto motivo = SessaoWayland::faltando()) {                                   \
            if (SessaoWayland::exigida())                                                      \
                FAIL() << motivo->toStdString();                                               \
            GTEST_SKIP() << motivo->toStdString();                                             \
        }                                                                                      \
    } while (false)
