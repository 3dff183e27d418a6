// The owner check against the system's real PAM stack: as root, the test makes a throw-away
// account and runs the check in a child process that has become that account, the way the
// application runs it for the person logged in.
#include "kit/VerificadorPam.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

namespace {

constexpr const char *variavelDaConta = "CORVANE_TESTE_PAM_CONTA";
constexpr const char *variavelDaSenha = "CORVANE_TESTE_PAM_COM_SENHA";
const QString senhaDaConta = QStringLiteral("Cavalo-correto-7");

bool confere(const QString &usuario, const QString &senha)
{
    QString copia = senha;
    const SenhaTemporaria temporaria(copia);
    VerificadorPam verificador;
    return verificador.verificar(usuario, temporaria);
}

// Run by the test below as the throw-away account, with USER and LOGNAME saying "root".
TEST(VerificadorPamFilho, DISABLED_ConfereComoAContaDescartavel)
{
    const QString conta = qEnvironmentVariable(variavelDaConta);
    if (conta.isEmpty())
        GTEST_SKIP() << "runs only as the child of VerificadorPamReal.ConfereASenhaDaContaQueRodaOPrograma";
    const bool comSenha = qEnvironmentVariable(variavelDaSenha) == QLatin1String("1");
    ASSERT_EQ(qEnvironmentVariable("USER"), QStringLiteral("root"));
    ASSERT_EQ(qEnvironmentVariable("LOGNAME"), QStringLiteral("root"));
    // The account comes from the account database, whatever the environment says.
    ASSERT_EQ(usuarioAtual(), conta);
    EXPECT_TRUE(VerificadorPam().disponivel());

    const struct {
        const char *nome;
        QString senha;
        bool comSenha; // the outcome for an account with a password
        bool semSenha; // for an account without one (the system's "nullok" lets it in)
    } casos[] = {
        {"senha certa", senhaDaConta, true, true},
        {"senha errada", QStringLiteral("cavalo-correto-7"), false, true},
        {"senha vazia", QString(), false, true},
        {"senha certa com sobra", senhaDaConta + QLatin1Char(' '), false, true},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(confere(usuarioAtual(), caso.senha), comSenha ? caso.comSenha : caso.semSenha);
    }
    // Another account's name does not borrow this one's password.
    EXPECT_FALSE(confere(QStringLiteral("root"), senhaDaConta));
}

// A system account made for one test and removed after it.
class ContaDescartavel {
public:
    explicit ContaDescartavel(bool comSenha)
        : nome_(QStringLiteral("corvane-pam-%1-%2").arg(getpid()).arg(comSenha ? 1 : 0))
    {
        if (QProcess::execute(QStringLiteral("useradd"), {QStringLiteral("--no-create-home"), QStringLiteral("--shell"),
                                                          QStringLiteral("/usr/sbin/nologin"), nome_}) != 0)
            return;
        criada_ = true;
        QProcess definir;
        if (comSenha) {
            definir.start(QStringLiteral("chpasswd"));
            definir.waitForStarted();
            definir.write((nome_ + QLatin1Char(':') + senhaDaConta + QLatin1Char('\n')).toUtf8());
            definir.closeWriteChannel();
        } else {
            definir.start(QStringLiteral("passwd"), {QStringLiteral("--delete"), nome_});
        }
        definida_ = definir.waitForFinished(30'000) && definir.exitStatus() == QProcess::NormalExit &&
                    definir.exitCode() == 0;
        if (const passwd *entrada = getpwnam(nome_.toLocal8Bit().constData())) {
            uid_ = entrada->pw_uid;
            gid_ = entrada->pw_gid;
        }
    }
    ~ContaDescartavel()
    {
        if (criada_)
            QProcess::execute(QStringLiteral("userdel"), {nome_});
    }
    ContaDescartavel(const ContaDescartavel &) = delete;
    ContaDescartavel &operator=(const ContaDescartavel &) = delete;

    [[nodiscard]] bool pronta() const { return criada_ && definida_ && uid_ != 0; }
    [[nodiscard]] const QString &nome() const { return nome_; }
    [[nodiscard]] uid_t uid() const { return uid_; }
    [[nodiscard]] gid_t gid() const { return gid_; }

private:
    QString nome_;
    bool criada_ = false;
    bool definida_ = false;
    uid_t uid_ = 0;
    gid_t gid_ = 0;
};

TEST(VerificadorPamReal, ConfereASenhaDaContaQueRodaOPrograma)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to make a throw-away account (CI runs as root through .ci/run)";
    for (const bool comSenha : {true, false}) {
        SCOPED_TRACE(comSenha ? "conta com senha" : "conta sem senha");
        const ContaDescartavel conta(comSenha);
        ASSERT_TRUE(conta.pronta()) << "could not make the account " << conta.nome().toStdString();

        QProcess filho;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QString::fromLatin1(variavelDaConta), conta.nome());
        ambiente.insert(QString::fromLatin1(variavelDaSenha), comSenha ? QStringLiteral("1") : QStringLiteral("0"));
        ambiente.insert(QStringLiteral("USER"), QStringLiteral("root"));
        ambiente.insert(QStringLiteral("LOGNAME"), QStringLiteral("root"));
        ambiente.insert(QStringLiteral("HOME"), QStringLiteral("/"));
        ambiente.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        // The account may not use the test's X server; the check draws nothing.
        ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        filho.setProcessEnvironment(ambiente);
        filho.setProcessChannelMode(QProcess::MergedChannels);
        const uid_t uid = conta.uid();
        const gid_t gid = conta.gid();
        filho.setChildProcessModifier([uid, gid] {
            // Becomes the account for good, before the test program starts.
            if (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0)
                _exit(97);
        });
        filho.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=VerificadorPamFilho.DISABLED_ConfereComoAContaDescartavel"),
                     QStringLiteral("--gtest_also_run_disabled_tests")});
        ASSERT_TRUE(filho.waitForFinished(300'000));
        const QByteArray saida = filho.readAll();
        EXPECT_EQ(filho.exitCode(), 0) << saida.toStdString();
        EXPECT_TRUE(saida.contains("[       OK ] VerificadorPamFilho.DISABLED_ConfereComoAContaDescartavel"))
            << saida.toStdString();
    }
}

} // namespace
