#include "plataforma/ArquivoAtomico.h"
#include "plataforma/CofreDeSegredosEmArquivo.h"
#include "plataforma/CofreDeSegredosLibsecret.h"
#include "plataforma/Padroes.h"
#include "support/CofreDeSegredosEmMemoria.h"
#include "support/DiretorioTemporario.h"
#include "support/Permissoes.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUuid>

#include <sys/stat.h>
#include <thread>

namespace {

ConsultaDeSegredo consulta(const QString &conta, std::optional<QString> grupo = std::nullopt)
{
    return {QStringLiteral("app.corvane"), conta, std::move(grupo)};
}

// Accounts unique to one run, since tests share one Secret Service and run in parallel.
QString contaUnica(const char *nome)
{
    return QStringLiteral("teste-%1-%2").arg(QLatin1String(nome), QUuid::createUuid().toString(QUuid::WithoutBraces));
}

// ---- File-backed store ----

struct CofreEmArquivo : ::testing::Test {
    DiretorioTemporario pasta;
    CofreDeSegredosEmArquivo cofre;
};

TEST_F(CofreEmArquivo, GravaSubstituiLeEApaga)
{
    EXPECT_EQ(cofre.caminho(), pasta.dados() + "/corvane/segredos.json");
    EXPECT_EQ(cofre.ler(consulta("sessao")).situacao, SituacaoDoSegredo::ausente);

    ASSERT_EQ(cofre.gravar(consulta("sessao"), "primeira"), CofreDeSegredos::statusSucesso);
    ASSERT_EQ(cofre.gravar(consulta("chave-do-cofre"), QByteArray(32, '\x07')), CofreDeSegredos::statusSucesso);
    ASSERT_EQ(cofre.gravar(consulta("sessao"), "segunda"), CofreDeSegredos::statusSucesso);

    const auto lida = cofre.ler(consulta("sessao"));
    EXPECT_EQ(lida.situacao, SituacaoDoSegredo::presente);
    EXPECT_EQ(lida.bytes, QByteArray("segunda"));
    EXPECT_EQ(cofre.ler(consulta("chave-do-cofre")).bytes, QByteArray(32, '\x07'));

    EXPECT_EQ(cofre.apagar(consulta("sessao")), CofreDeSegredos::statusSucesso);
    EXPECT_EQ(cofre.ler(consulta("sessao")).situacao, SituacaoDoSegredo::ausente);
    EXPECT_EQ(cofre.ler(consulta("chave-do-cofre")).situacao, SituacaoDoSegredo::presente);
    EXPECT_EQ(cofre.apagar(consulta("sessao")), CofreDeSegredos::statusSucesso);
}

TEST_F(CofreEmArquivo, GravarDuasVezesDeixaUmSoRegistro)
{
    ASSERT_EQ(cofre.gravar(consulta("sessao"), "a"), CofreDeSegredos::statusSucesso);
    ASSERT_EQ(cofre.gravar(consulta("sessao"), "b"), CofreDeSegredos::statusSucesso);
    const QByteArray conteudo = *ArquivoAtomico::ler(cofre.caminho());
    EXPECT_EQ(conteudo.count("\"conta\""), 1) << conteudo.toStdString();
}

TEST_F(CofreEmArquivo, GrupoSeparaOsSegredos)
{
    ASSERT_EQ(cofre.gravar(consulta("sessao", "grupo"), "com-grupo"), CofreDeSegredos::statusSucesso);
    EXPECT_EQ(cofre.ler(consulta("sessao")).situacao, SituacaoDoSegredo::ausente);
    EXPECT_EQ(cofre.ler(consulta("sessao", "outro")).situacao, SituacaoDoSegredo::ausente);
    EXPECT_EQ(cofre.ler(consulta("sessao", "grupo")).bytes, QByteArray("com-grupo"));
    (void)cofre.apagar(consulta("sessao"));
    EXPECT_EQ(cofre.ler(consulta("sessao", "grupo")).situacao, SituacaoDoSegredo::presente);
}

TEST_F(CofreEmArquivo, ArquivoEPastaSaoSoDoDonoESemOSegredoEmClaro)
{
    const QByteArray segredo = "segredo-que-nao-aparece";
    ASSERT_EQ(cofre.gravar(consulta("sessao"), segredo), CofreDeSegredos::statusSucesso);
    EXPECT_EQ(Testes::permissoes(cofre.caminho()), 0600u);
    EXPECT_EQ(Testes::permissoes(QFileInfo(cofre.caminho()).path()), 0700u);
    EXPECT_FALSE(ArquivoAtomico::ler(cofre.caminho())->contains(segredo));
}

// A damaged file must neither read as "no secrets" (start-up would wipe the data) nor be
// overwritten (the other secrets in it would be lost).
TEST_F(CofreEmArquivo, ArquivoDanificadoFicaIndisponivelEIntacto)
{
    ASSERT_TRUE(ArquivoAtomico::criarPastaProtegida(QFileInfo(cofre.caminho()).path()));
    const QByteArray valorRuim = R"({"segredos":[{"servico":"app.corvane","conta":"sessao","valor":"@@"}]})";
    for (const QByteArray &danificado : {QByteArray("{ nao e json"), QByteArray("[]"), valorRuim}) {
        SCOPED_TRACE(danificado.toStdString());
        ASSERT_TRUE(ArquivoAtomico::gravar(cofre.caminho(), danificado));
        EXPECT_EQ(cofre.ler(consulta("sessao")).situacao, SituacaoDoSegredo::indisponivel);
        if (!danificado.contains("segredos")) {
            EXPECT_EQ(cofre.gravar(consulta("sessao"), "x"), CofreDeSegredos::statusDadosIlegiveis);
            EXPECT_EQ(cofre.apagar(consulta("sessao")), CofreDeSegredos::statusDadosIlegiveis);
            EXPECT_EQ(ArquivoAtomico::ler(cofre.caminho()), danificado);
        }
    }
}

TEST_F(CofreEmArquivo, EscritaQueFalhaMantemOValorAnterior)
{
    ASSERT_EQ(cofre.gravar(consulta("chave-do-cofre"), "anterior"), CofreDeSegredos::statusSucesso);
    // A folder where the lock file should be: the write cannot start, even for root.
    QFile::remove(cofre.caminho() + ".lock");
    ASSERT_TRUE(QDir().mkdir(cofre.caminho() + ".lock"));
    EXPECT_EQ(cofre.gravar(consulta("chave-do-cofre"), "nova"), CofreDeSegredos::statusEntradaOuSaida);
    EXPECT_EQ(cofre.ler(consulta("chave-do-cofre")).bytes, QByteArray("anterior"));
}

TEST_F(CofreEmArquivo, DoisProgramasGravandoAoMesmoTempoNaoPerdemSegredos)
{
    constexpr int porPrograma = 25;
    const auto gravar = [&](const QString &prefixo) {
        CofreDeSegredosEmArquivo meu(cofre.caminho());
        for (int i = 0; i < porPrograma; ++i)
            ASSERT_EQ(meu.gravar(consulta(prefixo + QString::number(i)), QByteArray::number(i)), 0);
    };
    std::thread app(gravar, QStringLiteral("app-"));
    std::thread extensao(gravar, QStringLiteral("extensao-"));
    app.join();
    extensao.join();
    for (int i = 0; i < porPrograma; ++i) {
        EXPECT_EQ(cofre.ler(consulta(QStringLiteral("app-%1").arg(i))).bytes, QByteArray::number(i));
        EXPECT_EQ(cofre.ler(consulta(QStringLiteral("extensao-%1").arg(i))).bytes, QByteArray::number(i));
    }
}

// ---- Choosing the store ----

struct EscolhaDoCofre : ::testing::Test {
    DiretorioTemporario pasta;
    void TearDown() override { CofreDeSegredos::usar(nullptr); }
};

TEST_F(EscolhaDoCofre, PadraoESecretServiceEValoresDesconhecidosSaoRecusados)
{
    CofreDeSegredos::usar(nullptr);
    EXPECT_NE(dynamic_cast<CofreDeSegredosLibsecret *>(CofreDeSegredos::atual().get()), nullptr);
    const auto secretService = CofreDeSegredos::pelaConfiguracao("secret-service");
    EXPECT_NE(dynamic_cast<CofreDeSegredosLibsecret *>(secretService.get()), nullptr);
    EXPECT_NE(dynamic_cast<CofreDeSegredosEmArquivo *>(CofreDeSegredos::pelaConfiguracao("arquivo").get()), nullptr);
    for (const char *valor : {"", "Arquivo", "memoria"}) {
        SCOPED_TRACE(valor);
        EXPECT_EQ(CofreDeSegredos::pelaConfiguracao(valor), nullptr);
    }
}

TEST_F(EscolhaDoCofre, OpcaoDaLinhaDeComandoVenceOsPadroes)
{
    ASSERT_TRUE(Padroes::padrao().definirTexto("armazenamento-de-segredos", "arquivo"));
    ASSERT_TRUE(CofreDeSegredos::configurar(std::nullopt));
    EXPECT_NE(dynamic_cast<CofreDeSegredosEmArquivo *>(CofreDeSegredos::atual().get()), nullptr);

    ASSERT_TRUE(CofreDeSegredos::configurar(QStringLiteral("secret-service")));
    EXPECT_NE(dynamic_cast<CofreDeSegredosLibsecret *>(CofreDeSegredos::atual().get()), nullptr);
}

TEST_F(EscolhaDoCofre, ValorDesconhecidoNaoTrocaOCofreEmSilencio)
{
    const auto memoria = CofreDeSegredosEmMemoria::instalar();
    EXPECT_FALSE(CofreDeSegredos::configurar(QStringLiteral("arquivoo")));
    ASSERT_TRUE(Padroes::padrao().definirTexto("armazenamento-de-segredos", "keyring"));
    EXPECT_FALSE(CofreDeSegredos::configurar(std::nullopt));
    EXPECT_EQ(CofreDeSegredos::atual(), memoria);
}

TEST_F(EscolhaDoCofre, PelosArgumentosInstalaOuDizOQueUsar)
{
    const struct {
        QStringList argumentos;
        std::optional<QString> padrao; // the defaults key, when set
        bool arquivo;                  // the file store is installed (else the Secret Service)
        QString erro;                  // empty: accepted
    } casos[] = {
        {{"programa"}, std::nullopt, false, {}},
        {{"programa", "--armazenamento-de-segredos=arquivo"}, std::nullopt, true, {}},
        {{"programa"}, QStringLiteral("arquivo"), true, {}},
        {{"programa", "--armazenamento-de-segredos", "secret-service"}, QStringLiteral("arquivo"), false, {}},
        {{"programa", "--armazenamento-de-segredos", "Arquivo"}, std::nullopt, false,
         QStringLiteral("Valor desconhecido na opção --armazenamento-de-segredos: “Arquivo”.")},
        {{"programa", "--armazenamento-de-segredos"}, std::nullopt, false,
         QStringLiteral("Valor desconhecido na opção --armazenamento-de-segredos: “”.")},
        {{"programa"}, QStringLiteral("kwallet"), false, QStringLiteral("Valor desconhecido em “armazenamento-de-segredos” de ")},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.argumentos.join(' ').toStdString() + " / " + caso.padrao.value_or("-").toStdString());
        Padroes padroes = Padroes::padrao();
        if (caso.padrao)
            ASSERT_TRUE(padroes.definirTexto("armazenamento-de-segredos", *caso.padrao));
        else
            (void)padroes.removerTudo();
        const auto memoria = CofreDeSegredosEmMemoria::instalar();
        const auto erro = CofreDeSegredos::configurarPelosArgumentos(caso.argumentos);
        if (!caso.erro.isEmpty()) {
            ASSERT_TRUE(erro.has_value());
            EXPECT_TRUE(erro->startsWith(caso.erro)) << erro->toStdString();
            EXPECT_TRUE(erro->contains(QStringLiteral("Use “secret-service” (o chaveiro da sessão) ou “arquivo”")));
            if (caso.padrao) {
                EXPECT_TRUE(erro->contains(padroes.caminho()) && erro->contains(*caso.padrao));
            }
            EXPECT_EQ(CofreDeSegredos::atual(), memoria) << "nothing is installed on a refusal";
            continue;
        }
        EXPECT_FALSE(erro.has_value()) << erro.value_or(QString()).toStdString();
        EXPECT_EQ(dynamic_cast<CofreDeSegredosEmArquivo *>(CofreDeSegredos::atual().get()) != nullptr, caso.arquivo);
        EXPECT_EQ(dynamic_cast<CofreDeSegredosLibsecret *>(CofreDeSegredos::atual().get()) != nullptr, !caso.arquivo);
    }
}

