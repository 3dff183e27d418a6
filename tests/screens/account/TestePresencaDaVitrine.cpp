// When the showcase runs: the rule's table, and the object following a real window's visibility,
// focus and exposure.
#include "screens/account/PresencaDaVitrine.h"

#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

TEST(PresencaDaVitrine, SoRodaComTudoAFavor)
{
    const vitrine::Presenca vista{true, true, true, QWindow::Windowed, true, true, false};
    const struct {
        const char *caso;
        vitrine::Presenca presenca;
        bool ativa;
    } casos[] = {
        {"wide, on screen, focused and seen", vista, true},
        {"full screen", [&] { auto p = vista; p.visibilidade = QWindow::FullScreen; return p; }(), true},
        {"maximised", [&] { auto p = vista; p.visibilidade = QWindow::Maximized; return p; }(), true},
        {"narrower than 900 points", [&] { auto p = vista; p.larga = false; return p; }(), false},
        {"column faded out", [&] { auto p = vista; p.colunaVisivel = false; return p; }(), false},
        {"not in a window yet", [&] { auto p = vista; p.temJanela = false; return p; }(), false},
        {"window hidden", [&] { auto p = vista; p.visibilidade = QWindow::Hidden; return p; }(), false},
        {"window minimised", [&] { auto p = vista; p.visibilidade = QWindow::Minimized; return p; }(), false},
        {"another window in front (the browser)", [&] { auto p = vista; p.janelaAtiva = false; return p; }(), false},
        {"window covered, not exposed", [&] { auto p = vista; p.janelaExposta = false; return p; }(), false},
        {"the waiting screen over the panels", [&] { auto p = vista; p.trabalhando = true; return p; }(), false},
        {"nothing in favour", vitrine::Presenca{}, false},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.caso);
        EXPECT_EQ(vitrine::ativa(caso.presenca), caso.ativa);
    }
}

TEST(PresencaDaVitrine, SegueAJanelaEAsEntradas)
{
    PresencaDaVitrine presenca;
    QSignalSpy mudancas(&presenca, &PresencaDaVitrine::ativaMudou);
    presenca.definirLarga(true);
    presenca.definirColunaVisivel(true);
    EXPECT_FALSE(presenca.ativa()) << "no window yet";

    auto janela = std::make_unique<QWindow>();
    janela->resize(200, 200);
    presenca.definirJanela(janela.get());
    EXPECT_FALSE(presenca.ativa()) << "not shown yet";
    janela->show();
    janela->requestActivate();
    ASSERT_TRUE(QTest::qWaitForWindowActive(janela.get()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return presenca.ativa(); }, 5000));

    // Another window takes the focus: the showcase stops, and goes on when ours has it again.
    QWindow outra;
    outra.resize(200, 200);
    outra.show();
    outra.requestActivate();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&outra));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !presenca.ativa(); }, 5000));
    janela->requestActivate();
    ASSERT_TRUE(QTest::qWaitForWindowActive(janela.get()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return presenca.ativa(); }, 5000));

    presenca.definirTrabalhando(true);
    EXPECT_FALSE(presenca.ativa());
    presenca.definirTrabalhando(false);
    EXPECT_TRUE(presenca.ativa());

    janela->hide();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !presenca.ativa(); }, 5000));
    janela->show();
    janela->requestActivate();
    ASSERT_TRUE(QTest::qWaitForWindowActive(janela.get()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return presenca.ativa(); }, 5000));

    // The window goes away: stopped, and nothing dangles.
    janela.reset();
    EXPECT_FALSE(presenca.ativa());
    EXPECT_EQ(presenca.janela(), nullptr);
    EXPECT_GE(mudancas.count(), 8);
}

} // namespace
