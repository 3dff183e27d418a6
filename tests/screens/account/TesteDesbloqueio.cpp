// The lock screen over a locked computer: one automatic attempt per lock 0.3 s after it
// appears, success and refusal, presses ignored while an attempt is in flight, Return, and
// sign-out through its confirmation removing what sign-out removes.
#include "ContaNaTela.h"

#include "core/Chaveiro.h"
#include "core/Configuracao.h"
#include "core/CopiaDoCofre.h"
#include "plataforma/Padroes.h"
#include "support/ContaNoServidor.h"
#include "support/Executar.h"
#include "vault/Cofre.h"

#include <QTest>

namespace {

using Fase = EstadoDoApp::Fase;

const QString email = QStringLiteral("ana@exemplo.com");

class Desbloquear : public ContaNaTela {
protected:
    void SetUp() override
    {
        ContaNaTela::SetUp();
        // A computer a previous run left signed in, with app protection on.
        const Testes::ContaComChaves conta = Testes::novaContaComChaves(email, QStringLiteral("uma senha qualquer"));
        servidor.estado().criarConta(conta.dados);
        const RespostaDeSessao sessao = Testes::sessaoDe(servidor.estado(), email);
        Chaveiro::gravar(conta.chave, QString::fromLatin1(Chaveiro::contaDaChaveDoCofre));
        CopiaDoCofre::salvar(CopiaDoCofre{1, sessao.conta, 0, {}, {}});
        ClienteDaAPI(servidor.endereco()).guardarSessao(sessao);
        idDaConta = sessao.conta.id;
        Padroes::doGrupo(grupoDoApp())->definirLogico(QString::fromLatin1(chaveDeProtegerApp), true);
        Padroes::doGrupo(grupoDoApp())->definirListaDeTextos(Cofre::chaveDaOrdem(idDaConta), {QStringLiteral("item-1")});
        // A new run over what the previous one left.
        novoEstado();
        Testes::executar(estado->comecar());
        ASSERT_EQ(estado->fase(), Fase::bloqueado);
    }

    // The lock screen as the root view shows it for the locked phase.
    QQuickItem *mostrarBloqueio()
    {
        return mostrar(importacoesDaConta + QStringLiteral(R"(
Item {
    anchors.fill: parent
    Loader {
        objectName: "carregador"
        anchors.fill: parent
        sourceComponent: Component { DesbloqueioNoMac { estado: estadoDeTeste } }
    }
})"),
                       QSize(1040, 680));
    }
    // The screen shown anew (as after another phase came and went).
    void mostrarDeNovo()
    {
        auto *carregador = achar<QObject>(QStringLiteral("carregador"));
        carregador->setProperty("active", false);
        carregador->setProperty("active", true);
    }
    // Lets the owner prompt's answer and the unlock that follows run.
    void assentar()
    {
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents();
    }