TEST_F(EscolhaDoCofre, SemAvisoQuandoOCofreNaoEOSecretService)
{
    CofreDeSegredos::usar(std::make_shared<CofreDeSegredosEmArquivo>(pasta.arquivo("segredos.json")));
    EXPECT_FALSE(CofreDeSegredos::avisoSemSecretService().has_value());
    const QString texto = CofreDeSegredos::textoSemSecretService();
    for (const char *parte : {"gnome-keyring", "KWallet", "--armazenamento-de-segredos arquivo", "segredos.json"})
        EXPECT_TRUE(texto.contains(QString::fromUtf8(parte))) << parte;
}

TEST(OpcaoDoArmazenamento, LidaDosArgumentos)
{
    const struct {
        QStringList argumentos;
        std::optional<QString> esperado;
    } casos[] = {
        {{"programa"}, std::nullopt},
        {{"programa", "--armazenamento-de-segredos=arquivo"}, QStringLiteral("arquivo")},
        {{"programa", "--armazenamento-de-segredos", "secret-service"}, QStringLiteral("secret-service")},
        {{"programa", "--armazenamento-de-segredos"}, QString()},
        {{"programa", "--armazenamento-de-segredos-x=arquivo"}, std::nullopt},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.argumentos.join(' ').toStdString());
        EXPECT_EQ(CofreDeSegredos::opcaoDosArgumentos(caso.argumentos), caso.esperado);
    }
}

