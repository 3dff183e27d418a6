#include "kit/DialogoDoDono.h"
#include "servicos/Seguranca.h"
#include "support/Executar.h"
#include "support/Portao.h"

#include <gtest/gtest.h>

#include <QWindow>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <QScreen>

#include <atomic>
#include <mutex>

using namespace std::chrono_literals;

namespace {

// A password check that knows one password, records what it saw, and can be held.
class VerificadorFalso final : public VerificadorDeSenha {
public:
    explicit VerificadorFalso(QByteArray certa) : certa_(std::move(certa)) {}

    bool disponivelAgora = true;

    bool disponivel() override { return disponivelAgora; }
    bool verificar(const QString &usuario, const SenhaTemporaria &senha) override
    {
        {
            const std::lock_guard guarda(trava_);
            usuarios_.append(usuario);
            tentativas_.append(QByteArray(senha.dados(), senha.tamanho()));
            ultimaSenha_ = &senha;
            foraDaPrincipal_ = foraDaPrincipal_ && QThread::currentThread() != qApp->thread();
        }
        portao_.passar();
        return QByteArray(senha.dados(), senha.tamanho()) == certa_;
    }

    void segurar() { portao_.fechar(); }
    void soltar() { portao_.abrir(); }
    QList<QByteArray> tentativas() const
    {
        const std::lock_guard guarda(trava_);
        return tentativas_;
    }
    QStringList usuarios() const
    {
        const std::lock_guard guarda(trava_);
        return usuarios_;
    }
    bool foraDaPrincipal() const
    {
        const std::lock_guard guarda(trava_);
        return foraDaPrincipal_;
    }

private:
    QByteArray certa_;
    Testes::Portao portao_;
    mutable std::mutex trava_;
    bool foraDaPrincipal_ = true;
    QList<QByteArray> tentativas_;
    QStringList usuarios_;
    const SenhaTemporaria *ultimaSenha_ = nullptr;

public:
    // The buffer of the last check; valid while the dialog's check is still finishing.
    const SenhaTemporaria *ultimaSenha() const
    {
        const std::lock_guard guarda(trava_);
        return ultimaSenha_;
    }
};

DialogoDoDono *dialogoAberto()
{
    for (QWidget *janela : QApplication::topLevelWidgets()) {
        if (auto *dialogo = qobject_cast<DialogoDoDono *>(janela); dialogo && dialogo->isVisible())
            return dialogo;
    }
    return nullptr;
}

// Runs `passo` on the dialog once it is shown (from the event loop the awaiting test runs).
void quandoAbrir(std::function<void(DialogoDoDono *)> passo)
{
    auto *relogio = new QTimer(qApp);
    QObject::connect(relogio, &QTimer::timeout, relogio, [relogio, passo = std::move(passo)] {
        if (DialogoDoDono *dialogo = dialogoAberto()) {
            relogio->deleteLater();
            relogio->stop();
            passo(dialogo);
        }
    });
    relogio->start(5ms);
}

void digitarEConfirmar(DialogoDoDono *dialogo, const QString &senha)
{
    dialogo->campoDaSenha()->setText(senha);
    QTest::mouseClick(dialogo->botaoConfirmar(), Qt::LeftButton);
}

struct DialogoDoDono_ : ::testing::Test {
    std::shared_ptr<VerificadorFalso> verificador = std::make_shared<VerificadorFalso>("c0rreta-é");
    void TearDown() override
    {
        verificador->soltar();
        Seguranca::removerAutenticador();
    }
};

TEST_F(DialogoDoDono_, SenhaCertaConfirmaODonoAtual)
{
    quandoAbrir([](DialogoDoDono *dialogo) { digitarEConfirmar(dialogo, QStringLiteral("c0rreta-é")); });
    EXPECT_TRUE(Testes::executar(DialogoDoDono::perguntar("Abrir o Corvane", verificador), 60s));
    EXPECT_EQ(verificador->tentativas(), QList<QByteArray>{QStringLiteral("c0rreta-é").toUtf8()});
    EXPECT_EQ(verificador->usuarios(), QStringList{usuarioAtual()});
    EXPECT_FALSE(usuarioAtual().isEmpty());
    EXPECT_TRUE(verificador->foraDaPrincipal());
    EXPECT_EQ(dialogoAberto(), nullptr);
}

TEST_F(DialogoDoDono_, SenhaErradaMostraOErroEDeixaTentarDeNovo)
{
    quandoAbrir([this](DialogoDoDono *dialogo) {
        QObject::connect(dialogo, &DialogoDoDono::senhaRecusada, dialogo, [this, dialogo] {
            // Told right after the check, while its buffer still exists: already wiped.
            ASSERT_NE(verificador->ultimaSenha(), nullptr);
            EXPECT_TRUE(verificador->ultimaSenha()->apagada());
            EXPECT_TRUE(dialogo->isVisible());
            EXPECT_TRUE(dialogo->mensagemDeErro()->isVisibleTo(dialogo));
            EXPECT_EQ(dialogo->mensagemDeErro()->text(), "Senha incorreta. Tente de novo.");
            EXPECT_TRUE(dialogo->campoDaSenha()->text().isEmpty());
            EXPECT_TRUE(dialogo->campoDaSenha()->isEnabled());
            digitarEConfirmar(dialogo, QStringLiteral("c0rreta-é"));
        });
        digitarEConfirmar(dialogo, QStringLiteral("errada"));
    });
    EXPECT_TRUE(Testes::executar(DialogoDoDono::perguntar("Abrir o Corvane", verificador), 60s));
    EXPECT_EQ(verificador->tentativas(), (QList<QByteArray>{"errada", QStringLiteral("c0rreta-é").toUtf8()}));
}

// The extension's direct request asks before its sheet is shown: the prompt belongs to the sheet
// (transient for it) and is put back on top, focused, when the sheet appears.
TEST_F(DialogoDoDono_, PerguntaPertenceAJanelaDeCimaEVoltaParaCimaQuandoElaAparece)
{
    QWindow folha;
    folha.resize(200, 200);
    DialogoDoDono::ficarSobre(&folha);
    bool conferiu = false;
    quandoAbrir([&folha, &conferiu](DialogoDoDono *dialogo) {
        EXPECT_EQ(dialogo->windowHandle()->transientParent(), &folha);
        folha.show();
        EXPECT_TRUE(QTest::qWaitFor([dialogo] { return QGuiApplication::focusWindow() == dialogo->windowHandle(); },
                                    5000));
        conferiu = true;
        QTest::mouseClick(dialogo->botaoCancelar(), Qt::LeftButton);
    });
    EXPECT_FALSE(Testes::executar(DialogoDoDono::perguntar("Abrir o Corvane", verificador), 60s));
    EXPECT_TRUE(conferiu);

    // Once the window is gone, a prompt belongs to nothing.
    folha.destroy();
    DialogoDoDono::ficarSobre(nullptr);
    quandoAbrir([](DialogoDoDono *dialogo) {
        EXPECT_EQ(dialogo->windowHandle()->transientParent(), nullptr);
        QTest::mouseClick(dialogo->botaoCancelar(), Qt::LeftButton);
    });
    EXPECT_FALSE(Testes::executar(DialogoDoDono::perguntar("Abrir o Corvane", verificador), 60s));
}

TEST_F(DialogoDoDono_, DialogoDeTamanhoFixoSobreAJanelaQuePediu)
{
    // Tiling compositors float a transient of fixed size instead of tiling it as a main window.
    QWindow pedinte;
    pedinte.resize(400, 300);
    pedinte.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pedinte));
    QWindow *pai = nullptr;
    QSize minimo, maximo, tamanho;
    quandoAbrir([&](DialogoDoDono *dialogo) {
        pai = dialogo->windowHandle()->transientParent();
        minimo = dialogo->minimumSize();
        maximo = dialogo->maximumSize();
        tamanho = dialogo->size();
        dialogo->reject();
    });
    EXPECT_FALSE(Testes::executar(DialogoDoDono::perguntar("Abrir o Corvane", verificador), 60s));
    EXPECT_EQ(pai, &pedinte);
    EXPECT_EQ(minimo, maximo);
    EXPECT_EQ(tamanho, minimo);
    EXPECT_GT(tamanho.width(), 0);
}

