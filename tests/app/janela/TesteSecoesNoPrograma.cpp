// The program's vault window puts the real password and note sections behind the gate: a new
// account, once the owner releases them, shows each section's own empty state.
#include "ProgramaNaTela.h"

#include "screens/vault/JanelaDoCofre.h"
#include "support/Executar.h"
#include "support/quick/BuscaVisual.h"

#include <QQuickItem>
#include <QTest>

namespace {

using SecoesNoPrograma = ProgramaNaTela;

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
                QQuickItem *vazio = itemChamado(raiz, QLatin1String(caso.vazio));
                titulo = itemChamado(vazio, QStringLiteral("tituloDoVazio"));
                return titulo != nullptr;
            },
            10000));
        if (titulo) {
            EXPECT_EQ(titulo->property("text").toString(), QString::fromUtf8(caso.titulo));
        }
    }
}

} // namespace
