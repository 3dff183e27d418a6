// The program on a real Wayland desktop (scripts/com-wayland: headless sway with the real
// portals), natively: the main window maps as a Wayland window and draws, and a concealed copy
// carries the marker other Wayland clients see and is gone from the clipboard 30 seconds later,
// though the compositor hands our own selection back to us.
#include "SessaoWayland.h"
#include "screens/comum/AreaDeTransferencia.h"
#include "support/DiretorioTemporario.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QJsonObject>
#include <QGuiApplication>
#include <QPainter>
#include <QProcess>
#include <QRasterWindow>
#include <QTest>

using namespace std::chrono_literals;

namespace {

class JanelaSimples final : public QRasterWindow {
protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).fillRect(QRect(QPoint(), size()), QColor(0xf3f6fd)); }
};

// Starts the application natively on the session's Wayland display with the file store (this
// throw-away session has no keyring), `ambiente` being the rest of its environment.
void iniciar(QProcess &corvane, QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment())
{
    ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    corvane.setProcessEnvironment(ambiente);
    corvane.start(QStringLiteral(CORVANE_PROGRAMA_APLICATIVO), {QStringLiteral("--armazenamento-de-segredos"), QStringLiteral("arquivo")});
}

// Ends the program when the test does, also when an assertion leaves it early.
class Encerrar {
public:
    explicit Encerrar(QProcess &programa) : programa_(programa) {}
    Encerrar(const Encerrar &) = delete;
    Encerrar &operator=(const Encerrar &) = delete;
    ~Encerrar()
    {
        programa_.terminate();
        if (!programa_.waitForFinished(10'000)) {
            programa_.kill();
            programa_.waitForFinished();
        }
    }

private:
    QProcess &programa_;
};

} // namespace

TEST(NoWayland, JanelaPrincipalAbreNativaEDesenha)
{
    EXIGIR_SESSAO_WAYLAND();
    const DiretorioTemporario pasta;
    QProcess corvane;
    corvane.setProcessChannelMode(QProcess::ForwardedChannels);
    iniciar(corvane);
    const Encerrar encerrar(corvane);
    ASSERT_TRUE(corvane.waitForStarted());
    const auto janela = SessaoWayland::janela(QStringLiteral("corvane"));
    ASSERT_TRUE(janela.has_value()) << "no window with app_id corvane mapped";
    // Native: an xdg-shell surface of our own, not an XWayland window.
    EXPECT_EQ(janela->value(QStringLiteral("shell")).toString(), QStringLiteral("xdg_shell"));
    const QRect area = SessaoWayland::retangulo(*janela);
    EXPECT_GE(area.width(), 600);
    EXPECT_GE(area.height(), 400);
    // Its first frames: the window has drawn once it shows more than a flat fill, and its
    // screen once the padlock is there (the menu bar alone comes first).
    QImage imagem;
    QElapsedTimer tempo;
    tempo.start();
    do {
        QTest::qWait(500);
        imagem = SessaoWayland::capturar(QStringLiteral("wayland-janela-do-cofre"), area);
    } while ((SessaoWayland::cores(imagem) < 16 || !SessaoWayland::centroDoAzul(imagem)) && tempo.elapsed() < 15'000);
    EXPECT_FALSE(imagem.isNull());
    EXPECT_GE(SessaoWayland::cores(imagem), 16) << "the window drew nothing";
    const auto cadeado = SessaoWayland::centroDoAzul(imagem);
    ASSERT_TRUE(cadeado.has_value()) << "the window's screen did not draw";
    EXPECT_NEAR(*cadeado, imagem.width() / 2.0, 6);
}

TEST(NoWayland, NumaColunaMaisEstreitaQueOMinimoDesenhaNoTamanhoDado)
{
    EXIGIR_SESSAO_WAYLAND();
    const DiretorioTemporario pasta;
    QProcess corvane;
    corvane.setProcessChannelMode(QProcess::ForwardedChannels);
    iniciar(corvane);
    const Encerrar encerrar(corvane);
    ASSERT_TRUE(corvane.waitForStarted());
    ASSERT_TRUE(SessaoWayland::janela(QStringLiteral("corvane")).has_value());
    // A second window beside it: the 1600-point output is split in two 800-point columns,
    // narrower than the window's 860-point minimum.
    JanelaSimples vizinha;
    vizinha.resize(320, 200);
    vizinha.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&vizinha));
    QJsonObject no;
    QElapsedTimer tempo;
    tempo.start();
    do {
        QTest::qWait(300);
        no = SessaoWayland::janela(QStringLiteral("corvane")).value_or(QJsonObject());
    } while (SessaoWayland::retangulo(no).width() > 800 && tempo.elapsed() < 10'000);
    const QRect coluna = SessaoWayland::retangulo(no);
    EXPECT_LE(coluna.width(), 800);
    QTest::qWait(1000);
    // The waiting screen's padlock sits in the middle of the window: in the middle of the
    // column when the window took the column's width, further right when it kept its minimum
    // and the compositor cropped it.
    const QImage imagem = SessaoWayland::capturar(QStringLiteral("wayland-janela-estreita"), coluna);
    ASSERT_FALSE(imagem.isNull());
    const auto meio = SessaoWayland::centroDoAzul(imagem);
    ASSERT_TRUE(meio.has_value()) << "no padlock in the shot";
    EXPECT_NEAR(*meio, imagem.width() / 2.0, 6) << "the window is wider than its column (cropped)";
}