TEST_F(DialogoDoDono_, CancelarRecusaSemVerificar)
{
    quandoAbrir([](DialogoDoDono *dialogo) {
        dialogo->campoDaSenha()->setText("c0rreta-é");
        QTest::mouseClick(dialogo->botaoCancelar(), Qt::LeftButton);
    });
    EXPECT_FALSE(Testes::executar(DialogoDoDono::perguntar("Abrir o Corvane", verificador), 60s));
    EXPECT_TRUE(verificador->tentativas().isEmpty());
}

TEST_F(DialogoDoDono_, AJanelaSegueRespondendoEnquantoVerifica)
{
    verificador->segurar();
    auto batidas = std::make_shared<int>(0);
    quandoAbrir([this, batidas](DialogoDoDono *dialogo) {
        digitarEConfirmar(dialogo, QStringLiteral("c0rreta-é"));
        EXPECT_TRUE(dialogo->verificando());
        EXPECT_FALSE(dialogo->botaoConfirmar()->isEnabled());
        EXPECT_TRUE(dialogo->campoDaSenha()->text().isEmpty());
        // The event loop keeps running while the check is held on its worker thread.
        auto *relogio = new QTimer(dialogo);
        QObject::connect(relogio, &QTimer::timeout, dialogo, [this, batidas, relogio] {
            if (++*batidas == 5) {
                relogio->stop();
                verificador->soltar();
            }
        });
        relogio->start(10ms);
    });
    EXPECT_TRUE(Testes::executar(DialogoDoDono::perguntar("Abrir o Corvane", verificador), 60s));
    EXPECT_EQ(*batidas, 5);
}

