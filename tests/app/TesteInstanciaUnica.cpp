// Single instance: a second start hands its "corvane:" URL (or "show yourself") to the running
// one, whose URLs reach the browser sign-in; a crashed instance's leftovers do not stop a start.
// Also the scheme's user-level registration for a program run from its build folder.
#include "app/InstanciaUnica.h"
#include "app/RegistroDoEsquema.h"
#include "state/EntradaPeloSafari.h"
#include "support/DiretorioTemporario.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>

#include <optional>

#include <sys/stat.h>
#include <unistd.h>

TEST(InstanciaUnica, MensagemDaSegundaPartida)
{
    struct Caso {
        QStringList argumentos;
        QByteArray mensagem;
    };
    const Caso casos[] = {
        {{}, "mostrar\n"},
        {{QStringLiteral("--verbose")}, "mostrar\n"},
        {{QStringLiteral("https://corvane.app/x")}, "mostrar\n"},
        {{QStringLiteral("CORVANE://social?token=t")}, "mostrar\n"},
        {{QStringLiteral("-x"), QStringLiteral("corvane://social?token=t&nonce=n")},
         "url corvane://social?token=t&nonce=n\n"},
        {{QStringLiteral("corvane://passkey?envelope=e")}, "url corvane://passkey?envelope=e\n"},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.argumentos.join(QLatin1Char(' ')).toStdString());
        EXPECT_EQ(InstanciaUnica::mensagemPara(caso.argumentos), caso.mensagem);
    }
}

TEST(InstanciaUnica, MensagemLevaOTokenDeAtivacaoNumaSegundaLinha)
{
    struct Caso {
        QStringList argumentos;
        QString token;
        QByteArray mensagem;
    };
    const QString url = QStringLiteral("corvane://social?token=t");
    const Caso casos[] = {
        {{}, QStringLiteral("a1b2c3"), "mostrar\nativacao a1b2c3\n"},
        {{url}, QStringLiteral("x_y-z:9"), "url corvane://social?token=t\nativacao x_y-z:9\n"},
        // Tokens that could break the line or are not tokens at all are left out.
        {{url}, QString(), "url corvane://social?token=t\n"},
        {{url}, QStringLiteral("dois tokens"), "url corvane://social?token=t\n"},
        {{}, QStringLiteral("a\nurl corvane://x"), "mostrar\n"},
        {{}, QStringLiteral("ç"), "mostrar\n"},
        {{}, QString(513, QLatin1Char('a')), "mostrar\n"},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.token.toStdString());
        const QByteArray mensagem = InstanciaUnica::mensagemPara(caso.argumentos, caso.token);
        EXPECT_EQ(mensagem, caso.mensagem);
        // The first line is the message an instance without tokens sent and understands.
        EXPECT_EQ(mensagem.left(mensagem.indexOf('\n') + 1), InstanciaUnica::mensagemPara(caso.argumentos));
    }
}

TEST(InstanciaUnica, InterpretaAMensagemDeOutraPartida)
{
    using Tipo = InstanciaUnica::Pedido::Tipo;
    struct Caso {
        QByteArray mensagem;
        Tipo tipo;
        QString url;
        QString token;
    };
    const Caso casos[] = {
        // Messages of a start that sends no token.
        {"mostrar\n", Tipo::mostrar, {}, {}},
        {"url corvane://social?token=t&nonce=n\n", Tipo::url, QStringLiteral("corvane://social?token=t&nonce=n"), {}},
        {"mostrar\nativacao tok-1\n", Tipo::mostrar, {}, QStringLiteral("tok-1")},
        {"url corvane://passkey?envelope=e\nativacao 0f3a\n", Tipo::url, QStringLiteral("corvane://passkey?envelope=e"),
         QStringLiteral("0f3a")},
        // A cut-short token line, an unknown second line, an empty token: the command alone.
        {"mostrar\nativacao tok", Tipo::mostrar, {}, {}},
        {"mostrar\noutra coisa\n", Tipo::mostrar, {}, {}},
        {"mostrar\nativacao \n", Tipo::mostrar, {}, {}},
        {"mostrar\nativacao um dois\n", Tipo::mostrar, {}, {}},
        // No command: nothing, not even with a token.
        {"ativacao tok\nmostrar\n", Tipo::nenhum, {}, {}},
        {"mostrar", Tipo::nenhum, {}, {}},
        {"", Tipo::nenhum, {}, {}},
        {"url https://corvane.app/x\nativacao tok\n", Tipo::nenhum, {}, {}},
        {"url CORVANE://x\n", Tipo::nenhum, {}, {}},
        {"abrir\n", Tipo::nenhum, {}, {}},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.mensagem.toStdString());
        const InstanciaUnica::Pedido pedido = InstanciaUnica::interpretar(caso.mensagem);
        EXPECT_EQ(pedido.tipo, caso.tipo);
        EXPECT_EQ(pedido.url, caso.url.isEmpty() ? QUrl() : QUrl(caso.url));
        EXPECT_EQ(pedido.tokenDeAtivacao, caso.token);
    }
}

