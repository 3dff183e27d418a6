// The main window: its title and sizes, the light look under a dark desktop palette, and the
// menu commands by phase; the settings window it opens.
#include "QuadroNaTela.h"

#include "app/ComandosDoMenu.h"
#include "kit/Paleta.h"

#include <QGuiApplication>
#include <QPalette>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTest>

using Fase = EstadoDoApp::Fase;

namespace {

class JanelaPrincipal : public QuadroNaTela {
protected:
    void SetUp() override
    {
        QuadroNaTela::SetUp();
        comandos = std::make_unique<ComandosDoMenu>(estado.get(), atualizacao.get());
        engine().rootContext()->setContextProperty(QStringLiteral("comandosDeTeste"), comandos.get());
    }
    void TearDown() override
    {
        QuadroNaTela::TearDown();
        comandos.reset();
        QGuiApplication::setPalette(QPalette());
    }
    QQuickWindow *abrir()
    {
        auto *janela = qobject_cast<QQuickWindow *>(criar(importacoes + QStringLiteral(R"(
JanelaPrincipal {
    comecarAoMostrar: false
    estado: estadoDeTeste
    atualizacao: atualizacaoDeTeste
    preenchimento: preenchimentoDeTeste
    comandos: comandosDeTeste
})")));
        if (janela) {
            janela->show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(janela));
            janela->requestActivate();
            EXPECT_TRUE(QTest::qWaitForWindowActive(janela));
        }
        return janela;
    }
    QObject *acao(const QString &nome) { return raiz()->findChild<QObject *>(nome); }

    std::unique_ptr<ComandosDoMenu> comandos;
};

TEST_F(JanelaPrincipal, TituloTamanhosEAparenciaClaraComOTemaEscuro)
{
    // A dark desktop palette, as a dark theme hands it to the application.
    QPalette escura;
    for (auto papel : {QPalette::Window, QPalette::Base, QPalette::Button})
        escura.setColor(papel, QColor(0x20, 0x20, 0x24));
    for (auto papel : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        escura.setColor(papel, QColor(0xee, 0xee, 0xee));
    QGuiApplication::setPalette(escura);

    QQuickWindow *janela = abrir();
    ASSERT_TRUE(janela);
    EXPECT_EQ(janela->title(), QStringLiteral("Corvane"));
    EXPECT_EQ(janela->objectName(), QStringLiteral("principal"));
    EXPECT_EQ(janela->size(), QSize(1040, 680));
    EXPECT_EQ(janela->minimumSize(), QSize(860, 560));
    EXPECT_EQ(janela->color(), Paleta::fundo());

    auto *paleta = janela->property("palette").value<QObject *>();
    ASSERT_TRUE(paleta);
    EXPECT_EQ(paleta->property("window").value<QColor>(), Paleta::fundo());
    EXPECT_EQ(paleta->property("buttonText").value<QColor>(), Paleta::texto());
    // What is drawn: the menu bar and the window are light, their text dark.
    QQuickItem *barra = raiz()->findChild<QQuickItem *>(QStringLiteral("barraDeMenus"));
    ASSERT_TRUE(barra);
    const QImage imagem = janela->grabWindow();
    EXPECT_GT(imagem.pixelColor(1000, 5).lightness(), 200);
    EXPECT_GT(imagem.pixelColor(520, 400).lightness(), 200);
    const QList<QQuickItem *> itens = barra->findChildren<QQuickItem *>();
    int textosEscuros = 0;
    for (QQuickItem *item : itens)
        if (item->inherits("QQuickText") && item->property("color").value<QColor>().lightness() < 100)
            ++textosEscuros;
    EXPECT_GE(textosEscuros, 2); // "Corvane" and "Cofre"
}

TEST_F(JanelaPrincipal, ComandosDoCofreSoNoAberto)
{
    ASSERT_TRUE(abrir());
    EXPECT_EQ(acao(QStringLiteral("procurarAtualizacao"))->property("text").toString(),
              QStringLiteral("Procurar atualização\u2026"));
    EXPECT_EQ(acao(QStringLiteral("ajustes"))->property("shortcut").toString(), QStringLiteral("Ctrl+,"));
    EXPECT_EQ(acao(QStringLiteral("bloquear"))->property("text").toString(), QStringLiteral("Bloquear o Corvane"));
    EXPECT_EQ(acao(QStringLiteral("bloquear"))->property("shortcut").toString(), QStringLiteral("Ctrl+Shift+L"));
    EXPECT_EQ(acao(QStringLiteral("sincronizar"))->property("shortcut").toString(), QStringLiteral("Ctrl+R"));
    EXPECT_EQ(raiz()->findChild<QObject *>(QStringLiteral("menuCofre"))->property("title").toString(),
              QStringLiteral("Cofre"));

    for (Fase f : {Fase::iniciando, Fase::semConta, Fase::bloqueado, Fase::aberto, Fase::semConta}) {
        SCOPED_TRACE(static_cast<int>(f));
        fase(f);
        const bool aberto = f == Fase::aberto;
        EXPECT_EQ(acao(QStringLiteral("bloquear"))->property("enabled").toBool(), aberto);
        EXPECT_EQ(acao(QStringLiteral("sincronizar"))->property("enabled").toBool(), aberto);
        EXPECT_TRUE(acao(QStringLiteral("procurarAtualizacao"))->property("enabled").toBool());
        EXPECT_TRUE(acao(QStringLiteral("ajustes"))->property("enabled").toBool());
    }

    // The shortcut of a disabled command does nothing; "Ajustes…" asks for the settings window.
    QSignalSpy ajustes(raiz(), SIGNAL(ajustesPedidos()));
    QTest::keyClick(qobject_cast<QQuickWindow *>(raiz()), Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(estado->fase(), Fase::semConta);
    QTest::keyClick(qobject_cast<QQuickWindow *>(raiz()), Qt::Key_Comma, Qt::ControlModifier);
    EXPECT_EQ(ajustes.count(), 1);

    // "Procurar atualização…" checks in every phase: a newer version shows the banner.
    servidor.site().definirVersaoPublicada(QStringLiteral("2.0"));
    QMetaObject::invokeMethod(acao(QStringLiteral("procurarAtualizacao")), "trigger");
    EXPECT_TRUE(QTest::qWaitFor([this] { return atualizacao->disponivel().has_value(); }, 10000));
}

// The desktop's standard window commands, and every command's shortcut shown in its menu.
TEST_F(JanelaPrincipal, SairFecharEAtalhosNosMenus)
{
    QQuickWindow *janela = abrir();
    ASSERT_TRUE(janela);
    EXPECT_EQ(acao(QStringLiteral("sair"))->property("text").toString(), QStringLiteral("Sair"));
    EXPECT_EQ(acao(QStringLiteral("fecharJanela"))->property("text").toString(), QStringLiteral("Fechar janela"));
    EXPECT_EQ(acao(QStringLiteral("buscar"))->property("text").toString(), QStringLiteral("Buscar"));

    const struct {
        const char *acao;
        const char *atalho;
    } menus[] = {{"ajustes", "Ctrl+,"}, {"fecharJanela", "Ctrl+W"}, {"sair", "Ctrl+Q"},
                 {"buscar", "Ctrl+F"},  {"bloquear", "Ctrl+Shift+L"}, {"sincronizar", "Ctrl+R"}};
    for (const auto &menu : menus) {
        SCOPED_TRACE(menu.acao);
        auto *item = raiz()->findChild<QQuickItem *>(QStringLiteral("itemDoMenu-") + QLatin1String(menu.acao));
        ASSERT_NE(item, nullptr);
        auto *atalho = item->findChild<QQuickItem *>(QStringLiteral("atalhoDoItem"));
        ASSERT_NE(atalho, nullptr);
        EXPECT_EQ(atalho->property("text").toString(), QLatin1String(menu.atalho));
    }
    auto *semAtalho = raiz()->findChild<QQuickItem *>(QStringLiteral("itemDoMenu-procurarAtualizacao"));
    ASSERT_NE(semAtalho, nullptr);
    EXPECT_EQ(semAtalho->findChild<QQuickItem *>(QStringLiteral("atalhoDoItem"))->property("text").toString(), QString());

    // The "Cofre" menu open, as the user sees it.
    fase(Fase::aberto);
    auto *menuCofre = raiz()->findChild<QObject *>(QStringLiteral("menuCofre"));
    QMetaObject::invokeMethod(menuCofre, "open");
    QTest::qWait(300);
    capturarJanela(janela, QStringLiteral("janela-principal-menu-cofre"));
    QMetaObject::invokeMethod(menuCofre, "close");
    QTest::qWait(100);

    // Ctrl+Q asks the application to end; Ctrl+W closes the window.
    QSignalSpy sair(raiz(), SIGNAL(sairPedido()));
    QTest::keyClick(janela, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(sair.count(), 1);
    EXPECT_TRUE(janela->isVisible());
    QTest::keyClick(janela, Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(janela->isVisible());
}

TEST_F(JanelaPrincipal, AjustesMostramASecaoDoPreenchimento)
{
    auto *janela = qobject_cast<QQuickWindow *>(criar(importacoes + QStringLiteral(R"(
JanelaDeAjustes { preenchimento: preenchimentoDeTeste })")));
    ASSERT_TRUE(janela);
    janela->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(janela));
    EXPECT_EQ(janela->title(), QStringLiteral("Ajustes"));
    EXPECT_EQ(janela->color(), Paleta::fundo());
    // Shown, it reads the status (the host's switch is off here).
    EXPECT_TRUE(QTest::qWaitFor([this] { return preenchimento->ligado().has_value(); }, 10000));
    EXPECT_EQ(raiz()->findChild<QQuickItem *>(QStringLiteral("textoDaSecao"))->property("text").toString(),
              QStringLiteral("Desligado"));
}

} // namespace
