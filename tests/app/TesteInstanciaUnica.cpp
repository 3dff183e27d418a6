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
