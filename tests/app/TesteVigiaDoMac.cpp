// The watcher: the focus rule (a moment without focus while it passes between our windows is
// not leaving), no bus meaning no events, and the four bus events sent on a private session bus
// where the test stands in for logind and the screen savers.
#include "support/RelogioDeTeste.h"
#include "app/VigiaDoMac.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QCoreApplication>
#include <QSignalSpy>

using namespace std::chrono_literals;

namespace {

QDBusConnection semBarramento()
{
    return QDBusConnection(QStringLiteral("corvane-sem-barramento"));
}

struct Sinais {
    explicit Sinais(VigiaDoMac &vigia)
        : foi(&vigia, &VigiaDoMac::foiParaSegundoPlano), voltou(&vigia, &VigiaDoMac::voltouAoPrimeiroPlano),
          adormecendo(&vigia, &VigiaDoMac::adormecendo), saiu(&vigia, &VigiaDoMac::sessaoSaiu)
    {
    }
    QSignalSpy foi, voltou, adormecendo, saiu;
};

} // namespace

TEST(VigiaDoMac, FocoEntreNossasJanelasNaoESairDoPrimeiroPlano)
{
    RelogioDeTeste relogio;
    VigiaDoMac vigia(semBarramento(), semBarramento(), false, relogio);
    Sinais contagem(vigia);

    // Opening the settings window: the main window loses focus, the new one takes it.
    vigia.aoMudarEstadoDaAplicacao(Qt::ApplicationInactive);
    relogio.avancar(100ms);
    vigia.aoMudarEstadoDaAplicacao(Qt::ApplicationActive);
    relogio.avancar(5s);
    EXPECT_EQ(contagem.foi.count(), 0);
    EXPECT_EQ(contagem.voltou.count(), 0);

    // Really leaving: reported once after the grace period, even through several states.
    vigia.aoMudarEstadoDaAplicacao(Qt::ApplicationInactive);
    vigia.aoMudarEstadoDaAplicacao(Qt::ApplicationHidden);
    relogio.avancar(VigiaDoMac::tolerancia - 1ms);
    EXPECT_EQ(contagem.foi.count(), 0);
    relogio.avancar(1ms);
    EXPECT_EQ(contagem.foi.count(), 1);
    relogio.avancar(5s);
    EXPECT_EQ(contagem.foi.count(), 1);

    vigia.aoMudarEstadoDaAplicacao(Qt::ApplicationActive);
    vigia.aoMudarEstadoDaAplicacao(Qt::ApplicationActive);
    EXPECT_EQ(contagem.voltou.count(), 1);
    EXPECT_EQ(contagem.adormecendo.count() + contagem.saiu.count(), 0);
}

TEST(VigiaDoMac, SemBarramentoNadaAconteceENadaFalha)
{
    VigiaDoMac vigia(semBarramento(), semBarramento(), false);
    Sinais contagem(vigia);
    QSignalSpy encontrada(&vigia, &VigiaDoMac::sessaoEncontrada);
    QCoreApplication::processEvents();
    EXPECT_EQ(encontrada.count(), 0);
    EXPECT_TRUE(vigia.caminhoDaSessao().isEmpty());
    EXPECT_EQ(contagem.adormecendo.count() + contagem.saiu.count(), 0);
}

namespace {

const QString caminhoDaSessaoFalsa = QStringLiteral("/org/freedesktop/login1/session/_31");

// Answers the watcher's question for its session, as logind would.
class LogindFalso : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public slots:
    QDBusObjectPath GetSessionByPID(uint) { return QDBusObjectPath(caminhoDaSessaoFalsa); }
    QDBusObjectPath GetSession(const QString &) { return QDBusObjectPath(caminhoDaSessaoFalsa); }
};

// Receives the test's own marker signal on the watcher's connection: the bus keeps one sender's
// order, so once the marker is here every signal sent before it has been handled.
class Marcador : public QObject {
    Q_OBJECT

public slots:
    void marca() { emit chegou(); }

signals:
    void chegou();
};

