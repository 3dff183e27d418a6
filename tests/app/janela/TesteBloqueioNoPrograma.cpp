// The program end to end around the lock screen: an account created on this computer with
// protection accepted, the program quit and started again into the lock screen, which asks the
// owner by itself and opens the vault.
#include "ProgramaNaTela.h"

#include "support/Executar.h"
#include "support/quick/BuscaVisual.h"

#include <QQuickItem>
#include <QTest>

namespace {

using BloqueioNoPrograma = ProgramaNaTela;

TEST_F(BloqueioNoPrograma, ContaCriadaSaiEVoltaNaTelaDeBloqueio)
{
    const QString email = QStringLiteral("nova@exemplo.com");
    {
        CorvaneMacApp programa({QStringLiteral("corvane")});
        ASSERT_TRUE(programa.mostrar());
        EstadoDoApp &estado = programa.estado();
        ASSERT_TRUE(QTest::qWaitFor([&] { return estado.fase() == EstadoDoApp::Fase::semConta; }, 10000));
        (void)Testes::executar(estado.pedirCodigoDeEmail(email));
        const QString comprovante =
            Testes::executar(estado.conferirCodigoDeEmail(email, *servidor.estado().codigoDeEmail(email)));
        (void)Testes::executar(estado.criarConta(QStringLiteral("Nova"), email,
                                                 QStringLiteral("cavalo correto bateria grampo"), std::nullopt,
                                                 comprovante));
        estado.abrirCofreNovo();
        ASSERT_EQ(estado.fase(), EstadoDoApp::Fase::aberto);
        // The protection offer follows the first opening; the owner accepts it.
        ASSERT_TRUE(QTest::qWaitFor([&] { return estado.preferencias()->protegerApp() && !motivos.isEmpty(); }, 10000));
    }

    motivos.clear();
    CorvaneMacApp programa({QStringLiteral("corvane")});
    ASSERT_TRUE(programa.mostrar());
    EstadoDoApp &estado = programa.estado();
    ASSERT_TRUE(QTest::qWaitFor([&] { return estado.fase() == EstadoDoApp::Fase::bloqueado; }, 10000));
    QQuickItem *botao = itemChamado(programa.principal()->contentItem(), QStringLiteral("botaoDesbloquear"));
    ASSERT_TRUE(botao) << "the lock screen is the locked phase's screen";
    EXPECT_EQ(botao->property("text").toString(), QStringLiteral("Desbloquear com senha do computador"));

    // Its one automatic attempt asks the owner and opens the vault.
    ASSERT_TRUE(QTest::qWaitFor([&] { return estado.fase() == EstadoDoApp::Fase::aberto; }, 10000));
    EXPECT_EQ(motivos, QStringList{QStringLiteral("Abrir o Corvane")});
    ASSERT_TRUE(estado.conta());
    EXPECT_EQ(estado.conta()->email, email);
}

} // namespace