// ---- Secret Service through libsecret ----

constexpr const char *variavelSemBarramento = "CORVANE_TESTE_LIBSECRET_SEM_BARRAMENTO";
constexpr const char *variavelTrancado = "CORVANE_TESTE_LIBSECRET_TRANCADO";

struct CofreLibsecret : ::testing::Test {
    CofreDeSegredosLibsecret cofre;

    void SetUp() override
    {
        if (qEnvironmentVariableIsSet(variavelSemBarramento) || qEnvironmentVariableIsSet(variavelTrancado))
            GTEST_SKIP() << "not run inside a child process";
        if (cofre.ler(consulta(contaUnica("sonda"))).situacao == SituacaoDoSegredo::indisponivel) {
            // Under scripts/com-chaveiro the service must be there.
            if (qEnvironmentVariableIsSet("DENTRO_DO_CHAVEIRO"))
                FAIL() << "no Secret Service inside scripts/com-chaveiro";
            GTEST_SKIP() << "no Secret Service on this session bus; run under scripts/com-chaveiro";
        }
    }
};

TEST_F(CofreLibsecret, GravaSubstituiLeEApaga)
{
    EXPECT_TRUE(CofreDeSegredosLibsecret::responde());
    CofreDeSegredos::usar(nullptr);
    EXPECT_FALSE(CofreDeSegredos::avisoSemSecretService().has_value());
    const auto endereco = consulta(contaUnica("ciclo"));
    EXPECT_EQ(cofre.ler(endereco).situacao, SituacaoDoSegredo::ausente);

    const QByteArray binario("\x00\x01\xfe\xff chave", 10);
    ASSERT_EQ(cofre.gravar(endereco, binario), CofreDeSegredos::statusSucesso);
    auto lida = cofre.ler(endereco);
    EXPECT_EQ(lida.situacao, SituacaoDoSegredo::presente);
    EXPECT_EQ(lida.bytes, binario);

    ASSERT_EQ(cofre.gravar(endereco, "segunda"), CofreDeSegredos::statusSucesso);
    EXPECT_EQ(cofre.ler(endereco).bytes, QByteArray("segunda"));

    EXPECT_EQ(cofre.apagar(endereco), CofreDeSegredos::statusSucesso);
    EXPECT_EQ(cofre.ler(endereco).situacao, SituacaoDoSegredo::ausente);
    EXPECT_EQ(cofre.apagar(endereco), CofreDeSegredos::statusSucesso);
}