class VigiaNoBarramento : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("CORVANE_BARRAMENTO_PRIVADO"))
            GTEST_SKIP() << "needs its own session bus (run as testes_app_barramento_privado)";
        ASSERT_TRUE(emissor.isConnected());
        ASSERT_TRUE(emissor.registerObject(QStringLiteral("/org/freedesktop/login1"), &logind,
                                           QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(emissor.registerService(QStringLiteral("org.freedesktop.login1")));
        vigia = std::make_unique<VigiaDoMac>(QDBusConnection::sessionBus(), QDBusConnection::sessionBus(), false);
        QSignalSpy encontrada(vigia.get(), &VigiaDoMac::sessaoEncontrada);
        ASSERT_TRUE(encontrada.wait(10000));
        ASSERT_EQ(vigia->caminhoDaSessao(), caminhoDaSessaoFalsa);
        ASSERT_TRUE(QDBusConnection::sessionBus().connect(QString(), QStringLiteral("/teste"),
                                                          QStringLiteral("app.corvane.Teste"), QStringLiteral("Marca"),
                                                          &marcador, SLOT(marca())));
        // Match rules are sent without waiting for the bus: a round trip on the watcher's
        // connection makes sure the bus has them all before the test's signals go out.
        const QDBusMessage resposta = QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId")));
        ASSERT_EQ(resposta.type(), QDBusMessage::ReplyMessage);
    }
    void TearDown() override
    {
        vigia.reset();
        emissor.unregisterService(QStringLiteral("org.freedesktop.login1"));
        emissor.unregisterObject(QStringLiteral("/org/freedesktop/login1"));
    }

    void enviar(const QString &caminho, const QString &interface, const QString &nome, const QVariantList &argumentos)
    {
        QDBusMessage sinal = QDBusMessage::createSignal(caminho, interface, nome);
        sinal.setArguments(argumentos);
        ASSERT_TRUE(emissor.send(sinal));
    }

    void sincronizar()
    {
        QSignalSpy chegou(&marcador, &Marcador::chegou);
        enviar(QStringLiteral("/teste"), QStringLiteral("app.corvane.Teste"), QStringLiteral("Marca"), {});
        ASSERT_TRUE(chegou.wait(5000));
    }

    Marcador marcador;
    QDBusConnection emissor = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("emissor"));
    LogindFalso logind;
    std::unique_ptr<VigiaDoMac> vigia;
};

} // namespace

TEST_F(VigiaNoBarramento, QuatroEventosQueTrancam)
{
    Sinais contagem(*vigia);
    const QString logind = QStringLiteral("/org/freedesktop/login1");
    const QString gerente = QStringLiteral("org.freedesktop.login1.Manager");
    const QString sessao = QStringLiteral("org.freedesktop.login1.Session");
    const QString propriedades = QStringLiteral("org.freedesktop.DBus.Properties");
    const auto ativa = [&](const QString &interface, bool valor) {
        enviar(caminhoDaSessaoFalsa, propriedades, QStringLiteral("PropertiesChanged"),
               {interface, QVariantMap{{QStringLiteral("Active"), valor}}, QStringList()});
    };

    enviar(logind, gerente, QStringLiteral("PrepareForSleep"), {false}); // waking up
    sincronizar();
    EXPECT_EQ(contagem.adormecendo.count(), 0);
    enviar(logind, gerente, QStringLiteral("PrepareForSleep"), {true});
    sincronizar();
    EXPECT_EQ(contagem.adormecendo.count(), 1);

    enviar(caminhoDaSessaoFalsa, sessao, QStringLiteral("Lock"), {});
    sincronizar();
    EXPECT_EQ(contagem.saiu.count(), 1);
    // Becoming active, another session's lock and another interface's "Active" change nothing.
    ativa(sessao, true);
    enviar(QStringLiteral("/org/freedesktop/login1/session/_99"), sessao, QStringLiteral("Lock"), {});
    ativa(QStringLiteral("org.freedesktop.login1.User"), false);
    sincronizar();
    EXPECT_EQ(contagem.saiu.count(), 1);
    ativa(sessao, false);
    sincronizar();
    EXPECT_EQ(contagem.saiu.count(), 2);

    for (const char *interface : {"org.freedesktop.ScreenSaver", "org.gnome.ScreenSaver"}) {
        SCOPED_TRACE(interface);
        const qsizetype antes = contagem.adormecendo.count();
        enviar(QStringLiteral("/ScreenSaver"), QString::fromLatin1(interface), QStringLiteral("ActiveChanged"), {false});
        sincronizar();
        EXPECT_EQ(contagem.adormecendo.count(), antes);
        enviar(QStringLiteral("/ScreenSaver"), QString::fromLatin1(interface), QStringLiteral("ActiveChanged"), {true});
        sincronizar();
        EXPECT_EQ(contagem.adormecendo.count(), antes + 1);
    }
    EXPECT_EQ(contagem.saiu.count(), 2);
    EXPECT_EQ(contagem.foi.count() + contagem.voltou.count(), 0);
}

#include "TesteVigiaDoMac.moc"
