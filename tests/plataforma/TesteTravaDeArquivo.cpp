#include "plataforma/ArquivoAtomico.h"
#include "plataforma/TravaDeArquivo.h"
#include "support/DiretorioTemporario.h"
#include "support/EsperaPelaTrava.h"
#include "support/Permissoes.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <cstdio>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace {

constexpr const char *variavelDoFilho = "CORVANE_TESTE_TRAVA_FILHO";

TEST(TravaDeArquivo, CriaTravaSoDoDonoAoLadoDoArquivo)
{
    const DiretorioTemporario pasta;
    const QString arquivo = pasta.arquivo("novas-senhas.json");
    {
        const TravaDeArquivo trava(arquivo);
        EXPECT_TRUE(trava.travada());
    }
    EXPECT_EQ(Testes::permissoes(TravaDeArquivo::caminhoDaTrava(arquivo)), 0600u);
    EXPECT_FALSE(QFileInfo::exists(arquivo));
}

TEST(TravaDeArquivo, SemPastaNaoTrava)
{
    const DiretorioTemporario pasta;
    const TravaDeArquivo trava(pasta.arquivo("nao-existe/arquivo.json"));
    EXPECT_FALSE(trava.travada());
}

// Without the lock, concurrent read-increment-write cycles lose updates.
TEST(TravaDeArquivo, LinhasDeExecucaoSerializamLeituraEReescrita)
{
    const DiretorioTemporario pasta;
    const QString contador = pasta.arquivo("contador");
    ASSERT_TRUE(ArquivoAtomico::gravar(contador, "0"));
    constexpr int linhas = 6;
    constexpr int voltas = 40;
    std::vector<std::thread> trabalhadores;
    for (int i = 0; i < linhas; ++i) {
        trabalhadores.emplace_back([&] {
            for (int v = 0; v < voltas; ++v) {
                const TravaDeArquivo trava(contador);
                const int valor = ArquivoAtomico::ler(contador).value_or("-1").toInt();
                std::this_thread::yield();
                (void)ArquivoAtomico::gravar(contador, QByteArray::number(valor + 1));
            }
        });
    }
    for (auto &trabalhador : trabalhadores)
        trabalhador.join();
    EXPECT_EQ(ArquivoAtomico::ler(contador), QByteArray::number(linhas * voltas));
}

// Run by the test below in a separate process: takes the lock and says so.
TEST(TravaDeArquivoFilho, DISABLED_TravaEAvisa)
{
    const QString arquivo = qEnvironmentVariable(variavelDoFilho);
    if (arquivo.isEmpty())
        GTEST_SKIP() << "runs only as the child of OutroProcessoEsperaATrava";
    const TravaDeArquivo trava(arquivo);
    ASSERT_TRUE(trava.travada());
    std::puts("travada");
    std::fflush(stdout);
}

TEST(TravaDeArquivo, OutroProcessoEsperaATrava)
{
    const DiretorioTemporario pasta;
    const QString arquivo = pasta.arquivo("vinculos-de-codigos.json");
    auto trava = std::make_unique<TravaDeArquivo>(arquivo);
    ASSERT_TRUE(trava->travada());

    QProcess filho;
    auto ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(variavelDoFilho, arquivo);
    filho.setProcessEnvironment(ambiente);
    filho.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=TravaDeArquivoFilho.DISABLED_TravaEAvisa", "--gtest_also_run_disabled_tests"});
    ASSERT_TRUE(filho.waitForStarted(10000));

    // While we hold the lock the child must stay blocked on it.
    EXPECT_TRUE(Testes::alguemEsperaATrava(TravaDeArquivo::caminhoDaTrava(arquivo)));
    EXPECT_EQ(filho.state(), QProcess::Running);
    EXPECT_FALSE(filho.readAllStandardOutput().contains("travada"));

    trava.reset();
    ASSERT_TRUE(filho.waitForFinished(30000));
    EXPECT_EQ(filho.exitCode(), 0);
    const QByteArray saida = filho.readAllStandardOutput();
    EXPECT_TRUE(saida.contains("travada")) << saida.toStdString();
}

} // namespace
