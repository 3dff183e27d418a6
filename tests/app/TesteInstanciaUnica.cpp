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
