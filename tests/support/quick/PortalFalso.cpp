#include "support/quick/PortalFalso.h"

#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTimer>
#include <QUrl>
#include <QWindow>

namespace {

const QString caminhoDoPortal = QStringLiteral("/org/freedesktop/portal/desktop");
const QString caminhoDoArmazem = QStringLiteral("/org/freedesktop/impl/portal/PermissionStore");

int janelasVisiveis()
{
    int visiveis = 0;
    for (QWindow *janela : QGuiApplication::topLevelWindows())
        visiveis += janela->isVisible() ? 1 : 0;
    return visiveis;
}

} // namespace

void definirPastaDeImagens(const QString &configuracao, const QString &pasta)
{
    QDir().mkpath(pasta);
    QDir().mkpath(configuracao);
    QFile dirs(configuracao + QStringLiteral("/user-dirs.dirs"));
    if (dirs.open(QIODevice::WriteOnly))
        dirs.write("XDG_PICTURES_DIR=\"" + QFile::encodeName(pasta) + "\"\n");
}

BarramentoPrivado::BarramentoPrivado()
{
    if (!pasta_.isValid())
        return;
    const QString configuracao = pasta_.filePath(QStringLiteral("sessao.conf"));
    QFile arquivo(configuracao);
    if (!arquivo.open(QIODevice::WriteOnly))
        return;
    arquivo.write(QStringLiteral("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                                 " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                                 "<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                                 "<auth>EXTERNAL</auth><policy context=\"default\">"
                                 "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                                 "<allow own=\"*\"/></policy></busconfig>\n")
                      .arg(pasta_.path())
                      .toUtf8());
    arquivo.close();
    daemon_.start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--config-file=") + configuracao, QStringLiteral("--nofork"),
                   QStringLiteral("--print-address=1")});
    if (!daemon_.waitForStarted(5000))
        return;
    while (!daemon_.canReadLine() && daemon_.waitForReadyRead(5000)) {
    }
    endereco_ = QString::fromUtf8(daemon_.readLine()).trimmed();
}

BarramentoPrivado::~BarramentoPrivado()
{
    if (daemon_.state() != QProcess::NotRunning) {
        daemon_.terminate();
        if (!daemon_.waitForFinished(3000)) {
            daemon_.kill();
            daemon_.waitForFinished(3000);
        }
    }
}

QDBusConnection BarramentoPrivado::conectar(const QString &nome) const
{
    return QDBusConnection::connectToBus(endereco_, nome);
}

PortalFalso::PortalFalso(QDBusConnection barramento, bool comArmazem)
    : barramento_(std::move(barramento)), comArmazem_(comArmazem)
{
    qDBusRegisterMetaType<QMap<QString, QStringList>>();
    barramento_.registerVirtualObject(caminhoDoPortal, this);
    barramento_.registerService(QStringLiteral("org.freedesktop.portal.Desktop"));
    if (comArmazem_) {
        barramento_.registerVirtualObject(caminhoDoArmazem, this);
        barramento_.registerService(QStringLiteral("org.freedesktop.impl.portal.PermissionStore"));
    }
}

PortalFalso::~PortalFalso()
{
    barramento_.unregisterService(QStringLiteral("org.freedesktop.portal.Desktop"));
    barramento_.unregisterObject(caminhoDoPortal);
    if (comArmazem_) {
        barramento_.unregisterService(QStringLiteral("org.freedesktop.impl.portal.PermissionStore"));
        barramento_.unregisterObject(caminhoDoArmazem);
    }
}

void PortalFalso::responderCaptura(uint codigo, const QImage &imagem)
{
    codigoDaCaptura_ = codigo;
    imagemDaCaptura_ = imagem;
}

void PortalFalso::responderArquivo(uint codigo, const QStringList &arquivos)
{
    codigoDoArquivo_ = codigo;
    arquivos_ = arquivos;
}

QString PortalFalso::introspect(const QString &) const
{
    return {};
}

bool PortalFalso::handleMessage(const QDBusMessage &mensagem, const QDBusConnection &conexao)
{
    const QList<QVariant> argumentos = mensagem.arguments();
    if (mensagem.path() == caminhoDoArmazem && mensagem.member() == QLatin1String("Lookup")) {
        pedidos_.append({mensagem.interface(), mensagem.member(), argumentos, {}, janelasVisiveis()});
        const bool procurado = argumentos.size() == 2 && argumentos.at(0).toString() == QLatin1String("screenshot") &&
                               argumentos.at(1).toString() == QLatin1String("screenshot");
        if (!procurado || permissoes_.isEmpty()) {
            conexao.send(mensagem.createErrorReply(QStringLiteral("org.freedesktop.portal.Error.NotFound"),
                                                   QStringLiteral("No entry")));
            return true;
        }
        conexao.send(mensagem.createReply(
            {QVariant::fromValue(permissoes_), QVariant::fromValue(QDBusVariant(QVariant(QString())))}));
        return true;
    }
    const bool captura = mensagem.interface() == QLatin1String("org.freedesktop.portal.Screenshot") &&
                         mensagem.member() == QLatin1String("Screenshot") && argumentos.size() == 2;
    const bool arquivo = mensagem.interface() == QLatin1String("org.freedesktop.portal.FileChooser") &&
                         mensagem.member() == QLatin1String("OpenFile") && argumentos.size() == 3;
    if (!captura && !arquivo) {
        conexao.send(mensagem.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"),
                                               QStringLiteral("No such method")));
        return true;
    }
    const QVariantMap opcoes = qdbus_cast<QVariantMap>(argumentos.constLast());
    pedidos_.append({mensagem.interface(), mensagem.member(), argumentos, opcoes, janelasVisiveis()});
    QVariantMap resultados;
    uint codigo = 2;
    if (captura) {
        codigo = codigoDaCaptura_;
        if (!imagemDaCaptura_.isNull()) {
            // Like the real portal: a new world-readable file among the pictures.
            const QString caminho = pasta_.filePath(QStringLiteral("Captura %1.png").arg(entregues_.size() + 1));
            imagemDaCaptura_.save(caminho);
            entregues_.append(caminho);
            resultados.insert(QStringLiteral("uri"), QUrl::fromLocalFile(caminho).toString());
        }
    } else {
        codigo = codigoDoArquivo_;
        QStringList enderecos;
        for (const QString &caminho : std::as_const(arquivos_))
            enderecos.append(QUrl::fromLocalFile(caminho).toString());
        resultados.insert(QStringLiteral("uris"), enderecos);
    }
    responderDepois(mensagem, codigo, resultados);
    return true;
}

void PortalFalso::responderDepois(const QDBusMessage &mensagem, uint codigo, const QVariantMap &resultados)
{
    const QVariantMap opcoes = qdbus_cast<QVariantMap>(mensagem.arguments().constLast());
    QString remetente = mensagem.service().mid(1);
    remetente.replace(QLatin1Char('.'), QLatin1Char('_'));
    const QString pedido = caminhoDoPortal + QStringLiteral("/request/") + remetente + QLatin1Char('/') +
                           opcoes.value(QStringLiteral("handle_token")).toString();
    barramento_.send(mensagem.createReply(QVariant::fromValue(QDBusObjectPath(pedido))));
    // The answer comes later, as the real portal's does once the user or the shot is done.
    QTimer::singleShot(20, this, [this, pedido, codigo, resultados] {
        QDBusMessage resposta =
            QDBusMessage::createSignal(pedido, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
        resposta << codigo << resultados;
        barramento_.send(resposta);
    });
}
