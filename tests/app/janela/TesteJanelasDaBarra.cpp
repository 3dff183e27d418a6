// The program's tray panel and settings window as the application builds them: one settings
// window raised again, the panel opened where there is no tray and closed by Escape, and where
// the panel goes under the tray icon or the pointer.
#include "app/CorvaneMacApp.h"
#include "plataforma/InfoDoPacote.h"
#include "servidor/ServidorDeDesenvolvimento.h"
#include "support/CofreDeSegredosEmMemoria.h"
#include "support/quick/TesteQuick.h"

#include <QAction>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QMenu>
#include <QTest>

namespace {

TEST(PosicaoDoPainel, SobOIconeOuOPonteiroDentroDaTela)
{
    const QRect tela(0, 0, 1920, 1080);
    const QSize painel(340, 400);
    struct Caso {
        const char *nome;
        QRect icone;
        QPoint cursor;
        QPoint esperada;
    };
    const Caso casos[] = {
        {"icone no alto", QRect(1000, 0, 24, 24), {}, {1012 - 170, 24}},
        {"icone embaixo", QRect(1000, 1056, 24, 24), {}, {1012 - 170, 1056 - 400}},
        {"icone no canto direito", QRect(1900, 0, 20, 24), {}, {1920 - 340, 24}},
        {"icone no canto esquerdo", QRect(0, 0, 20, 24), {}, {0, 24}},
        {"sem icone: o ponteiro", QRect(), {500, 300}, {330, 301}},
        {"sem icone, ponteiro embaixo", QRect(), {500, 1000}, {330, 600}},
    };
    for (const Caso &caso : casos)
        EXPECT_EQ(CorvaneMacApp::posicaoDoPainel(caso.icone, painel, tela, caso.cursor), caso.esperada) << caso.nome;
}

TEST(PosicaoCentrada, SobreAJanelaDentroDaAreaLivre)
{
    // A work area under a 32-point top panel, as a desktop reports it.
    const QRect tela(0, 32, 1920, 1048);
    const QSize ajustes(560, 640);
    struct Caso {
        const char *nome;
        QRect sobre;
        QPoint esperada;
    };
    const Caso casos[] = {
        {"no meio", QRect(400, 200, 1040, 680), {400 + 240, 200 + 20}},
        {"janela no canto esquerdo", QRect(-300, 200, 600, 680), {0, 220}},
        {"janela baixa: sobe para caber", QRect(400, 900, 1040, 680), {640, 1080 - 640}},
        {"janela alta: desce para baixo do painel", QRect(400, -200, 1040, 300), {640, 32}},
        {"maior que a tela: o canto da área", QRect(0, 0, 100, 100), {0, 32}},
        {"sem tela conhecida: só centrada", QRect(10, 10, 100, 100), {10 + 50 - 280, 10 + 50 - 320}},
    };
    for (const Caso &caso : casos) {
        const QRect area = QLatin1String(caso.nome).startsWith(QLatin1String("sem tela")) ? QRect() : tela;
        const QSize tamanho = QLatin1String(caso.nome).startsWith(QLatin1String("maior")) ? QSize(2000, 1200) : ajustes;
        EXPECT_EQ(CorvaneMacApp::posicaoCentrada(caso.sobre, tamanho, area), caso.esperada) << caso.nome;
    }
}

class JanelasDaBarra : public TesteQuick {
protected:
    void SetUp() override
    {
        segredos = CofreDeSegredosEmMemoria::instalar();
        servidor.iniciar();
        CorvaneMacApp::usarServidor(servidor.endereco().toString());
        TesteQuick::SetUp();
    }
    void TearDown() override
    {
        TesteQuick::TearDown();
        InfoDoPacote::substituir(std::nullopt);
        CofreDeSegredos::usar(nullptr);
    }