// Return in the field, as a keyboard user gives it: the window is active, so the focus moves
// and buttons react exactly as on a desktop.
void digitarEDarReturn(DialogoDoDono *dialogo, const QString &senha)
{
    QApplication::setActiveWindow(dialogo);
    dialogo->campoDaSenha()->setFocus(Qt::OtherFocusReason);
    dialogo->campoDaSenha()->setText(senha);
    QTest::keyClick(dialogo->campoDaSenha(), Qt::Key_Return);
}

TEST_F(DialogoDoDono_, ReturnConfirmaEConfirmarSegueOPadraoEnquantoVerifica)
{
    verificador->segurar();
    quandoAbrir([this](DialogoDoDono *dialogo) {
        digitarEDarReturn(dialogo, QStringLiteral("c0rreta-é"));
        EXPECT_TRUE(dialogo->isVisible()) << "Return não pode cancelar";
        EXPECT_TRUE(dialogo->verificando());
        EXPECT_TRUE(dialogo->botaoConfirmar()->isDefault());
        EXPECT_FALSE(dialogo->botaoCancelar()->isDefault());
        EXPECT_EQ(QApplication::focusWidget(), dialogo->campoDaSenha()) << "o foco fica no campo";
        // Another Return while checking neither cancels nor checks twice.
        QTest::keyClick(dialogo->campoDaSenha(), Qt::Key_Return);
        QTest::keyClick(dialogo, Qt::Key_Return);
        EXPECT_TRUE(dialogo->isVisible());
        verificador->soltar();
    });
    EXPECT_TRUE(Testes::executar(DialogoDoDono::perguntar("Abrir o Corvane", verificador), 60s));
    EXPECT_EQ(verificador->tentativas().size(), 1);
}

TEST_F(DialogoDoDono_, RecusaPorReturnDevolveOFocoECabeNoDialogo)
{
    quandoAbrir([this](DialogoDoDono *dialogo) {
        QObject::connect(dialogo, &DialogoDoDono::senhaRecusada, dialogo, [dialogo] {
            EXPECT_EQ(QApplication::focusWidget(), dialogo->campoDaSenha());
            EXPECT_FALSE(dialogo->campoDaSenha()->isReadOnly());
            EXPECT_TRUE(dialogo->botaoConfirmar()->isDefault());
            // Every text is shown whole: no label is shorter than its wrapped text needs.
            for (QLabel *rotulo : dialogo->findChildren<QLabel *>()) {
                if (!rotulo->isVisibleTo(dialogo))
                    continue;
                SCOPED_TRACE(rotulo->text().toStdString());
                EXPECT_TRUE(rotulo->wordWrap());
                EXPECT_GE(rotulo->height(), rotulo->heightForWidth(rotulo->width()));
                EXPECT_LE(rotulo->geometry().bottom(), dialogo->rect().bottom());
            }
            // The user's next keys land in the field; Return then confirms.
            QTest::keyClicks(dialogo->campoDaSenha(), QStringLiteral("c0rreta"));
            dialogo->campoDaSenha()->insert(QStringLiteral("-é"));
            QTest::keyClick(dialogo->campoDaSenha(), Qt::Key_Return);
        });
        digitarEDarReturn(dialogo, QStringLiteral("errada"));
    });
    EXPECT_TRUE(Testes::executar(DialogoDoDono::perguntar("Abrir o Corvane", verificador), 60s));
    EXPECT_EQ(verificador->tentativas(), (QList<QByteArray>{"errada", QStringLiteral("c0rreta-é").toUtf8()}));
}

