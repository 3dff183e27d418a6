#include "app/VigiaDoMac.h"

#include "state/EstadoDoApp.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QPointer>

#include <unistd.h>

namespace {

const QString servicoDoLogind = QStringLiteral("org.freedesktop.login1");
const QString caminhoDoLogind = QStringLiteral("/org/freedesktop/login1");
const QString gerenteDoLogind = QStringLiteral("org.freedesktop.login1.Manager");
const QString sessaoDoLogind = QStringLiteral("org.freedesktop.login1.Session");

} // namespace

VigiaDoMac::VigiaDoMac(QObject *pai)
    : VigiaDoMac(QDBusConnection::systemBus(), QDBusConnection::sessionBus(), true, Relogio::doSistema(), pai)
{
}

VigiaDoMac::VigiaDoMac(QDBusConnection sistema, QDBusConnection sessao, bool seguirAplicacao, Relogio &relogio,
                       QObject *pai)
    : QObject(pai), sistema_(std::move(sistema)), sessao_(std::move(sessao)), relogio_(relogio)
{
    if (seguirAplicacao && qGuiApp) {
        ultimoEstado_ = QGuiApplication::applicationState();
        ativa_ = ultimoEstado_ == Qt::ApplicationActive;
        connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, &VigiaDoMac::aoMudarEstadoDaAplicacao);
    }

    // QtDBus offers only slot signatures for bus signals.
    if (sistema_.isConnected()) {
        sistema_.connect(servicoDoLogind, caminhoDoLogind, gerenteDoLogind, QStringLiteral("PrepareForSleep"), this,
                         SLOT(aoPrepararParaDormir(bool)));
        procurarSessao();
    }
    if (sessao_.isConnected()) {
        for (const char *interface : {"org.freedesktop.ScreenSaver", "org.gnome.ScreenSaver"})
            sessao_.connect(QString(), QString(), QString::fromLatin1(interface), QStringLiteral("ActiveChanged"), this,
                            SLOT(aoMudarProtecaoDeTela(bool)));
    }
}

void VigiaDoMac::instalar(EstadoDoApp &estado)
{
    connect(this, &VigiaDoMac::adormecendo, &estado, &EstadoDoApp::aoAdormecerAsTelas);
    connect(this, &VigiaDoMac::sessaoSaiu, &estado, &EstadoDoApp::aoTrocarDeSessao);
    connect(this, &VigiaDoMac::foiParaSegundoPlano, &estado, &EstadoDoApp::aoIrParaSegundoPlano);
    connect(this, &VigiaDoMac::voltouAoPrimeiroPlano, &estado, &EstadoDoApp::aoVoltarAoPrimeiroPlano);
}

void VigiaDoMac::procurarSessao()
{
    // This process's session: the one logind names for our session id, or else for our PID.
    const QByteArray id = qgetenv("XDG_SESSION_ID");
    QDBusMessage pergunta =
        id.isEmpty()
            ? QDBusMessage::createMethodCall(servicoDoLogind, caminhoDoLogind, gerenteDoLogind,
                                             QStringLiteral("GetSessionByPID"))
            : QDBusMessage::createMethodCall(servicoDoLogind, caminhoDoLogind, gerenteDoLogind,
                                             QStringLiteral("GetSession"));
    if (id.isEmpty())
        pergunta << static_cast<uint>(::getpid());
    else
        pergunta << QString::fromUtf8(id);
    auto *espera = new QDBusPendingCallWatcher(sistema_.asyncCall(pergunta), this);
    connect(espera, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *resposta) {
        resposta->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> caminho = *resposta;
        // Without logind (or outside a session) only the manager's sleep signal is followed.
        if (caminho.isValid() && !caminho.isError())
            seguirSessao(caminho.value().path());
    });
}

void VigiaDoMac::seguirSessao(const QString &caminho)
{
    caminhoDaSessao_ = caminho;
    sistema_.connect(servicoDoLogind, caminho, sessaoDoLogind, QStringLiteral("Lock"), this, SLOT(aoTravarSessao()));
    sistema_.connect(servicoDoLogind, caminho, QStringLiteral("org.freedesktop.DBus.Properties"),
                     QStringLiteral("PropertiesChanged"), this,
                     SLOT(aoMudarPropriedades(QString, QVariantMap, QStringList)));
    emit sessaoEncontrada();
}

void VigiaDoMac::aoPrepararParaDormir(bool comecando)
{
    if (comecando)
        emit adormecendo();
}

void VigiaDoMac::aoTravarSessao()
{
    emit sessaoSaiu();
}

void VigiaDoMac::aoMudarPropriedades(const QString &interface, const QVariantMap &mudadas, const QStringList &)
{
    if (interface != sessaoDoLogind)
        return;
    const auto ativa = mudadas.constFind(QStringLiteral("Active"));
    if (ativa != mudadas.cend() && ativa->typeId() == QMetaType::Bool && !ativa->toBool())
        emit sessaoSaiu();
}

void VigiaDoMac::aoMudarProtecaoDeTela(bool ativa)
{
    if (ativa)
        emit adormecendo();
}

void VigiaDoMac::aoMudarEstadoDaAplicacao(Qt::ApplicationState estado)
{
    ultimoEstado_ = estado;
    const quint64 geracao = ++geracao_;
    if (estado == Qt::ApplicationActive) {
        // Back before the grace period ended: focus only moved between our windows.
        if (!ativa_) {
            ativa_ = true;
            emit voltouAoPrimeiroPlano();
        }
        return;
    }
    if (!ativa_)
        return;
    const QPointer<VigiaDoMac> vivo(this);
    relogio_.depoisDe(tolerancia, this, [vivo, geracao] {
        if (!vivo || vivo->geracao_ != geracao || !vivo->ativa_ || vivo->ultimoEstado_ == Qt::ApplicationActive)
            return;
        vivo->ativa_ = false;
        emit vivo->foiParaSegundoPlano();
    });
}
