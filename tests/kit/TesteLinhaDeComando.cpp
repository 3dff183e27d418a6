// The programs' command line: "--help" and "--version" print and end before anything starts,
// the help names every option the program reads, an unknown secret store stops each program
// with a message that says what to use, and Qt's own texts come in Portuguese.
#include "kit/LinhaDeComando.h"
#include "kit/TraducoesDoQt.h"
#include "support/DiretorioTemporario.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTranslator>

using LinhaDeComando::Programa;

namespace {

// Removes every translator the test loaded, so other tests see Qt's English again.
struct TraducoesCarregadas {
    int quantas = TraducoesDoQt::carregar();
    ~TraducoesCarregadas()
    {
        for (QTranslator *tradutor : qApp->findChildren<QTranslator *>(Qt::FindDirectChildrenOnly)) {
            QCoreApplication::removeTranslator(tradutor);
            delete tradutor;
        }
    }
};

struct Saida {
    int codigo = -1;
    QString saida;
    QString erros;
    qint64 milissegundos = 0;
};

Saida executar(const QString &programa, const QStringList &argumentos, const QProcessEnvironment &ambiente)
{
    QProcess processo;
    processo.setProcessEnvironment(ambiente);
    QElapsedTimer tempo;
    tempo.start();
    processo.start(programa, argumentos);
    processo.closeWriteChannel();
    if (!processo.waitForFinished(30'000)) {
        processo.kill();
        processo.waitForFinished();
    }
    return {processo.exitStatus() == QProcess::NormalExit ? processo.exitCode() : -1,
            QString::fromLocal8Bit(processo.readAllStandardOutput()),
            QString::fromLocal8Bit(processo.readAllStandardError()), tempo.elapsed()};
}

} // namespace

TEST(LinhaDeComando, AjudaEVersaoSoQuandoPedidas)
{
    const struct {
        QStringList argumentos;
        std::optional<bool> ajuda; // nothing: the program runs
    } casos[] = {
        {{"corvane"}, std::nullopt},
        {{"corvane", "--servidor", "http://127.0.0.1:8080"}, std::nullopt},
        {{"corvane", "corvane:abrir"}, std::nullopt},
        {{"corvane", "--help"}, true},
        {{"corvane", "-h"}, true},
        {{"corvane", "-?"}, true},
        {{"corvane", "--version"}, false},
        {{"corvane", "-v"}, false},
        {{"corvane", "--servidor", "http://x", "--version", "--help"}, false},
        {{"corvane", "--", "--help"}, std::nullopt},
        {{"corvane", "--helpme"}, std::nullopt},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.argumentos.join(' ').toStdString());
        const auto resposta = LinhaDeComando::respostaImediata(Programa::aplicativo, caso.argumentos);
        ASSERT_EQ(resposta.has_value(), caso.ajuda.has_value());
        if (caso.ajuda) {
            EXPECT_EQ(*resposta, *caso.ajuda ? LinhaDeComando::ajuda(Programa::aplicativo)
                                             : LinhaDeComando::versao(Programa::aplicativo));
        }
    }
}

TEST(LinhaDeComando, AjudaListaCadaOpcaoDoPrograma)
{
    const struct {
        Programa programa;
        QStringList presentes;
        QStringList ausentes;
    } casos[] = {
        {Programa::aplicativo,
         {"Uso: corvane ", "corvane:ENDEREÇO", "--servidor <endereço>", "  -comecar-do-zero ",
          "--armazenamento-de-segredos <valor>", "“secret-service”", "“arquivo”", "--help", "--version"},
         {"--comecar-do-zero"}},
        {Programa::extensao,
         {"Uso: corvane-preenchimento ", "--armazenamento-de-segredos <valor>", "--help", "--version"},
         {"--servidor", "comecar-do-zero", "corvane:ENDEREÇO"}},
    };
    const TraducoesCarregadas traducoes;
    for (const auto &caso : casos) {
        const QString ajuda = LinhaDeComando::ajuda(caso.programa);
        SCOPED_TRACE(ajuda.toStdString());
        for (const QString &texto : caso.presentes)
            EXPECT_TRUE(ajuda.contains(texto)) << texto.toStdString();
        for (const QString &texto : caso.ausentes)
            EXPECT_FALSE(ajuda.contains(texto)) << texto.toStdString();
    }
    EXPECT_TRUE(LinhaDeComando::versao(Programa::aplicativo).startsWith("corvane 0."));
}

TEST(TraducoesDoQt, TextosDoProprioQtEmPortugues)
{
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
    const TraducoesCarregadas traducoes;
    ASSERT_EQ(traducoes.quantas, TraducoesDoQt::modulos.size()) << "is qt6-translations-l10n installed?";
    const struct {
        const char *contexto;
        const char *texto;
        const char *esperado;
    } casos[] = {
        {"QPlatformTheme", "Cancel", "Cancelar"},           // qtbase: dialog buttons
        {"QPlatformTheme", "Open", "Abrir"},
        {"QCommandLineParser", "Usage: %1", "Uso: %1"},
    };
    for (const auto &caso : casos)
        EXPECT_EQ(QCoreApplication::translate(caso.contexto, caso.texto), QString::fromUtf8(caso.esperado)) << caso.texto;
    // qtdeclarative's catalogue is in place too.
    const char *daDeclarative = "Dialog is an abstract base class";
    EXPECT_NE(QCoreApplication::translate("QQuickPlatformDialog", daDeclarative), QString::fromLatin1(daDeclarative));
}

