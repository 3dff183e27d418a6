#include "app/InstanciaUnica.h"

#include "state/EntradaPeloSafari.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocalSocket>
#include <QPointer>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qsizetype limiteDaMensagem = 16 * 1024;
constexpr int esperaDaConexaoMs = 1000;
constexpr int tentativasDeEncaminhar = 10;
// A sender that keeps its connection open after its first line is not waited for longer.
constexpr int esperaDaSegundaLinhaMs = 300;
constexpr qsizetype limiteDoToken = 512;

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

QByteArray InstanciaUnica::mensagemPara(const QStringList &argumentos, const QString &tokenDeAtivacao)
{
    QByteArray mensagem = QByteArrayLiteral("mostrar\n");
    for (const QString &argumento : argumentos) {
        if (ehUrlDoCorvane(argumento)) {
            mensagem = QByteArrayLiteral("url ") + argumento.toUtf8() + '\n';
            break;
        }
    }
    if (tokenValido(tokenDeAtivacao))
        mensagem += QByteArrayLiteral("ativacao ") + tokenDeAtivacao.toLatin1() + '\n';
    return mensagem;
}

bool InstanciaUnica::tokenValido(const QString &token)
{
    if (token.isEmpty() || token.size() > limiteDoToken)
        return false;
    return std::all_of(token.cbegin(), token.cend(), [](QChar c) { return c.unicode() > 0x20 && c.unicode() < 0x7f; });
}

InstanciaUnica::Pedido InstanciaUnica::interpretar(const QByteArray &mensagem)
{
    // Only whole lines count: a line without its end was cut short.
    QList<QByteArray> linhas = mensagem.split('\n');
    linhas.removeLast();
    Pedido pedido;
    if (linhas.isEmpty())
        return pedido;
    const QByteArray primeira = linhas.constFirst().trimmed();
    if (primeira == "mostrar") {
        pedido.tipo = Pedido::Tipo::mostrar;
    } else if (primeira.startsWith("url ")) {
        const QString texto = QString::fromUtf8(primeira.mid(4));
        if (!ehUrlDoCorvane(texto))
            return pedido;
        pedido.tipo = Pedido::Tipo::url;
        pedido.url = QUrl(texto, QUrl::StrictMode);
    } else {
        return pedido;
    }
    if (linhas.size() > 1) {
        const QByteArray segunda = linhas.at(1).trimmed();
        if (segunda.startsWith("ativacao ")) {
            const QString token = QString::fromUtf8(segunda.mid(9));
            if (tokenValido(token))
                pedido.tokenDeAtivacao = token;
        }
    }
    return pedido;
}

void InstanciaUnica::usarTokenDeAtivacao(const QString &token)
{
    if (!tokenValido(token) || !QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return;
    qputenv("XDG_ACTIVATION_TOKEN", token.toLatin1());
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
            if (enviar(mensagemPara(argumentos, qEnvironmentVariable("XDG_ACTIVATION_TOKEN"))))
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
        // The command's line may be followed by a token's: the message is read once both lines
        // are in, or the sender has hung up, or shortly after the first line.
        auto recebido = std::make_shared<QByteArray>();
        auto atendida = std::make_shared<bool>(false);
        auto *prazo = new QTimer(socket);
        prazo->setSingleShot(true);
        prazo->setInterval(esperaDaSegundaLinhaMs);
        const auto concluir = [this, socket, recebido, atendida] {
            if (*atendida)
                return;
            *atendida = true;
            socket->disconnectFromServer();
            atender(interpretar(*recebido));
        };
        const auto ler = [socket, recebido, prazo] {
            if (socket->isOpen())
                recebido->append(socket->readAll());
            // One short message is all a start sends; anything longer is dropped.
            if (recebido->size() > limiteDaMensagem) {
                recebido->clear();
                socket->abort();
                return false;
            }
            if (recebido->contains('\n') && !prazo->isActive())
                prazo->start();
            return recebido->count('\n') >= 2;
        };
        connect(prazo, &QTimer::timeout, this, concluir);
        connect(socket, &QLocalSocket::readyRead, this, [ler, concluir] {
            if (ler())
                concluir();
        });
        connect(socket, &QLocalSocket::disconnected, this, [ler, concluir, recebido, atendida] {
            (void)ler();
            if (recebido->contains('\n'))
                concluir();
            *atendida = true;
        });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void InstanciaUnica::atender(const Pedido &pedido)
{
    if (pedido.tipo == Pedido::Tipo::nenhum)
        return;
    if (!pedido.tokenDeAtivacao.isEmpty())
        emit tokenDeAtivacaoRecebido(pedido.tokenDeAtivacao);
    if (pedido.tipo == Pedido::Tipo::mostrar)
        emit mostrarPedido();
    else
        emit urlRecebida(pedido.url);
}

void InstanciaUnica::encaminharPara(EntradaPeloSafari &entrada)
{
    const QPointer<EntradaPeloSafari> destino(&entrada);
    connect(this, &InstanciaUnica::urlRecebida, &entrada, [destino](const QUrl &url) {
        if (destino)
            (void)destino->receber(url);
    });
}
