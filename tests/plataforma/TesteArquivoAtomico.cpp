#include "plataforma/ArquivoAtomico.h"
#include "support/DiretorioTemporario.h"
#include "support/Permissoes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>

namespace {

using Testes::permissoes;

TEST(ArquivoAtomico, GravaLeEDeixaSoODonoLerEEscrever)
{
    const DiretorioTemporario pasta;
    const QString caminho = pasta.arquivo("cofre.json");
    ASSERT_TRUE(ArquivoAtomico::gravar(caminho, "primeiro"));
    EXPECT_EQ(ArquivoAtomico::ler(caminho), QByteArray("primeiro"));
    EXPECT_EQ(permissoes(caminho), 0600u);

    ASSERT_TRUE(ArquivoAtomico::gravar(caminho, QByteArray()));
    EXPECT_EQ(ArquivoAtomico::ler(caminho), QByteArray());
    // No temporary file stays behind.
    EXPECT_EQ(QDir(pasta.caminho()).entryList(QDir::Files), QStringList{"cofre.json"});
}

TEST(ArquivoAtomico, SubstituirArquivoAbertoATodosOTornaSoDoDono)
{
    const DiretorioTemporario pasta;
    const QString caminho = pasta.arquivo("antigo.json");
    {
        QFile antigo(caminho);
        ASSERT_TRUE(antigo.open(QIODevice::WriteOnly));
        antigo.write("antigo");
    }
    ASSERT_EQ(::chmod(QFile::encodeName(caminho).constData(), 0644), 0);
    ASSERT_TRUE(ArquivoAtomico::gravar(caminho, "novo"));
    EXPECT_EQ(permissoes(caminho), 0600u);
    EXPECT_EQ(ArquivoAtomico::ler(caminho), QByteArray("novo"));
}

TEST(ArquivoAtomico, LeituraDeArquivoAusenteOuPastaNaoDaNada)
{
    const DiretorioTemporario pasta;
    EXPECT_EQ(ArquivoAtomico::ler(pasta.arquivo("nao-existe")), std::nullopt);
    EXPECT_EQ(ArquivoAtomico::ler(pasta.caminho()), std::nullopt);
}

TEST(ArquivoAtomico, GravarSemPastaFalhaSemCriarNada)
{
    const DiretorioTemporario pasta;
    EXPECT_FALSE(ArquivoAtomico::gravar(pasta.arquivo("falta/arquivo.json"), "x"));
    EXPECT_FALSE(QFileInfo::exists(pasta.arquivo("falta")));
}

TEST(ArquivoAtomico, EscritaInterrompidaDeixaOArquivoAnterior)
{
    const DiretorioTemporario pasta;
    const QString caminho = pasta.arquivo("dados.json");
    ASSERT_TRUE(ArquivoAtomico::gravar(caminho, "anterior"));

    // A file size limit makes the write fail part-way, even for root.
    const auto sinalAntes = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limiteAntes{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limiteAntes), 0);
    rlimit limite = limiteAntes;
    limite.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limite), 0);
    const bool gravado = ArquivoAtomico::gravar(caminho, QByteArray(64 * 1024, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &limiteAntes);
    std::signal(SIGXFSZ, sinalAntes);

    EXPECT_FALSE(gravado);
    EXPECT_EQ(ArquivoAtomico::ler(caminho), QByteArray("anterior"));
    EXPECT_EQ(QDir(pasta.caminho()).entryList(QDir::Files), QStringList{"dados.json"});
}

TEST(ArquivoAtomico, LeitorNuncaVeArquivoPelaMetade)
{
    const DiretorioTemporario pasta;
    const QString caminho = pasta.arquivo("troca.json");
    // Two contents of different sizes: a torn read would show a mix or a short file.
    const QByteArray a(256 * 1024, 'a');
    const QByteArray b(96 * 1024, 'b');
    ASSERT_TRUE(ArquivoAtomico::gravar(caminho, a));

    std::atomic<bool> parar = false;
    std::atomic<int> leituras = 0;
    std::atomic<int> rasgadas = 0;
    std::thread leitor([&] {
        while (!parar) {
            const auto lido = ArquivoAtomico::ler(caminho);
            if (!lido || (*lido != a && *lido != b))
                ++rasgadas;
            ++leituras;
        }
    });
    for (int i = 0; i < 300; ++i)
        ASSERT_TRUE(ArquivoAtomico::gravar(caminho, i % 2 ? a : b));
    parar = true;
    leitor.join();

    EXPECT_EQ(rasgadas, 0);
    EXPECT_GT(leituras, 0);
}

TEST(ArquivoAtomico, CriaPastasIntermediariasSoDoDono)
{
    const DiretorioTemporario pasta;
    const QString funda = pasta.arquivo("a/b/c");
    ASSERT_TRUE(ArquivoAtomico::criarPastaProtegida(funda));
    for (const QString &nivel : {pasta.arquivo("a"), pasta.arquivo("a/b"), funda}) {
        SCOPED_TRACE(nivel.toStdString());
        EXPECT_TRUE(QFileInfo(nivel).isDir());
        EXPECT_EQ(permissoes(nivel), 0700u);
    }
    EXPECT_TRUE(ArquivoAtomico::criarPastaProtegida(funda));

    ASSERT_TRUE(ArquivoAtomico::gravar(pasta.arquivo("arquivo"), "x"));
    EXPECT_FALSE(ArquivoAtomico::criarPastaProtegida(pasta.arquivo("arquivo/dentro")));
    EXPECT_FALSE(ArquivoAtomico::criarPastaProtegida(QString()));
}

} // namespace