    std::shared_ptr<CofreDeSegredosEmMemoria> segredos;
    Servidor::ServidorDeDesenvolvimento servidor;
};

TEST_F(JanelasDaBarra, AjustesUmaSoJanelaEPainelSemBandeja)
{
    CorvaneMacApp programa({QStringLiteral("corvane")});
    programa.usarJanelas(CorvaneMacApp::TipoDeJanela{QStringLiteral("Corvane.Barra"), QStringLiteral("JanelaDaBarra")},
                         {QStringLiteral("Corvane.Barra"), QStringLiteral("JanelaDosAjustes")});
    ASSERT_TRUE(programa.mostrar());
    EXPECT_TRUE(QTest::qWaitFor([&] { return programa.estado().fase() == EstadoDoApp::Fase::semConta; }, 10000));
    EXPECT_FALSE(programa.bandeja()); // Xvfb has no tray

    programa.abrirAjustes();
    QQuickWindow *ajustes = programa.ajustes();
    ASSERT_TRUE(ajustes);
    EXPECT_EQ(ajustes->size(), QSize(480, 640));
    EXPECT_EQ(ajustes->title(), QStringLiteral("Ajustes"));
    ajustes->close();
    programa.abrirAjustes();
    EXPECT_EQ(programa.ajustes(), ajustes); // one instance, shown again
    EXPECT_TRUE(ajustes->isVisible());

    // Without a tray the settings offer the panel.
    QQuickItem *abrirPainel = ajustes->findChild<QQuickItem *>(QStringLiteral("abrirPainel"));
    ASSERT_TRUE(abrirPainel);
    EXPECT_TRUE(abrirPainel->isVisible());
    QMetaObject::invokeMethod(abrirPainel, "clicked");
    QQuickWindow *painel = programa.painel();
    ASSERT_TRUE(painel);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(painel));
    EXPECT_EQ(painel->width(), 340);
    // Marked so tiling compositors float it: a transient of the main window, of fixed size.
    EXPECT_EQ(painel->transientParent(), programa.principal());
    EXPECT_EQ(painel->minimumSize(), painel->size());
    EXPECT_EQ(painel->maximumSize(), painel->size());
    EXPECT_TRUE(painel->findChild<QQuickItem *>(QStringLiteral("faceSemConta"))->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(painel)); // opening it gives it the focus
    QTest::keyClick(painel, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !painel->isVisible(); }, 5000));

    // Focus moving to another window closes it too.
    programa.abrirPainel();
    ASSERT_TRUE(QTest::qWaitForWindowActive(painel));
    ajustes->requestActivate();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !painel->isVisible(); }, 5000));

    // "Entrar" on the panel brings the main window to the front.
    programa.principal()->close();
    programa.abrirPainel();
    EXPECT_EQ(programa.painel(), painel);
    QMetaObject::invokeMethod(painel->findChild<QQuickItem *>(QStringLiteral("entrarNaBarra")), "clicked");
    EXPECT_TRUE(programa.principal()->isVisible());
    EXPECT_FALSE(painel->isVisible());

    // The tray's menu: open, lock, quit.
    QMenu *menu = programa.menuDaBandeja();
    ASSERT_TRUE(menu);
    QStringList textos;
    for (QAction *acao : menu->actions())
        textos << acao->text();
    EXPECT_EQ(textos, (QStringList{QStringLiteral("Abrir o Corvane"), QStringLiteral("Bloquear o Corvane"), QString(),
                                   QStringLiteral("Sair")}));
    EXPECT_FALSE(menu->actions().at(1)->isEnabled()) << "sem conta não há o que bloquear";
    // A main window that is gone is built again.
    delete programa.principal();
    menu->actions().at(0)->trigger();
    ASSERT_TRUE(programa.principal());
    EXPECT_TRUE(programa.principal()->isVisible());
}

TEST_F(JanelasDaBarra, PainelQueMudaDeAlturaFicaPresoAoLadoDoPonteiro)
{
    CorvaneMacApp programa({QStringLiteral("corvane")});
    programa.usarJanelas(CorvaneMacApp::TipoDeJanela{QStringLiteral("Corvane.Barra"), QStringLiteral("JanelaDaBarra")},
                         {QStringLiteral("Corvane.Barra"), QStringLiteral("JanelaDosAjustes")});
    ASSERT_TRUE(programa.mostrar());
    QScreen *tela = QGuiApplication::primaryScreen();
    const QRect area = tela->availableGeometry();
    // Without a tray the panel opens at the pointer: under it in the upper half, above it in
    // the lower half. Either way the edge at the pointer stays put as the panel's height
    // changes, and the panel stays inside the work area.
    const struct {
        const char *nome;
        QPoint ponteiro;
        bool acima;
    } casos[] = {
        {"ponteiro no alto", area.topLeft() + QPoint(area.width() / 2, 40), false},
        {"ponteiro embaixo", area.bottomLeft() + QPoint(area.width() / 2, -10), true},
        {"ponteiro no canto direito, embaixo", area.bottomRight() + QPoint(-2, -10), true},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        QCursor::setPos(caso.ponteiro);
        ASSERT_TRUE(QTest::qWaitFor([&] { return QCursor::pos() == caso.ponteiro; }, 2000));
        programa.abrirPainel();
        QQuickWindow *painel = programa.painel();
        ASSERT_TRUE(painel);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(painel));
        const auto borda = [&] { return caso.acima ? painel->y() + painel->height() : painel->y(); };
        const int antes = borda();
        for (int altura : {painel->height() + 120, painel->height() - 40}) {
            painel->setHeight(altura);
            // The window system reports the new geometry when it has applied it.
            const auto posto = [&] {
                return painel->height() == altura && borda() == antes &&
                       area.contains(QRect(painel->position(), painel->size()));
            };
            EXPECT_TRUE(QTest::qWaitFor(posto, 3000)) << altura << ": " << painel->y() << " + " << painel->height();
        }
        painel->close();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !painel->isVisible(); }, 5000));
    }
}

} // namespace
