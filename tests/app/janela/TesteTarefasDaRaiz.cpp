// The start-up work waits for the window's first frame, so the window shows before the keychain
// and the local copy are read.
#include "app/TarefasDaRaiz.h"

#include <QQuickWindow>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(TarefasDaRaiz, ComecamDepoisDoPrimeiroQuadro)
{
    QQuickWindow janela;
    janela.resize(200, 100);
    TarefasDaRaiz tarefas;
    tarefas.comecarDepoisDoPrimeiroQuadro(&janela);
    QCoreApplication::processEvents();
    EXPECT_FALSE(tarefas.comecou());

    bool quadroAntes = false;
    QObject::connect(&janela, &QQuickWindow::frameSwapped, &janela, [&] { quadroAntes = !tarefas.comecou(); },
                     Qt::DirectConnection);
    janela.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return tarefas.comecou(); }, 10000));
    EXPECT_TRUE(quadroAntes);
}

TEST(TarefasDaRaiz, JanelaMinimizadaNaoAsFazEsperar)
{
    QQuickWindow janela;
    TarefasDaRaiz tarefas;
    tarefas.comecarDepoisDoPrimeiroQuadro(&janela);
    janela.showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return tarefas.comecou(); }, 10000));
}

TEST(TarefasDaRaiz, SemJanelaComecamJa)
{
    TarefasDaRaiz tarefas;
    tarefas.comecarDepoisDoPrimeiroQuadro(nullptr);
    EXPECT_TRUE(tarefas.comecou());
}

} // namespace
