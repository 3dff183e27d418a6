// The program end to end around the lock screen: an account created on this computer with
// protection accepted, the program quit and started again into the lock screen, which asks the
// owner by itself and opens the vault.
#include "app/CorvaneMacApp.h"
#include "app/servicos/Seguranca.h"
#include "plataforma/InfoDoPacote.h"
#include "servidor/ServidorDeDesenvolvimento.h"
#include "support/CofreDeSegredosEmMemoria.h"
#include "support/DiretorioTemporario.h"
#include "support/Executar.h"
#include "support/quick/TesteQuick.h"

#include <QQuickItem>
#include <QTest>

namespace {

// An item of the window by objectName, through visual children (a Loader's item has no object
// parent).
QQuickItem *itemChamado(QQuickItem *item, const QString &nome)
{
    if (!item)
        return nullptr;
    if (item->objectName() == nome)
        return item;
    for (QQuickItem *filho : item->childItems()) {
        if (QQuickItem *achado = itemChamado(filho, nome))
            return achado;
    }
    return nullptr;
}

class BloqueioNoPrograma : public TesteQuick {
protected:
    void SetUp() override
    {
        segredos = CofreDeSegredosEmMemoria::instalar();
        servidor.iniciar();
        CorvaneMacApp::usarServidor(servidor.endereco().toString());
        Seguranca::registrarAutenticador([this](QString motivo) -> QCoro::Task<bool> {
            motivos.append(motivo);
            co_return true;
        });
        TesteQuick::SetUp();
    }
    void TearDown() override
    {
        TesteQuick::TearDown();
        Seguranca::removerAutenticador();
        InfoDoPacote::substituir(std::nullopt);
        CofreDeSegredos::usar(nullptr);
    }

    DiretorioTemporario pasta;
    std::shared_ptr<CofreDeSegredosEmMemoria> segredos;
    Servidor::ServidorDeDesenvolvimento servidor;
    QStringList motivos;
};

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