TEST_F(CofreLibsecret, SubstituirNaoAcumulaItens)
{
    const auto endereco = consulta(contaUnica("substituir"));
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(cofre.gravar(endereco, QByteArray::number(i)), CofreDeSegredos::statusSucesso);
    EXPECT_EQ(cofre.ler(endereco).bytes, QByteArray("2"));
    // The store's replace matches the same attributes, so one delete clears the only item;
    // with duplicates a read after a single-item delete would still find one.
    EXPECT_EQ(cofre.apagar(endereco), CofreDeSegredos::statusSucesso);
    EXPECT_EQ(cofre.ler(endereco).situacao, SituacaoDoSegredo::ausente);
}

TEST_F(CofreLibsecret, GrupoDistingueItensDaMesmaConta)
{
    const QString conta = contaUnica("grupo");
    ASSERT_EQ(cofre.gravar(consulta(conta, "grupo-a"), "a"), CofreDeSegredos::statusSucesso);
    ASSERT_EQ(cofre.gravar(consulta(conta, "grupo-b"), "b"), CofreDeSegredos::statusSucesso);
    EXPECT_EQ(cofre.ler(consulta(conta, "grupo-a")).bytes, QByteArray("a"));
    EXPECT_EQ(cofre.ler(consulta(conta, "grupo-b")).bytes, QByteArray("b"));
    EXPECT_EQ(cofre.ler(consulta(conta, "grupo-c")).situacao, SituacaoDoSegredo::ausente);
    (void)cofre.apagar(consulta(conta, "grupo-a"));
    EXPECT_EQ(cofre.ler(consulta(conta, "grupo-a")).situacao, SituacaoDoSegredo::ausente);
    EXPECT_EQ(cofre.ler(consulta(conta, "grupo-b")).bytes, QByteArray("b"));
    (void)cofre.apagar(consulta(conta, "grupo-b"));
}

