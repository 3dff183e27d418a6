#include "app/InstanciaUnica.h"

#include "state/EntradaPeloSafari.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QPointer>
#include <QStandardPaths>
#include <QThread>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qsizetype limiteDaMensagem = 16 * 1024;
constexpr int esperaDaConexaoMs = 1000;
constexpr int tentativasDeEncaminhar = 10;

bool ehUrlDoCorvane(const QString &texto)
{
    // Exact and case-sensitive, as the sign-in callback's own check.
    return texto.startsWith(QLatin1String("corvane:")) && QUrl(texto, QUrl::StrictMode).isValid();
}

} // namespace

InstanciaUnica::InstanciaUnica(QString base, QObject *pai) : QObject(pai), base_(std::move(base))
{
    connect(&servidor_, &QLocalServer::newConnection, this, &InstanciaUnica::novaConexao);
}

InstanciaUnica::~InstanciaUnica() = default;

bool InstanciaUnica::pastaPropria(const QString &pasta)
{
    struct stat info {};
    if (pasta.isEmpty() || ::stat(QFile::encodeName(pasta).constData(), &info) != 0)
        return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 07777) == 0700;
}

QString InstanciaUnica::basePadrao()
{
    QString pasta = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!pastaPropria(pasta))
        pasta = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return pasta + QStringLiteral("/corvane/instancia");
}

QByteArray InstanciaUnica::mensagemPara(const QStringList &argumentos)
{
    for (const QString &argumento : argumentos) {
        if (ehUrlDoCorvane(argumento))
            return QByteArrayLiteral("url ") + argumento.toUtf8() + '\n';
    }
    return QByteArrayLiteral("mostrar\n");
}

InstanciaUnica::Papel InstanciaUnica::iniciar(const QStringList &argumentos)
{
    const QFileInfo local(base_);
    if (!QDir().mkpath(local.path()))
        return Papel::falhou;
    // A folder another account made first (or could enter) would hand it the socket: only our
    // own, closed to everyone else, will do.
    struct stat info {};
    if (::stat(QFile::encodeName(local.path()).constData(), &info) != 0 || info.st_uid != ::geteuid())
        return Papel::falhou;
    if (::chmod(QFile::encodeName(local.path()).constData(), 0700) != 0 || !pastaPropria(local.path()))
        return Papel::falhou;

    // The lock decides who runs: two starts at once cannot both listen, and a crashed instance's
    // lock is taken over (its process is gone).
    trava_ = std::make_unique<QLockFile>(base_ + QStringLiteral(".lock"));
    trava_->setStaleLockTime(0);
    if (!trava_->tryLock(0)) {
        trava_.reset();
        // The running instance may still be setting up its socket.
        for (int tentativa = 0; tentativa < tentativasDeEncaminhar; ++tentativa) {
            if (enviar(mensagemPara(argumentos)))
                return Papel::encaminhou;
            QThread::msleep(100);
        }
        return Papel::falhou;
    }

    // A crashed instance leaves its socket file behind.
    QLocalServer::removeServer(base_);
    servidor_.setSocketOptions(QLocalServer::UserAccessOption);
    if (!servidor_.listen(base_)) {
        trava_.reset();
        return Papel::falhou;
    }
    return Papel::primeira;
}

bool InstanciaUnica::enviar(const QByteArray &mensagem)
{
    QLocalSocket socket;
    socket.connectToServer(base_);
    if (!socket.waitForConnected(esperaDaConexaoMs))
        return false;
    socket.write(mensagem);
    if (!socket.waitForBytesWritten(esperaDaConexaoMs))
        return false;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(esperaDaConexaoMs);
    return true;
}

void InstanciaUnica::novaConexao()
{
    while (QLocalSocket *socket = servidor_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                // One short line is all a start sends; anything longer is dropped.
                if (socket->bytesAvailable() > limiteDaMensagem)
                    socket->abort();
                return;
            }
            const QByteArray linha = socket->readLine(limiteDaMensagem).trimmed();
            socket->disconnectFromServer();
            if (linha == "mostrar") {
                emit mostrarPedido();
            } else if (linha.startsWith("url ")) {
                const QString texto = QString::fromUtf8(linha.mid(4));
                if (ehUrlDoCorvane(texto))
                    emit urlRecebida(QUrl(texto, QUrl::StrictMode));
            }
        });
    }
}

void InstanciaUnica::encaminharPara(EntradaPeloSafari &entrada)
{
    const QPointer<EntradaPeloSafari> destino(&entrada);
    connect(this, &InstanciaUnica::urlRecebida, &entrada, [destino](const QUrl &url) {
        if (destino)
            (void)destino->receber(url);
    });
}
