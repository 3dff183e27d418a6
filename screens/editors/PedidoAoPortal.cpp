#include "PedidoAoPortal.h"

#include <QCoro/QCoroSignal>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#include <QElapsedTimer>
#include <QUuid>

#include <tuple>

namespace PedidoAoPortal {

namespace {

const QString servicoDoPortal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString objetoDoPortal = QStringLiteral("/org/freedesktop/portal/desktop");

std::optional<QDBusConnection> &barramentoDosTestes()
{
    static std::optional<QDBusConnection> outro;
    return outro;
}

// Receives the portal's answer to one request.
class Ouvinte : public QObject {
    Q_OBJECT
public slots:
    void receber(uint codigo, const QVariantMap &resultados) { emit chegou(codigo, resultados); }
signals:
    void chegou(uint codigo, QVariantMap resultados);
};

} // namespace

QDBusConnection barramento()
{
    return barramentoDosTestes().value_or(QDBusConnection::sessionBus());
}

void usarBarramento(std::optional<QDBusConnection> outro)
{
    barramentoDosTestes() = std::move(outro);
}

QCoro::Task<std::optional<Resposta>> pedir(QDBusConnection barramento, QString interface, QString metodo,
                                           QVariantList argumentos, QVariantMap opcoes,
                                           std::chrono::milliseconds espera)
{
    if (!barramento.isConnected())
        co_return std::nullopt;
    const QString ficha = QStringLiteral("corvane_") + QUuid::createUuid().toString(QUuid::Id128);
    QString remetente = barramento.baseService().mid(1);
    remetente.replace(QLatin1Char('.'), QLatin1Char('_'));
    const QString caminho = objetoDoPortal + QStringLiteral("/request/") + remetente + QLatin1Char('/') + ficha;

    // Subscribed before asking, so an immediate answer is not missed.
    Ouvinte ouvinte;
    barramento.connect(servicoDoPortal, caminho, QStringLiteral("org.freedesktop.portal.Request"),
                       QStringLiteral("Response"), &ouvinte, SLOT(receber(uint, QVariantMap)));
    std::optional<Resposta> recebida;
    QObject::connect(&ouvinte, &Ouvinte::chegou, &ouvinte, [&recebida](uint codigo, const QVariantMap &resultados) {
        recebida.emplace();
        recebida->codigo = codigo;
        recebida->resultados = resultados;
    });

    QDBusMessage pedido = QDBusMessage::createMethodCall(servicoDoPortal, objetoDoPortal, interface, metodo);
    opcoes.insert(QStringLiteral("handle_token"), ficha);
    argumentos.append(opcoes);
    pedido.setArguments(argumentos);
    QDBusPendingCallWatcher chamada(barramento.asyncCall(pedido));
    co_await qCoro(&chamada, &QDBusPendingCallWatcher::finished);
    if (QDBusPendingReply<QDBusObjectPath>(chamada).isError()) {
        barramento.disconnect(servicoDoPortal, caminho, QStringLiteral("org.freedesktop.portal.Request"),
                              QStringLiteral("Response"), &ouvinte, SLOT(receber(uint, QVariantMap)));
        co_return std::nullopt;
    }
    // The portal may ask the user first: the answer waits for them.
    if (!recebida)
        co_await qCoro(&ouvinte, &Ouvinte::chegou, espera);
    barramento.disconnect(servicoDoPortal, caminho, QStringLiteral("org.freedesktop.portal.Request"),
                          QStringLiteral("Response"), &ouvinte, SLOT(receber(uint, QVariantMap)));
    co_return recebida;
}

QCoro::Task<QMap<QString, QStringList>> permissoes(QDBusConnection barramento, QString tabela, QString id)
{
    qDBusRegisterMetaType<QMap<QString, QStringList>>();
    QDBusMessage pedido = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.impl.portal.PermissionStore"),
        QStringLiteral("/org/freedesktop/impl/portal/PermissionStore"),
        QStringLiteral("org.freedesktop.impl.portal.PermissionStore"), QStringLiteral("Lookup"));
    pedido << tabela << id;
    QDBusPendingCallWatcher chamada(barramento.asyncCall(pedido, 5000));
    co_await qCoro(&chamada, &QDBusPendingCallWatcher::finished);
    const QDBusMessage resposta = chamada.reply();
    QMap<QString, QStringList> entradas;
    if (resposta.type() != QDBusMessage::ReplyMessage || resposta.arguments().isEmpty())
        co_return entradas;
    const QVariant primeiro = resposta.arguments().constFirst();
    if (primeiro.canConvert<QDBusArgument>())
        qvariant_cast<QDBusArgument>(primeiro) >> entradas;
    co_return entradas;
}

} // namespace PedidoAoPortal

#include "PedidoAoPortal.moc"