// Run by the test below with a session bus address that leads nowhere.
TEST(CofreLibsecretFilho, DISABLED_SemBarramentoTudoFicaIndisponivel)
{
    if (!qEnvironmentVariableIsSet(variavelSemBarramento))
        GTEST_SKIP() << "runs only as the child of SemBarramentoLeituraEIndisponivelNuncaAusente";
    CofreDeSegredosLibsecret cofre;
    const auto endereco = consulta("sessao", "grupo");
    EXPECT_FALSE(CofreDeSegredosLibsecret::responde());
    CofreDeSegredos::usar(nullptr);
    EXPECT_EQ(CofreDeSegredos::avisoSemSecretService(), CofreDeSegredos::textoSemSecretService());
    EXPECT_EQ(cofre.ler(endereco).situacao, SituacaoDoSegredo::indisponivel);
    EXPECT_EQ(cofre.gravar(endereco, "x"), CofreDeSegredos::statusIndisponivel);
    EXPECT_EQ(cofre.apagar(endereco), CofreDeSegredos::statusIndisponivel);
}

// libsecret keeps its bus connection for the life of the process, so the case without a bus
// runs in a fresh copy of this program.
TEST(CofreLibsecretSemBarramento, SemBarramentoLeituraEIndisponivelNuncaAusente)
{
    const DiretorioTemporario pasta;
    QProcess filho;
    auto ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(variavelSemBarramento, "1");
    ambiente.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + pasta.arquivo("nenhum-barramento"));
    filho.setProcessEnvironment(ambiente);
    filho.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=CofreLibsecretFilho.DISABLED_SemBarramentoTudoFicaIndisponivel", "--gtest_also_run_disabled_tests"});
    ASSERT_TRUE(filho.waitForFinished(60000));
    const QByteArray saida = filho.readAllStandardOutput() + filho.readAllStandardError();
    EXPECT_EQ(filho.exitCode(), 0) << saida.toStdString();
    EXPECT_TRUE(saida.contains("[  PASSED  ] 1 test")) << saida.toStdString();
    EXPECT_FALSE(saida.contains("SKIPPED")) << saida.toStdString();
}

