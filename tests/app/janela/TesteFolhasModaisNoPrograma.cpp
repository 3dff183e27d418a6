// The program's sheets are modal for the keyboard too: with the real editor, the real re-sign-in
// sheet or the sign-out confirmation up, no window shortcut acts behind it.
#include "ProgramaNaTela.h"

#include "core/ConteudoDoItem.h"
#include "screens/vault/JanelaDoCofre.h"
#include "support/Executar.h"
#include "support/quick/BuscaVisual.h"

#include <QQuickItem>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>

namespace {

class FolhasNoPrograma : public ProgramaNaTela {
protected:
    // A new account's vault, open in the program's window, with app protection accepted.
    void abrirCofre()
    {
        const QString email = QStringLiteral("nova@exemplo.com");
        programa = std::make_unique<CorvaneMacApp>(QStringList{QStringLiteral("corvane")});
        ASSERT_TRUE(programa->mostrar());
        EstadoDoApp &estado = programa->estado();
        ASSERT_TRUE(QTest::qWaitFor([&] { return estado.fase() == EstadoDoApp::Fase::semConta; }, 10000));
        (void)Testes::executar(estado.pedirCodigoDeEmail(email));
        const QString comprovante =
            Testes::executar(estado.conferirCodigoDeEmail(email, *servidor.estado().codigoDeEmail(email)));
        (void)Testes::executar(estado.criarConta(QStringLiteral("Nova"), email,
                                                 QStringLiteral("cavalo correto bateria grampo"), std::nullopt,
                                                 comprovante));
        estado.abrirCofreNovo();
        ASSERT_EQ(estado.fase(), EstadoDoApp::Fase::aberto);
        // The protection offer follows the first opening; the owner accepts it, so the lock
        // command works.
        ASSERT_TRUE(QTest::qWaitFor([&] { return estado.preferencias()->protegerApp(); }, 10000));
        janela = programa->principal();
        janela->requestActivate();
        ASSERT_TRUE(QTest::qWaitForWindowActive(janela));
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                QQuickItem *cofre =
                    itemQue(janela->contentItem(), [](QQuickItem *i) { return i->property("vista").isValid(); });
                vista = cofre ? cofre->property("vista").value<JanelaDoCofre *>() : nullptr;
                return vista != nullptr && itemChamado(janela->contentItem(), QStringLiteral("entradaDaBusca"));
            },
            10000));
    }
    QQuickItem *item(const QString &nome) { return itemChamado(janela->contentItem(), nome); }
    QObject *acao(const QString &nome) { return janela->findChild<QObject *>(nome); }
    // Lets events run and moves the stepped animations on.
    void esperar(int ms)
    {
        QCoreApplication::processEvents();
        avancar(ms);
        QCoreApplication::processEvents();
    }

    std::unique_ptr<CorvaneMacApp> programa;
    QQuickWindow *janela = nullptr;
    JanelaDoCofre *vista = nullptr;
};

