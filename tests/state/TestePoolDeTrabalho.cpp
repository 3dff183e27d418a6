// Blocking and heavy work runs on the program's own pool, never on Qt's global pool, which the
// programs keep to one thread for painting: work there would hold up every repaint.
#include "servicos/NoTrabalhador.h"
#include "servicos/PoolDeTrabalho.h"
#include "state/ForaDoPrincipal.h"
#include "support/Executar.h"
#include "support/Portao.h"

#include <gtest/gtest.h>

#include <QThread>
#include <QThreadPool>

#include <functional>

namespace {

QCoro::Task<QThread *> pelaFila()
{
    co_return co_await noTrabalhador([] { return QThread::currentThread(); });
}

QCoro::Task<QThread *> foraDaLinha()
{
    co_return resultadoDe(co_await foraDoPrincipal([] { return QThread::currentThread(); }));
}

struct Caminho {
    const char *nome;
    std::function<QCoro::Task<QThread *>()> rodar;
};

const Caminho caminhos[] = {
    {"noTrabalhador", pelaFila},
    {"foraDoPrincipal", foraDaLinha},
};

TEST(PoolDeTrabalho, OTrabalhoRodaNoPoolDoProgramaENaoNoDaPintura)
{
    for (const Caminho &caminho : caminhos) {
        SCOPED_TRACE(caminho.nome);
        QThread *fio = Testes::executar(caminho.rodar());
        EXPECT_NE(fio, QThread::currentThread());
        EXPECT_TRUE(PoolDeTrabalho::pool()->contains(fio));
        EXPECT_FALSE(QThreadPool::globalInstance()->contains(fio));
    }
}

TEST(PoolDeTrabalho, ComOTrabalhoOcupadoAPinturaTemSeuFioLivre)
{
    PoolDeTrabalho::limitarPinturaEmFios();
    EXPECT_EQ(QThreadPool::globalInstance()->maxThreadCount(), 1);

    // Every work thread held, as a long key derivation would hold one.
    const int fios = PoolDeTrabalho::pool()->maxThreadCount();
    Testes::Portao portao;
    portao.fechar();
    for (int i = 0; i < fios; ++i)
        PoolDeTrabalho::pool()->start([&portao] { portao.passar(); });
    portao.esperarChegadas(fios);

    // Qt's painting pool still takes a slice at once.
    Testes::Portao fatia;
    EXPECT_TRUE(QThreadPool::globalInstance()->tryStart([&fatia] { fatia.passar(); }));
    fatia.esperarChegadas(1);

    portao.abrir();
    PoolDeTrabalho::pool()->waitForDone();
    QThreadPool::globalInstance()->waitForDone();
}

} // namespace
