#include "CapturaDaTela.h"

#include "LeitorDaTela.h"
#include "state/EstadoDoApp.h"

#include <QCoro/QCoroSignal>
#include <QCoro/QCoroTimer>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QUrl>
#include <QUuid>
#include <QWindow>

#include <chrono>
#include <exception>
#include <optional>

using namespace std::chrono_literals;

namespace CapturaDaTela {

namespace {

// The windows beneath ours need a moment to repaint once ours are unmapped.
constexpr auto esperaDaPintura = 250ms;
// After the windows return, the desktop's focus change may still be on its way: the capture
// keeps covering it until the program is active again, or this long.
constexpr auto esperaDoFoco = 1500ms;

// Holds the state's capture mark for as long as it lives.
class MarcaDeCaptura {
public:
    explicit MarcaDeCaptura(EstadoDoApp *estado) : estado_(estado)
    {
        if (estado_)
            estado_->comecarCapturaDaTela();
    }
    ~MarcaDeCaptura()
    {
        if (estado_)
            estado_->terminarCapturaDaTela();
    }
    MarcaDeCaptura(const MarcaDeCaptura &) = delete;
    MarcaDeCaptura &operator=(const MarcaDeCaptura &) = delete;

private:
    QPointer<EstadoDoApp> estado_;
};

QCoro::Task<> esperar(std::chrono::milliseconds tempo)
{
    QTimer relogio;
    relogio.setSingleShot(true);
    relogio.start(tempo);
    co_await relogio;
}

QCoro::Task<> esperarVoltarAoPrimeiroPlano()
{
    QElapsedTimer passou;
    passou.start();
    while (QGuiApplication::applicationState() != Qt::ApplicationActive &&
           passou.elapsed() < std::chrono::milliseconds(esperaDoFoco).count())
        co_await esperar(50ms);
}

QCoro::Task<QList<QImage>> capturarNoX11()
{
    QList<QPointer<QWindow>> escondidas;
    QPointer<QWindow> ativa = QGuiApplication::focusWindow();
    for (QWindow *janela : QGuiApplication::topLevelWindows()) {
        if (janela->isVisible()) {
            escondidas.append(janela);
            janela->hide();
        }
    }
    if (!escondidas.isEmpty())
        co_await esperar(esperaDaPintura);

    QList<QImage> telas;
    for (QScreen *tela : QGuiApplication::screens()) {
        const QImage imagem = tela->grabWindow(0).toImage();
        if (!imagem.isNull())
            telas.append(imagem);
    }

    for (const QPointer<QWindow> &janela : std::as_const(escondidas)) {
        if (janela)
            janela->show();
    }
    if (ativa)
        ativa->requestActivate();
    if (telas.isEmpty())
        throw LeitorDaTelaNoMac::FalhaNaCaptura();
    co_return telas;
}

// Receives the portal's answer to one request.
class RespostaDoPortal : public QObject {
    Q_OBJECT
public slots:
    void receber(uint resposta, const QVariantMap &resultados) { emit chegou(resposta, resultados); }
signals:
    void chegou(uint resposta, QVariantMap resultados);
};

QCoro::Task<QList<QImage>> capturarPeloPortal()
{
    QDBusConnection sessao = QDBusConnection::sessionBus();
    if (!sessao.isConnected())
        throw LeitorDaTelaNoMac::FalhaNaCaptura();
    const QString ficha = QStringLiteral("corvane_") + QUuid::createUuid().toString(QUuid::Id128);
    QString remetente = sessao.baseService().mid(1);
    remetente.replace(QLatin1Char('.'), QLatin1Char('_'));
    const QString caminho = QStringLiteral("/org/freedesktop/portal/desktop/request/") + remetente +
                            QLatin1Char('/') + ficha;

    // Subscribe before asking, so an immediate answer is not missed.
    RespostaDoPortal resposta;
    sessao.connect(QStringLiteral("org.freedesktop.portal.Desktop"), caminho,
                   QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"), &resposta,
                   SLOT(receber(uint, QVariantMap)));
    std::optional<std::tuple<uint, QVariantMap>> recebida;
    QObject::connect(&resposta, &RespostaDoPortal::chegou, &resposta,
                     [&recebida](uint codigo, const QVariantMap &resultados) { recebida.emplace(codigo, resultados); });

    QDBusMessage pedido = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.portal.Desktop"), QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.portal.Screenshot"), QStringLiteral("Screenshot"));
    pedido << QString() << QVariantMap{{QStringLiteral("handle_token"), ficha},
                                       {QStringLiteral("interactive"), false},
                                       {QStringLiteral("modal"), true}};
    QDBusPendingCallWatcher espera(sessao.asyncCall(pedido));
    co_await qCoro(&espera, &QDBusPendingCallWatcher::finished);
    if (QDBusPendingReply<QDBusObjectPath>(espera).isError())
        throw LeitorDaTelaNoMac::FalhaNaCaptura();

    // The portal may show its own question first: the answer waits for the user.
    QElapsedTimer passou;
    passou.start();
    while (!recebida && passou.elapsed() < 120000)
        co_await esperar(50ms);
    if (!recebida)
        throw LeitorDaTelaNoMac::FalhaNaCaptura();
    const auto &[codigo, resultados] = *recebida;
    if (codigo == 1)
        throw LeitorDaTelaNoMac::SemPermissao();
    const QUrl endereco(resultados.value(QStringLiteral("uri")).toString());
    if (codigo != 0 || !endereco.isLocalFile())
        throw LeitorDaTelaNoMac::FalhaNaCaptura();
    // The portal saved the screenshot among the user's pictures; it holds whatever secret was on
    // the screen, so it is read and removed at once.
    const QString arquivo = endereco.toLocalFile();
    QImage imagem(arquivo);
    QFile::remove(arquivo);
    if (imagem.isNull())
        throw LeitorDaTelaNoMac::FalhaNaCaptura();
    co_return QList<QImage>{imagem};
}

} // namespace

QCoro::Task<QList<QImage>> capturar(EstadoDoApp *estado)
{
    MarcaDeCaptura marca(estado);
    const QString plataforma = QGuiApplication::platformName();
    QList<QImage> telas;
    std::exception_ptr falha;
    try {
        if (plataforma == QLatin1String("xcb"))
            telas = co_await capturarNoX11();
        else if (plataforma.startsWith(QLatin1String("wayland")))
            telas = co_await capturarPeloPortal();
        else
            throw LeitorDaTelaNoMac::FalhaNaCaptura();
    } catch (const std::exception &) {
        // Rethrown below, once the windows are back and the program has its focus again.
        falha = std::current_exception();
    }
    co_await esperarVoltarAoPrimeiroPlano();
    if (falha)
        std::rethrow_exception(falha);
    co_return telas;
}

} // namespace CapturaDaTela

#include "CapturaDaTela.moc"