// The shipped programs themselves, as a person runs them from a terminal.
class ProgramasNoTerminal : public ::testing::Test {
protected:
    void SetUp() override
    {
        ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert("XDG_CONFIG_HOME", pasta.arquivo("config"));
        ambiente.insert("XDG_DATA_HOME", pasta.arquivo("dados"));
        ambiente.insert("QT_QPA_PLATFORM", "offscreen");
    }

    DiretorioTemporario pasta;
    QProcessEnvironment ambiente;
    const QString aplicativo = QStringLiteral(CORVANE_PROGRAMA_APLICATIVO);
    const QString extensao = QStringLiteral(CORVANE_PROGRAMA_EXTENSAO);
    const QString anfitriao = QStringLiteral(CORVANE_PROGRAMA_ANFITRIAO);
};

TEST_F(ProgramasNoTerminal, AjudaEVersaoImprimemESaemSemTela)
{
    // No display at all: the answer must not need one.
    ambiente.remove("DISPLAY");
    ambiente.remove("WAYLAND_DISPLAY");
    ambiente.insert("QT_QPA_PLATFORM", "xcb");
    const struct {
        QString programa;
        QString argumento;
        QString esperado;
    } casos[] = {
        {aplicativo, "--help", "--armazenamento-de-segredos"},
        {aplicativo, "--version", "corvane 0."},
        {extensao, "--help", "--armazenamento-de-segredos"},
        {extensao, "-v", "corvane-preenchimento 0."},
        {anfitriao, "--help", "--armazenamento-de-segredos"},
        {anfitriao, "--version", "corvane-anfitriao 0."},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE((caso.programa + ' ' + caso.argumento).toStdString());
        const Saida saida = executar(caso.programa, {caso.argumento}, ambiente);
        EXPECT_EQ(saida.codigo, 0) << saida.erros.toStdString();
        EXPECT_TRUE(saida.saida.contains(caso.esperado)) << saida.saida.toStdString();
        EXPECT_LT(saida.milissegundos, 10'000);
    }
}

TEST_F(ProgramasNoTerminal, ArmazenamentoDesconhecidoParaCadaProgramaComMensagem)
{
    const QString mensagem = QStringLiteral("Use “secret-service” (o chaveiro da sessão) ou “arquivo”");
    const struct {
        QString programa;
        QStringList argumentos;
        int codigo;
        QString nomeado; // what the message must name
    } casos[] = {
        {aplicativo, {"--armazenamento-de-segredos", "kwallet"}, 2, "“kwallet”"},
        {aplicativo, {"--armazenamento-de-segredos="}, 2, "“”"},
        {extensao, {"--armazenamento-de-segredos=kwallet"}, 2, "“kwallet”"},
        {anfitriao, {"--armazenamento-de-segredos", "kwallet", "configurar"}, 2, "“kwallet”"},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE((caso.programa + ' ' + caso.argumentos.join(' ')).toStdString());
        const Saida saida = executar(caso.programa, caso.argumentos, ambiente);
        EXPECT_EQ(saida.codigo, caso.codigo);
        EXPECT_TRUE(saida.erros.contains(mensagem)) << saida.erros.toStdString();
        EXPECT_TRUE(saida.erros.contains(caso.nomeado)) << saida.erros.toStdString();
        EXPECT_TRUE(saida.saida.isEmpty()) << saida.saida.toStdString();
    }

    // The same refusal for a defaults key holding an unknown value, naming the file.
    ASSERT_TRUE(QDir().mkpath(pasta.arquivo("config/corvane")));
    QFile padroes(pasta.arquivo("config/corvane/padroes.json"));
    ASSERT_TRUE(padroes.open(QIODevice::WriteOnly));
    padroes.write(R"({"armazenamento-de-segredos": "chaveiro"})");
    padroes.close();
    for (const QString &programa : {aplicativo, extensao}) {
        const Saida saida = executar(programa, {}, ambiente);
        EXPECT_EQ(saida.codigo, 2) << programa.toStdString();
        EXPECT_TRUE(saida.erros.contains("“chaveiro”")) << saida.erros.toStdString();
        EXPECT_TRUE(saida.erros.contains(padroes.fileName())) << saida.erros.toStdString();
    }
}

TEST_F(ProgramasNoTerminal, AnfitriaoRepassaOArmazenamentoAExtensao)
{
    // A stand-in extension that records how it was started and gives no answer.
    const QString registro = pasta.arquivo("argumentos");
    const QString falsa = pasta.arquivo("extensao");
    QFile roteiro(falsa);
    ASSERT_TRUE(roteiro.open(QIODevice::WriteOnly));
    roteiro.write(QStringLiteral("#!/bin/sh\necho \"$@\" > '%1'\n").arg(registro).toUtf8());
    roteiro.close();
    roteiro.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    for (const QStringList &opcao : {QStringList{"--armazenamento-de-segredos", "arquivo"},
                                     QStringList{"--armazenamento-de-segredos=arquivo"}}) {
        SCOPED_TRACE(opcao.join(' ').toStdString());
        QFile::remove(registro);
        const Saida saida = executar(anfitriao, QStringList{"--extensao", falsa} + opcao + QStringList{"configurar"}, ambiente);
        EXPECT_EQ(saida.codigo, 2);
        QFile lido(registro);
        ASSERT_TRUE(lido.open(QIODevice::ReadOnly)) << saida.erros.toStdString();
        EXPECT_EQ(lido.readAll().trimmed(), QByteArray("--armazenamento-de-segredos=arquivo"));
    }
}
