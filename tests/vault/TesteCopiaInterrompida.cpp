// A process killed while it rewrites the local copy never leaves a broken copy behind: this test
// runs its own binary as a child that rewrites the copy without pause and kills it mid-write.
#include "AmbienteDoCofre.h"

#include <QCoreApplication>
#include <QProcess>
#include <QThread>

namespace {

constexpr const char *variavelDoFilho = "CORVANE_TESTE_FILHO_DA_COPIA";

Conta contaDoTeste()
{
    Conta conta;
    conta.id = QStringLiteral("conta-da-copia");
    conta.email = QStringLiteral("copia@exemplo.com");
    return conta;
}

// The store the child writes: `n` notes, so successive copies differ in size.
void preencher(Cofre &cofre, int n)
{
    const QByteArray chave(32, 'c');
    for (int i = 0; i < n; ++i) {
        const QString id = QStringLiteral("item-%1").arg(i);
        ItemCifrado item;
        item.id = id;
        item.tipo = TipoDeItem::nota;
        item.dados = AmbienteDoCofre::selar(AmbienteDoCofre::nota(QStringLiteral("Nota %1").arg(i)), id, chave);
        item.revisao = i + 1;
        cofre.aplicar(item);
    }
}

} // namespace

// The child's side, run only by the test below.
TEST(CopiaInterrompidaFilho, DISABLED_ReescreveSemParar)
{
    if (!qEnvironmentVariableIsSet(variavelDoFilho))
        GTEST_SKIP() << "runs only as the child of CopiaInterrompida.ProcessoMortoNoMeioDaEscritaDeixaCopiaLegivel";
    Cofre cofre(contaDoTeste(), QByteArray(32, 'c'), nullptr, nullptr);
    bool avisou = false;
    for (int rodada = 0;; ++rodada) {
        cofre.removerLocalmente(QStringLiteral("item-0")); // keeps every copy different from the last
        preencher(cofre, 200 + rodada % 300);
        cofre.salvarCopia();
        if (!avisou) {
            std::fputs("pronto\n", stdout);
            std::fflush(stdout);
            avisou = true;
        }
    }
}

TEST(CopiaInterrompida, ProcessoMortoNoMeioDaEscritaDeixaCopiaLegivel)
{
    const DiretorioTemporario pasta;
    for (int tentativa = 0; tentativa < 5; ++tentativa) {
        SCOPED_TRACE(tentativa);
        QProcess filho;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QString::fromLatin1(variavelDoFilho), QStringLiteral("1"));
        filho.setProcessEnvironment(ambiente);
        filho.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=CopiaInterrompidaFilho.DISABLED_ReescreveSemParar"),
                     QStringLiteral("--gtest_also_run_disabled_tests")});
        ASSERT_TRUE(filho.waitForStarted(10000));
        bool pronto = false;
        while (!pronto && filho.waitForReadyRead(20000))
            pronto = filho.readAllStandardOutput().contains("pronto");
        ASSERT_TRUE(pronto) << "o filho não chegou a escrever";
        QThread::msleep(static_cast<unsigned long>(20 + tentativa * 37));
        filho.kill();
        ASSERT_TRUE(filho.waitForFinished(10000));

        const std::optional<CopiaDoCofre> copia = CopiaDoCofre::ler();
        ASSERT_TRUE(copia.has_value()) << "a cópia ficou quebrada";
        EXPECT_EQ(copia->conta.id, contaDoTeste().id);
        EXPECT_GE(copia->itens.size(), 199);

        // And the store of that account loads it whole.
        Cofre cofre(contaDoTeste(), QByteArray(32, 'c'), nullptr, nullptr);
        EXPECT_TRUE(cofre.carregado());
        EXPECT_EQ(cofre.abertos().size(), copia->itens.size());
    }
}
