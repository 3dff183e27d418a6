// The program's vault window puts the real password and note sections behind the gate: a new
// account, once the owner releases them, shows each section's own empty state.
#include "app/CorvaneMacApp.h"
#include "app/servicos/Seguranca.h"
#include "plataforma/InfoDoPacote.h"
#include "screens/vault/JanelaDoCofre.h"
#include "servidor/ServidorDeDesenvolvimento.h"
#include "support/CofreDeSegredosEmMemoria.h"
#include "support/DiretorioTemporario.h"
#include "support/Executar.h"
#include "support/quick/TesteQuick.h"

#include <QQuickItem>
#include <QTest>

namespace {

// The first item under `item` that `aceita`, through visual children (a Loader's item has no
// object parent).
QQuickItem *itemQue(QQuickItem *item, const std::function<bool(QQuickItem *)> &aceita)
{
    if (!item)
        return nullptr;
    if (aceita(item))
        return item;
    for (QQuickItem *filho : item->childItems()) {
        if (QQuickItem *achado = itemQue(filho, aceita))
            return achado;
    }
    return nullptr;
}

class SecoesNoPrograma : public TesteQuick {
protected:
    void SetUp() override
    {
        segredos = CofreDeSegredosEmMemoria::instalar();
        servidor.iniciar();
        CorvaneMacApp::usarServidor(servidor.endereco().toString());
        Seguranca::registrarAutenticador([](QString) -> QCoro::Task<bool> { co_return true; });
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
};

TEST_F(SecoesNoPrograma, SenhasENotasAtrasDoPortao)
{
    const QString email = QStringLiteral("nova@exemplo.com");
    CorvaneMacApp programa({QStringLiteral("corvane")});
    ASSERT_TRUE(programa.mostrar());
    EstadoDoApp &estado = programa.estado();
    ASSERT_TRUE(QTest::qWaitFor([&] { return estado.fase() == EstadoDoApp::Fase::semConta; }, 10000));
    (void)Testes::executar(estado.pedirCodigoDeEmail(email));
    const QString comprovante =
        Testes::executar(estado.conferirCodigoDeEmail(email, *servidor.estado().codigoDeEmail(email)));
    (void)Testes::executar(estado.criarConta(QStringLiteral("Nova"), email,
                                             QStringLiteral("cavalo correto bateria grampo"), std::nullopt, comprovante));
    estado.abrirCofreNovo();
    ASSERT_EQ(estado.fase(), EstadoDoApp::Fase::aberto);
    ASSERT_TRUE(Testes::executar(estado.liberarSecoes()));

    QQuickItem *raiz = programa.principal()->contentItem();
    JanelaDoCofre *vista = nullptr;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            QQuickItem *cofre = itemQue(raiz, [](QQuickItem *i) { return i->property("vista").isValid(); });
            vista = cofre ? cofre->property("vista").value<JanelaDoCofre *>() : nullptr;
            return vista != nullptr;
        },
        10000));
    const struct {
        const char *secao;
        const char *vazio;
        const char *titulo;
    } casos[] = {{"senhas", "vazioSemSenhas", "Nenhuma senha ainda"}, {"notas", "vazioSemNotas", "Nenhuma nota ainda"}};
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.secao);
        vista->definirSecao(QString::fromLatin1(caso.secao));
        QQuickItem *titulo = nullptr;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                QQuickItem *vazio = itemQue(raiz, [&](QQuickItem *i) { return i->objectName() == QLatin1String(caso.vazio); });
                titulo = itemQue(vazio, [](QQuickItem *i) { return i->objectName() == QStringLiteral("tituloDoVazio"); });
                return titulo != nullptr;
            },
            10000));
        if (titulo) {
            EXPECT_EQ(titulo->property("text").toString(), QString::fromUtf8(caso.titulo));
        }
    }
}

} // namespace