TEST(NoWayland, CopiaProtegidaLevaAMarcaESomeEm30Segundos)
{
    EXIGIR_SESSAO_WAYLAND();
    // A mapped window gives the application its seat, as the vault window does.
    JanelaSimples janela;
    janela.resize(320, 200);
    janela.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&janela));
    // The click that copies: the compositor takes a selection only from a client it has given
    // input to.
    const auto mapeada = SessaoWayland::janela(QCoreApplication::applicationName());
    ASSERT_TRUE(mapeada.has_value());
    ASSERT_TRUE(SessaoWayland::clicar(SessaoWayland::retangulo(*mapeada).center()));
    QTest::qWait(200);

    AreaDeTransferencia area; // the system's clock: 30 real seconds
    QElapsedTimer desdeACopia;
    area.copiarProtegido(QStringLiteral("482913"));
    desdeACopia.start();
    const qint64 mudancasDaCopia = area.contagemDeMudancas();

    const QStringList tipos = SessaoWayland::tiposNaAreaDeTransferencia();
    EXPECT_TRUE(tipos.contains(QString::fromLatin1(AreaDeTransferencia::tipoDaMarca))) << tipos.join(' ').toStdString();
    EXPECT_EQ(SessaoWayland::textoNaAreaDeTransferencia(), QByteArray("482913"));
    // The compositor has handed our own selection back by now; it is still ours.
    QTest::qWait(500);
    EXPECT_GT(area.contagemDeMudancas(), mudancasDaCopia) << "no echo of our own selection was seen";
    EXPECT_TRUE(area.aindaENossa());

    while (desdeACopia.elapsed() < 27'000)
        QTest::qWait(250);
    EXPECT_EQ(SessaoWayland::textoNaAreaDeTransferencia(), QByteArray("482913")) << "wiped too early";
    while (desdeACopia.elapsed() < 32'000)
        QTest::qWait(250);
    EXPECT_TRUE(SessaoWayland::textoNaAreaDeTransferencia().isEmpty()) << "the secret is still on the clipboard";
    EXPECT_FALSE(SessaoWayland::tiposNaAreaDeTransferencia().contains(QString::fromLatin1(AreaDeTransferencia::tipoDaMarca)));
}

TEST(NoWayland, SegundaPartidaPassaSeuTokenDeAtivacaoAJanelaQueJaRoda)
{
    EXIGIR_SESSAO_WAYLAND();
    const DiretorioTemporario pasta;
    QProcess corvane;
    auto ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.remove(QStringLiteral("XDG_ACTIVATION_TOKEN"));
    // The client's side of the protocol on its error output: the activation request shows there
    // with the token it carries.
    ambiente.insert(QStringLiteral("WAYLAND_DEBUG"), QStringLiteral("client"));
    iniciar(corvane, ambiente);
    const Encerrar encerrar(corvane);
    ASSERT_TRUE(corvane.waitForStarted());
    ASSERT_TRUE(SessaoWayland::janela(QStringLiteral("corvane")).has_value());
    QByteArray protocolo;
    const auto pedidoDeAtivacao = [&](const QByteArray &token) {
        protocolo += corvane.readAllStandardError();
        return protocolo.contains("xdg_activation_v1@") && protocolo.contains(".activate(\"" + token + "\"");
    };

    // As a launcher starts a program: with a token in its environment.
    const QByteArray token = "corvane-teste-7f3a9c";
    QProcess segunda;
    auto ambienteDaSegunda = QProcessEnvironment::systemEnvironment();
    ambienteDaSegunda.insert(QStringLiteral("XDG_ACTIVATION_TOKEN"), QString::fromLatin1(token));
    segunda.setProcessChannelMode(QProcess::ForwardedChannels);
    iniciar(segunda, ambienteDaSegunda);
    ASSERT_TRUE(segunda.waitForStarted());
    EXPECT_TRUE(QTest::qWaitFor([&] { return segunda.state() == QProcess::NotRunning; }, 20'000));
    EXPECT_EQ(segunda.exitCode(), 0) << "the second start did not hand over and leave";
    EXPECT_TRUE(QTest::qWaitFor([&] { return pedidoDeAtivacao(token); }, 10'000))
        << "the running window did not ask for activation with the second start's token";
}