TEST_F(FolhasNoPrograma, AtalhosDaJanelaNaoAgemAtrasDeUmaFolha)
{
    ASSERT_NO_FATAL_FAILURE(abrirCofre());
    EstadoDoApp &estado = programa->estado();
    // The search field shows only over items: one code is put in the codes' section.
    (void)Testes::executar(estado.cofre()->guardar(
        std::nullopt,
        DadosDeCodigo::novo(QStringLiteral("GitHub"), QStringLiteral("ana"), QStringLiteral("JBSWY3DPEHPK3PXP"),
                            AlgoritmoTotp::sha1, 6, 30)
            .json,
        TipoDeItem::codigo, std::nullopt));
    // The stepping animation driver moves only when told: the open phase fades in.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            avancar(100);
            return item(QStringLiteral("campoDeBusca"))->isVisible();
        },
        10000));

    struct Folha {
        const char *nome;
        std::function<void()> abrir;
        std::function<void()> fechar;
    };
    const Folha folhas[] = {
        {"editor com texto digitado",
         [&] {
             vista->novoItemDoTipo(QStringLiteral("nota"));
             // The first field has the keyboard; what the user types goes there.
             ASSERT_TRUE(QTest::qWaitFor([&] { return item(QStringLiteral("campoTitulo")) != nullptr; }, 5000));
             esperar(100);
             for (const char tecla : {'W', 'i', 'f', 'i'})
                 QTest::keyClick(janela, tecla);
         },
         [&] { estado.fecharEdicao(); }},
        {"entrar de novo", [&] { vista->definirEntrandoDeNovo(true); },
         [&] { vista->definirEntrandoDeNovo(false); }},
        {"confirmação de saída",
         [&] { item(QStringLiteral("cartaoDaConta"))->setProperty("confirmandoSaida", true); },
         [&] { item(QStringLiteral("cartaoDaConta"))->setProperty("confirmandoSaida", false); }},
    };
    const struct {
        const char *nome;
        Qt::Key tecla;
        Qt::KeyboardModifiers modificadores;
    } atalhos[] = {
        {"Ctrl+N", Qt::Key_N, Qt::ControlModifier},
        {"Ctrl+F", Qt::Key_F, Qt::ControlModifier},
        {"Ctrl+R", Qt::Key_R, Qt::ControlModifier},
        {"Ctrl+Shift+L", Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier},
        {"Ctrl+,", Qt::Key_Comma, Qt::ControlModifier},
        {"Ctrl+W", Qt::Key_W, Qt::ControlModifier},
        {"Ctrl+Q", Qt::Key_Q, Qt::ControlModifier},
    };
    QSignalSpy sincronizar(acao(QStringLiteral("sincronizar")), SIGNAL(triggered(QObject *)));
    QSignalSpy ajustes(janela, SIGNAL(ajustesPedidos()));
    QSignalSpy sair(janela, SIGNAL(sairPedido()));
    QQuickItem *busca = item(QStringLiteral("entradaDaBusca"));
    for (const Folha &folha : folhas) {
        for (const auto &atalho : atalhos) {
            SCOPED_TRACE(std::string(folha.nome) + " / " + atalho.nome);
            folha.abrir();
            esperar(100);
            const QVariant edicao = vista->edicao();
            const auto titulo = [&]() -> QString {
                QQuickItem *campo = item(QStringLiteral("campoTitulo"));
                QQuickItem *entrada = campo ? campo->findChild<QQuickItem *>(QStringLiteral("entrada")) : nullptr;
                return entrada ? entrada->property("text").toString() : QString();
            };
            const QString digitado = titulo();

            QTest::keyClick(janela, atalho.tecla, atalho.modificadores);
            esperar(100);
            EXPECT_EQ(vista->edicao(), edicao) << "o editor não é trocado nem aberto";
            EXPECT_EQ(titulo(), digitado) << "o que foi digitado fica";
            EXPECT_FALSE(busca->hasActiveFocus()) << "o foco não vai para trás da folha";
            EXPECT_EQ(estado.fase(), EstadoDoApp::Fase::aberto);
            EXPECT_EQ(sincronizar.count(), 0);
            EXPECT_EQ(ajustes.count(), 0);
            EXPECT_EQ(programa->ajustes(), nullptr);
            EXPECT_TRUE(janela->isVisible()) << "a janela não fecha atrás da folha";
            EXPECT_EQ(sair.count(), 0) << "o programa não sai atrás da folha";
            folha.fechar();
            esperar(100);
        }
    }
    EXPECT_FALSE(estado.edicao());

    // With no sheet up, the same commands work; the menu's "Buscar" does what Ctrl+F does.
    QMetaObject::invokeMethod(acao(QStringLiteral("buscar")), "trigger");
    EXPECT_TRUE(busca->hasActiveFocus());
    busca->setFocus(false);
    QTest::keyClick(janela, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(busca->hasActiveFocus());
    QTest::keyClick(janela, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(sincronizar.count(), 1);
    QTest::keyClick(janela, Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(estado.edicao());
    estado.fecharEdicao();
    esperar(100);
    // Sair is only asked for here (the program's quit would end the test's event loop).
    sair.clear();
    QObject::disconnect(janela, SIGNAL(sairPedido()), programa.get(), nullptr);
    QTest::keyClick(janela, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(sair.count(), 1);
    QTest::keyClick(janela, Qt::Key_W, Qt::ControlModifier);
    esperar(100);
    EXPECT_FALSE(janela->isVisible());
}

} // namespace