TEST(InstanciaUnica, TokenDeAtivacaoSoValeNoWayland)
{
    const bool antes = qEnvironmentVariableIsSet("XDG_ACTIVATION_TOKEN");
    const QByteArray valorAntes = qgetenv("XDG_ACTIVATION_TOKEN");
    qunsetenv("XDG_ACTIVATION_TOKEN");
    InstanciaUnica::usarTokenDeAtivacao(QStringLiteral("tok-1"));
    const bool wayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    EXPECT_EQ(qgetenv("XDG_ACTIVATION_TOKEN"), wayland ? QByteArray("tok-1") : QByteArray());
    qunsetenv("XDG_ACTIVATION_TOKEN");
    InstanciaUnica::usarTokenDeAtivacao(QStringLiteral("dois tokens"));
    EXPECT_FALSE(qEnvironmentVariableIsSet("XDG_ACTIVATION_TOKEN"));
    if (antes)
        qputenv("XDG_ACTIVATION_TOKEN", valorAntes);
}

class InstanciaUnicaTeste : public ::testing::Test {
protected:
    QTemporaryDir pasta;
    QString base() const { return pasta.path() + QStringLiteral("/corvane/instancia"); }
};

TEST_F(InstanciaUnicaTeste, SegundaPartidaEncaminhaAUrlParaAEntradaPeloSafari)
{
    InstanciaUnica primeira(base());
    ASSERT_EQ(primeira.iniciar({}), InstanciaUnica::Papel::primeira);
    EXPECT_EQ(QFileInfo(QFileInfo(base()).path()).permissions() & (QFile::ReadGroup | QFile::ReadOther), 0);
    EntradaPeloSafari entrada;
    primeira.encaminharPara(entrada);
    QSignalSpy urls(&primeira, &InstanciaUnica::urlRecebida);
    QSignalSpy mostrar(&primeira, &InstanciaUnica::mostrarPedido);

    const QString retorno = QStringLiteral("corvane://social?token=abc&nonce=n1");
    InstanciaUnica segunda(base());
    EXPECT_EQ(segunda.iniciar({QStringLiteral("corvane"), retorno}), InstanciaUnica::Papel::encaminhou);
    ASSERT_TRUE(urls.wait(5000));
    EXPECT_EQ(urls.first().first().toUrl(), QUrl(retorno));
    ASSERT_TRUE(entrada.retornoAvulso());
    EXPECT_EQ(*entrada.retornoAvulso(), QUrl(retorno));

    InstanciaUnica terceira(base());
    EXPECT_EQ(terceira.iniciar({QStringLiteral("file:///etc/passwd")}), InstanciaUnica::Papel::encaminhou);
    ASSERT_TRUE(mostrar.wait(5000));
    EXPECT_EQ(urls.count(), 1);
}

