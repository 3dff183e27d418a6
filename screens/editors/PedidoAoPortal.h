// One request to an XDG desktop portal over D-Bus: the call, then the answer that the portal
// sends later on its request object. Shared by the screenshot and the file chooser. Main thread.
#pragma once

#include <QCoro/QCoroTask>
#include <QDBusConnection>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

#include <chrono>
#include <optional>

namespace PedidoAoPortal {

// The portal's answer: 0 done, 1 cancelled by the user, 2 ended another way.
struct Resposta {
    uint codigo = 2;
    QVariantMap resultados;
};

// The bus the portals are asked on: the session bus, unless a test put another one here.
[[nodiscard]] QDBusConnection barramento();
void usarBarramento(std::optional<QDBusConnection> outro);

// Calls `metodo` of `interface` on the desktop portal with `argumentos` followed by `opcoes`
// (a handle token is added) and waits up to `espera` for the answer. Nothing when the call
// itself fails (no portal on the bus, or none offering that interface) or no answer came.
[[nodiscard]] QCoro::Task<std::optional<Resposta>> pedir(QDBusConnection barramento, QString interface,
                                                         QString metodo, QVariantList argumentos,
                                                         QVariantMap opcoes, std::chrono::milliseconds espera);

// The permission store's entries of one table and id (application id → its values); empty when
// the store does not answer or holds no such entry.
[[nodiscard]] QCoro::Task<QMap<QString, QStringList>> permissoes(QDBusConnection barramento, QString tabela,
                                                                 QString id);

} // namespace PedidoAoPortal