TEST_F(DialogoDoDono_, AbreCentradoSobreAJanelaDaFrente)
{
    QWindow janela;
    janela.setGeometry(QRect(QPoint(120, 90), QSize(700, 500)));
    janela.show();
    janela.requestActivate();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&janela));
    ASSERT_TRUE(QTest::qWaitForWindowActive(&janela));
    quandoAbrir([&janela](DialogoDoDono *dialogo) {
        ASSERT_NE(dialogo->windowHandle(), nullptr);
        EXPECT_EQ(dialogo->windowHandle()->transientParent(), &janela);
        const QPoint distancia = dialogo->frameGeometry().center() - janela.frameGeometry().center();
        EXPECT_LE(distancia.manhattanLength(), 4) << "centrado sobre a janela que desbloqueia";
        EXPECT_TRUE(janela.screen()->availableGeometry().contains(dialogo->frameGeometry()));
        QTest::mouseClick(dialogo->botaoCancelar(), Qt::LeftButton);
    });
    EXPECT_FALSE(Testes::executar(DialogoDoDono::perguntar("Abrir o Corvane", verificador), 60s));
}

TEST(SenhaTemporaria, TomaOTextoEApagaSe)
{
    QString texto = QStringLiteral("segredo");
    auto senha = std::make_shared<SenhaTemporaria>(texto);
    // The caller's text is wiped as the buffer takes it.
    EXPECT_TRUE(texto.isEmpty());
    EXPECT_EQ(QByteArray(senha->dados(), senha->tamanho()), "segredo");
    EXPECT_FALSE(senha->apagada());
    senha->apagar();
    EXPECT_TRUE(senha->apagada());
    EXPECT_EQ(senha->dados()[0], '\0');
}

TEST_F(DialogoDoDono_, UmaPerguntaDeCadaVez)
{
    verificador->segurar();
    quandoAbrir([this](DialogoDoDono *dialogo) {
        // A second request while this one is open is refused at once, without a new dialog.
        auto segunda = std::make_shared<std::optional<bool>>();
        auto tarefa = [](std::shared_ptr<VerificadorFalso> v,
                         std::shared_ptr<std::optional<bool>> em) -> QCoro::Task<> {
            *em = co_await DialogoDoDono::perguntar("Mostrar suas senhas e notas", v);
        };
        (void)tarefa(verificador, segunda);
        EXPECT_EQ(*segunda, std::optional<bool>(false));
        verificador->soltar();
        digitarEConfirmar(dialogo, QStringLiteral("c0rreta-é"));
    });
    EXPECT_TRUE(Testes::executar(DialogoDoDono::perguntar("Abrir o Corvane", verificador), 60s));
    // And once closed, the next request opens a dialog again.
    quandoAbrir([](DialogoDoDono *dialogo) { QTest::mouseClick(dialogo->botaoCancelar(), Qt::LeftButton); });
    EXPECT_FALSE(Testes::executar(DialogoDoDono::perguntar("Abrir o Corvane", verificador), 60s));
}

TEST_F(DialogoDoDono_, RegistradoViraAAutenticacaoDoDono)
{
    DialogoDoDono::registrar(verificador);
    EXPECT_TRUE(Seguranca::podeAutenticar());
    verificador->disponivelAgora = false;
    EXPECT_FALSE(Seguranca::podeAutenticar());
    EXPECT_FALSE(Testes::executar(autenticarDono("Abrir o Corvane"), 60s));
    EXPECT_EQ(dialogoAberto(), nullptr);

    verificador->disponivelAgora = true;
    quandoAbrir([](DialogoDoDono *dialogo) {
        EXPECT_TRUE(dialogo->isModal());
        digitarEConfirmar(dialogo, QStringLiteral("c0rreta-é"));
    });
    EXPECT_TRUE(Testes::executar(autenticarDono("Abrir o Corvane"), 60s));
}

} // namespace