TEST_F(InstanciaUnicaTeste, SegundaPartidaEncaminhaSeuTokenDeAtivacaoAntesDoPedido)
{
    InstanciaUnica primeira(base());
    ASSERT_EQ(primeira.iniciar({}), InstanciaUnica::Papel::primeira);
    QList<QString> ordem;
    QObject::connect(&primeira, &InstanciaUnica::tokenDeAtivacaoRecebido, &primeira,
                     [&ordem](const QString &token) { ordem.append(QStringLiteral("token ") + token); });
    QObject::connect(&primeira, &InstanciaUnica::urlRecebida, &primeira,
                     [&ordem](const QUrl &url) { ordem.append(QStringLiteral("url ") + url.toString()); });
    QObject::connect(&primeira, &InstanciaUnica::mostrarPedido, &primeira,
                     [&ordem] { ordem.append(QStringLiteral("mostrar")); });
    QSignalSpy urls(&primeira, &InstanciaUnica::urlRecebida);
    QSignalSpy mostrar(&primeira, &InstanciaUnica::mostrarPedido);

    const bool antes = qEnvironmentVariableIsSet("XDG_ACTIVATION_TOKEN");
    const QByteArray valorAntes = qgetenv("XDG_ACTIVATION_TOKEN");
    qputenv("XDG_ACTIVATION_TOKEN", "9f8e7d");
    InstanciaUnica segunda(base());
    EXPECT_EQ(segunda.iniciar({QStringLiteral("corvane://social?token=t")}), InstanciaUnica::Papel::encaminhou);
    ASSERT_TRUE(urls.wait(5000));
    qunsetenv("XDG_ACTIVATION_TOKEN");
    InstanciaUnica terceira(base());
    EXPECT_EQ(terceira.iniciar({}), InstanciaUnica::Papel::encaminhou);
    ASSERT_TRUE(mostrar.wait(5000));
    if (antes)
        qputenv("XDG_ACTIVATION_TOKEN", valorAntes);
    EXPECT_EQ(ordem, (QList<QString>{QStringLiteral("token 9f8e7d"), QStringLiteral("url corvane://social?token=t"),
                                     QStringLiteral("mostrar")}));
}

TEST_F(InstanciaUnicaTeste, MensagemSemTokenOuAbertaDepoisDaPrimeiraLinhaAindaVale)
{
    InstanciaUnica primeira(base());
    ASSERT_EQ(primeira.iniciar({}), InstanciaUnica::Papel::primeira);
    QSignalSpy mostrar(&primeira, &InstanciaUnica::mostrarPedido);
    QSignalSpy tokens(&primeira, &InstanciaUnica::tokenDeAtivacaoRecebido);
    // A start without tokens: one line, then it hangs up.
    {
        QLocalSocket socket;
        socket.connectToServer(base());
        ASSERT_TRUE(socket.waitForConnected(2000));
        socket.write("mostrar\n");
        ASSERT_TRUE(socket.waitForBytesWritten(2000));
        socket.disconnectFromServer();
        ASSERT_TRUE(mostrar.wait(5000));
    }
    // A client that sends one line and keeps the connection open is answered all the same.
    QLocalSocket aberto;
    aberto.connectToServer(base());
    ASSERT_TRUE(aberto.waitForConnected(2000));
    aberto.write("mostrar\n");
    ASSERT_TRUE(aberto.waitForBytesWritten(2000));
    ASSERT_TRUE(mostrar.wait(5000));
    EXPECT_EQ(mostrar.count(), 2);
    EXPECT_EQ(tokens.count(), 0);
}

TEST_F(InstanciaUnicaTeste, RestosDeUmaInstanciaQueCaiuNaoImpedem)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(base()).path()));
    {
        // A socket file nobody listens on any more.
        QFile resto(base());
        ASSERT_TRUE(resto.open(QIODevice::WriteOnly));
        // And its lock, held by a process that no longer exists.
        QFile trava(base() + QStringLiteral(".lock"));
        ASSERT_TRUE(trava.open(QIODevice::WriteOnly));
        trava.write("999999\n" + QCoreApplication::applicationName().toUtf8() + '\n'
                    + QSysInfo::machineHostName().toUtf8() + '\n');
    }
    InstanciaUnica primeira(base());
    ASSERT_EQ(primeira.iniciar({}), InstanciaUnica::Papel::primeira);
    QSignalSpy mostrar(&primeira, &InstanciaUnica::mostrarPedido);
    InstanciaUnica segunda(base());
    EXPECT_EQ(segunda.iniciar({}), InstanciaUnica::Papel::encaminhou);
    EXPECT_TRUE(mostrar.wait(5000));
}

TEST_F(InstanciaUnicaTeste, LinhaSemFimOuGrandeDemaisEDescartada)
{
    InstanciaUnica primeira(base());
    ASSERT_EQ(primeira.iniciar({}), InstanciaUnica::Papel::primeira);
    QSignalSpy urls(&primeira, &InstanciaUnica::urlRecebida);
    QSignalSpy mostrar(&primeira, &InstanciaUnica::mostrarPedido);
    QLocalSocket socket;
    socket.connectToServer(base());
    ASSERT_TRUE(socket.waitForConnected(2000));
    socket.write(QByteArray(64 * 1024, 'a'));
    socket.waitForBytesWritten(2000);
    QSignalSpy desconectado(&socket, &QLocalSocket::disconnected);
    EXPECT_TRUE(desconectado.wait(5000));
    EXPECT_EQ(urls.count() + mostrar.count(), 0);
}