// Run by the test below inside its own keyring daemon, whose login collection it locks; with no
// prompter to ask for the password, the unlock is refused.
TEST(CofreLibsecretFilho, DISABLED_ColecaoTrancadaFicaIndisponivel)
{
    if (!qEnvironmentVariableIsSet(variavelTrancado))
        GTEST_SKIP() << "runs only as the child of ColecaoTrancadaNaoLeComoAusente";
    CofreDeSegredosLibsecret cofre;
    const auto endereco = consulta("chave-do-cofre");
    ASSERT_EQ(cofre.gravar(endereco, "guardada"), CofreDeSegredos::statusSucesso);
    QProcess trancar;
    trancar.start("gdbus", {"call", "--session", "--dest", "org.freedesktop.secrets", "--object-path",
                            "/org/freedesktop/secrets", "--method", "org.freedesktop.Secret.Service.Lock",
                            "[objectpath '/org/freedesktop/secrets/collection/login']"});
    ASSERT_TRUE(trancar.waitForFinished(30000));
    ASSERT_EQ(trancar.exitCode(), 0) << trancar.readAllStandardError().toStdString();

    EXPECT_EQ(cofre.ler(endereco).situacao, SituacaoDoSegredo::indisponivel);
    EXPECT_EQ(cofre.gravar(endereco, "nova"), CofreDeSegredos::statusInteracaoNegada);
}

TEST(CofreLibsecretTrancado, ColecaoTrancadaNaoLeComoAusente)
{
    for (const char *programa : {"dbus-run-session", "gnome-keyring-daemon", "gdbus"}) {
        if (QStandardPaths::findExecutable(programa).isEmpty())
            GTEST_SKIP() << programa << " is not installed";
    }
    const QString script = QFileInfo(QStringLiteral(__FILE__)).absolutePath() + "/../../scripts/com-chaveiro";
    if (!QFileInfo(script).isExecutable())
        GTEST_SKIP() << "scripts/com-chaveiro not found beside the sources";

    const DiretorioTemporario pasta;
    ASSERT_TRUE(QDir().mkpath(pasta.arquivo("chaveiro")));
    QProcess filho;
    auto ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(variavelTrancado, "1");
    // A daemon of its own, so locking its collection does not disturb tests running beside it,
    // and no display, so no real prompt can appear.
    ambiente.remove("DENTRO_DO_CHAVEIRO");
    ambiente.remove("DISPLAY");
    ambiente.remove("WAYLAND_DISPLAY");
    ambiente.insert("XDG_DATA_HOME", pasta.arquivo("chaveiro"));
    filho.setProcessEnvironment(ambiente);
    filho.start(script, {QCoreApplication::applicationFilePath(),
                         "--gtest_filter=CofreLibsecretFilho.DISABLED_ColecaoTrancadaFicaIndisponivel", "--gtest_also_run_disabled_tests"});
    ASSERT_TRUE(filho.waitForFinished(90000));
    const QByteArray saida = filho.readAllStandardOutput() + filho.readAllStandardError();
    EXPECT_EQ(filho.exitCode(), 0) << saida.toStdString();
    EXPECT_TRUE(saida.contains("[  PASSED  ] 1 test")) << saida.toStdString();
}

} // namespace