    QString idDaConta;
};

TEST_F(Desbloquear, TentativaAutomaticaUmaVezPorBloqueioRecusaESucesso)
{
    donoConfirma = false;
    ASSERT_TRUE(mostrarBloqueio());
    EXPECT_EQ(achar(QStringLiteral("emailDoBloqueio"))->property("text").toString(), email);
    EXPECT_EQ(achar(QStringLiteral("botaoDesbloquear"))->property("text").toString(),
              QStringLiteral("Desbloquear com senha do computador"));
    EXPECT_EQ(achar(QStringLiteral("botaoDesbloquear"))->property("simbolo").toString(), QStringLiteral("lock"));

    // No prompt before 0.3 s, one right after.
    avancar(290);
    EXPECT_TRUE(motivos.isEmpty());
    avancar(20);
    assentar();
    EXPECT_EQ(motivos, QStringList{QStringLiteral("Abrir o Corvane")});
    // Refused: the screen stays as it was.
    EXPECT_EQ(estado->fase(), Fase::bloqueado);
    EXPECT_TRUE(achar<QQuickItem>(QStringLiteral("botaoDesbloquear"))->isEnabled());
    capturar(QStringLiteral("desbloqueio"));

    // Shown anew, it does not prompt again by itself: only the button does.
    mostrarDeNovo();
    avancar(1000);
    assentar();
    EXPECT_EQ(motivos.size(), 1);
    donoConfirma = true;
    clicar(QStringLiteral("botaoDesbloquear"));
    assentar();
    EXPECT_EQ(motivos.size(), 2);
    EXPECT_EQ(estado->fase(), Fase::aberto);

    // The next lock brings the automatic attempt back.
    estado->bloquear();
    ASSERT_EQ(estado->fase(), Fase::bloqueado);
    mostrarDeNovo();
    avancar(310);
    assentar();
    EXPECT_EQ(motivos.size(), 3);
    EXPECT_EQ(estado->fase(), Fase::aberto);
}

TEST_F(Desbloquear, ApertosDuranteATentativaNaoFazemNada)
{
    segurarDono();
    ASSERT_TRUE(mostrarBloqueio());
    auto *botao = achar<QQuickItem>(QStringLiteral("botaoDesbloquear"));

    // From the automatic attempt's wait on, the button is busy and does nothing.
    EXPECT_FALSE(botao->isEnabled());
    EXPECT_TRUE(botao->property("ocupado").toBool());
    clicar(QStringLiteral("botaoDesbloquear"));
    avancar(310);
    assentar();
    ASSERT_EQ(motivos.size(), 1);
    capturar(QStringLiteral("desbloqueio-tentando"));
    for (int i = 0; i < 3; ++i) {
        clicar(QStringLiteral("botaoDesbloquear"));
        QTest::keyClick(janela(), Qt::Key_Return);
    }
    assentar();
    EXPECT_EQ(motivos.size(), 1) << "one prompt at a time";

    // Cancelled: the button comes back with the keyboard, and Return presses it.
    donoConfirma = false;
    liberarDono();
    assentar();
    EXPECT_TRUE(botao->isEnabled());
    EXPECT_FALSE(botao->property("ocupado").toBool());
    EXPECT_TRUE(botao->hasActiveFocus());
    donoConfirma = true;
    QTest::keyClick(janela(), Qt::Key_Return);
    assentar();
    EXPECT_EQ(motivos.size(), 2);
    EXPECT_EQ(estado->fase(), Fase::aberto);
}

TEST_F(Desbloquear, SairPelaConfirmacaoApagaEsteComputador)
{
    donoConfirma = false;
    ASSERT_TRUE(mostrarBloqueio());
    avancar(310);
    assentar();

    // Cancelled: nothing changes.
    clicar(QStringLiteral("botaoSair"));
    avancar(300);
    auto *dialogo = achar<QObject>(QStringLiteral("confirmacaoDeSaida"));
    EXPECT_TRUE(dialogo->property("visible").toBool());
    EXPECT_EQ(achar(QStringLiteral("mensagemDaConfirmacao"))->property("text").toString(),
              QStringLiteral("Os dados deste computador serão apagados. Seus itens continuam na conta."));
    // Return does not unlock behind the dialog.
    QTest::keyClick(janela(), Qt::Key_Return);
    assentar();
    EXPECT_EQ(motivos.size(), 1);
    capturar(QStringLiteral("desbloqueio-confirmacao-de-saida"));
    clicar(QStringLiteral("botaoCancelarSaida"));
    avancar(300);
    EXPECT_FALSE(dialogo->property("visible").toBool());
    EXPECT_EQ(estado->fase(), Fase::bloqueado);
    EXPECT_TRUE(Chaveiro::ler(QString::fromLatin1(Chaveiro::contaDaChaveDoCofre)));

    // "Sair": the session ends on the server and this computer's data goes.
    clicar(QStringLiteral("botaoSair"));
    avancar(300);
    clicar(QStringLiteral("botaoConfirmarSaida"));
    ASSERT_TRUE(esperarAte([this] { return estado->fase() == Fase::semConta; }));
    EXPECT_EQ(quantosPedidos(QStringLiteral("DELETE"), QStringLiteral("/v1/sessao")), 1);
    EXPECT_EQ(servidor.estado().sessoesAtivas(email), 0);
    EXPECT_FALSE(Chaveiro::ler(QString::fromLatin1(Chaveiro::contaDaChaveDoCofre)));
    EXPECT_FALSE(Chaveiro::ler(QString::fromLatin1(Chaveiro::contaDaSessao)));
    EXPECT_FALSE(CopiaDoCofre::ler());
    EXPECT_FALSE(Padroes::doGrupo(grupoDoApp())->contem(Cofre::chaveDaOrdem(idDaConta)));
    EXPECT_TRUE(esperarAte([this] { return identidades->remocoes.load() >= 1; })) << "AutoFill identities removed";
    EXPECT_FALSE(estado->conta());
}

TEST_F(Desbloquear, SemContaALinhaDoEmailFicaVaziaComOMesmoEspaco)
{
    ASSERT_TRUE(mostrarBloqueio());
    auto *linha = achar<QQuickItem>(QStringLiteral("emailDoBloqueio"));
    const double altura = linha->height();
    const double botaoY = achar<QQuickItem>(QStringLiteral("botaoDesbloquear"))->y();
    EstadoDoApp &outro = novoEstado();
    ASSERT_FALSE(outro.conta());
    // A fresh screen over a state without an account record.
    mostrarDeNovo();
    linha = achar<QQuickItem>(QStringLiteral("emailDoBloqueio"));
    EXPECT_TRUE(linha->property("text").toString().isEmpty());
    EXPECT_EQ(linha->height(), altura);
    EXPECT_EQ(achar<QQuickItem>(QStringLiteral("botaoDesbloquear"))->y(), botaoY);
}

} // namespace