namespace {

// Sets an environment variable for one scope, then puts the old value back.
class VariavelTemporaria {
public:
    VariavelTemporaria(const char *nome, const std::optional<QByteArray> &valor)
        : nome_(nome), antes_(qEnvironmentVariableIsSet(nome) ? std::optional(qgetenv(nome)) : std::nullopt)
    {
        definir(valor);
    }
    ~VariavelTemporaria() { definir(antes_); }
    VariavelTemporaria(const VariavelTemporaria &) = delete;
    VariavelTemporaria &operator=(const VariavelTemporaria &) = delete;

private:
    void definir(const std::optional<QByteArray> &valor)
    {
        if (valor)
            qputenv(nome_, *valor);
        else
            qunsetenv(nome_);
    }
    const char *nome_;
    std::optional<QByteArray> antes_;
};

// A folder owned by another account: made here and given away when running as root, else one
// of the system's own.
QString pastaDeOutraConta(const QTemporaryDir &pasta)
{
    if (::geteuid() != 0)
        return QStringLiteral("/usr/share");
    const QString alheia = pasta.path() + QStringLiteral("/alheia");
    if (!QDir().mkpath(alheia) || ::chown(QFile::encodeName(alheia).constData(), 65534, 65534) != 0 ||
        ::chmod(QFile::encodeName(alheia).constData(), 0700) != 0)
        return {};
    return alheia;
}

} // namespace

TEST_F(InstanciaUnicaTeste, BasePadraoSoNumaPastaDoUsuarioFechadaAosOutros)
{
    const QString tempo = pasta.path() + QStringLiteral("/runtime");
    const QString cache = pasta.path() + QStringLiteral("/cache");
    ASSERT_TRUE(QDir().mkpath(tempo));
    const QString alheia = pastaDeOutraConta(pasta);
    ASSERT_FALSE(alheia.isEmpty());
    const VariavelTemporaria cacheDoUsuario("XDG_CACHE_HOME", QFile::encodeName(cache));

    struct Caso {
        const char *nome;
        std::optional<QString> runtime;
        QFile::Permissions modo;
        QString esperado;
    };
    const QFile::Permissions fechado = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    const Caso casos[] = {
        {"pasta de execução própria e 0700", tempo, fechado, tempo + QStringLiteral("/corvane/instancia")},
        {"sem pasta de execução", std::nullopt, fechado, cache + QStringLiteral("/corvane/instancia")},
        {"pasta de execução aberta ao grupo", tempo, fechado | QFile::ReadGroup | QFile::ExeGroup,
         cache + QStringLiteral("/corvane/instancia")},
        {"pasta de execução de outra conta", alheia, fechado, cache + QStringLiteral("/corvane/instancia")},
        {"pasta de execução que não existe", pasta.path() + QStringLiteral("/nada"), fechado,
         cache + QStringLiteral("/corvane/instancia")},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        ASSERT_TRUE(QFile::setPermissions(tempo, caso.modo));
        const VariavelTemporaria runtime("XDG_RUNTIME_DIR",
                                         caso.runtime ? std::optional(QFile::encodeName(*caso.runtime)) : std::nullopt);
        EXPECT_EQ(InstanciaUnica::basePadrao(), caso.esperado);
    }
    EXPECT_FALSE(InstanciaUnica::pastaPropria(QStringLiteral("/tmp"))) << "pasta compartilhada";
}

TEST_F(InstanciaUnicaTeste, RecusaAPastaDeOutraContaEFechaAPropria)
{
    const QString alheia = pastaDeOutraConta(pasta);
    ASSERT_FALSE(alheia.isEmpty());
    InstanciaUnica intrusa(alheia + QStringLiteral("/instancia"));
    EXPECT_EQ(intrusa.iniciar({}), InstanciaUnica::Papel::falhou);
    EXPECT_FALSE(QFile::exists(alheia + QStringLiteral("/instancia"))) << "nada foi criado ali";

    // Our own folder, left open by an older version: closed to others, then used.
    const QString aberta = pasta.path() + QStringLiteral("/aberta");
    ASSERT_TRUE(QDir().mkpath(aberta));
    ASSERT_TRUE(QFile::setPermissions(aberta, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                  QFile::ReadOther | QFile::ExeOther | QFile::WriteOther));
    InstanciaUnica propria(aberta + QStringLiteral("/instancia"));
    EXPECT_EQ(propria.iniciar({}), InstanciaUnica::Papel::primeira);
    EXPECT_TRUE(InstanciaUnica::pastaPropria(aberta));
}

namespace {

RegistroDoEsquema::Pastas pastasEm(const QString &raiz)
{
    return {raiz + QStringLiteral("/config"), {raiz + QStringLiteral("/etc-xdg")}, raiz + QStringLiteral("/dados"),
            {raiz + QStringLiteral("/usr-share")}};
}

void escrever(const QString &caminho, const QByteArray &conteudo)
{
    QDir().mkpath(QFileInfo(caminho).path());
    QFile arquivo(caminho);
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    arquivo.write(conteudo);
}

QByteArray ler(const QString &caminho)
{
    QFile arquivo(caminho);
    return arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray();
}

} // namespace

TEST(RegistroDoEsquema, RegistraOProgramaSoQuandoNinguemAtendeOEsquema)
{
    QTemporaryDir raiz;
    const auto pastas = pastasEm(raiz.path());
    const QString programa = QCoreApplication::applicationFilePath();
    const QString lista = pastas.configuracaoDoUsuario + QStringLiteral("/mimeapps.list");
    escrever(lista, "[Added Associations]\ntext/plain=editor.desktop;\n\n[Default Applications]\ntext/html=firefox.desktop;\n");

    EXPECT_FALSE(RegistroDoEsquema::temManipulador(pastas));
    EXPECT_TRUE(RegistroDoEsquema::registrarSeFaltar(pastas, programa));
    EXPECT_TRUE(RegistroDoEsquema::temManipulador(pastas));
    const QByteArray entrada = ler(pastas.dadosDoUsuario + QStringLiteral("/applications/corvane-local.desktop"));
    EXPECT_TRUE(entrada.contains("Exec=\"" + programa.toUtf8() + "\" %u\n"));
    EXPECT_TRUE(entrada.contains("MimeType=x-scheme-handler/corvane;\n"));
    EXPECT_TRUE(entrada.contains("NoDisplay=true\n"));
    EXPECT_EQ(ler(lista), "[Added Associations]\ntext/plain=editor.desktop;\n\n[Default Applications]\n"
                          "x-scheme-handler/corvane=corvane-local.desktop;\ntext/html=firefox.desktop;\n");
    // Registered once: a second start writes nothing.
    EXPECT_FALSE(RegistroDoEsquema::registrarSeFaltar(pastas, programa));
}

TEST(RegistroDoEsquema, NaoSobrepoeUmManipuladorInstaladoMasTrocaUmQueSumiu)
{
    QTemporaryDir raiz;
    const auto pastas = pastasEm(raiz.path());
    // The default points at an entry whose program is gone (a deleted build folder).
    escrever(pastas.configuracaoDoUsuario + QStringLiteral("/mimeapps.list"),
             "[Default Applications]\nx-scheme-handler/corvane=corvane-local.desktop;\n");
    escrever(pastas.dadosDoUsuario + QStringLiteral("/applications/corvane-local.desktop"),
             "[Desktop Entry]\nExec=\"/nao/existe/corvane\" %u\n");
    EXPECT_FALSE(RegistroDoEsquema::temManipulador(pastas));
    EXPECT_TRUE(RegistroDoEsquema::registrarSeFaltar(pastas, QCoreApplication::applicationFilePath()));
    EXPECT_EQ(ler(pastas.configuracaoDoUsuario + QStringLiteral("/mimeapps.list")),
              "[Default Applications]\nx-scheme-handler/corvane=corvane-local.desktop;\n");

    QTemporaryDir instalado;
    const auto outras = pastasEm(instalado.path());
    escrever(outras.dadosDoSistema.first() + QStringLiteral("/applications/corvane.desktop"),
             "[Desktop Entry]\nExec=corvane %u\nMimeType=x-scheme-handler/corvane;\n");
    EXPECT_TRUE(RegistroDoEsquema::temManipulador(outras));
    EXPECT_FALSE(RegistroDoEsquema::registrarSeFaltar(outras, QCoreApplication::applicationFilePath()));
    EXPECT_FALSE(QFileInfo::exists(outras.dadosDoUsuario + QStringLiteral("/applications/corvane-local.desktop")));
}
