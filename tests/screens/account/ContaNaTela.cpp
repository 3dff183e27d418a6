#include "ContaNaTela.h"

#include <QCoro/QCoroFuture>
#include <QCoro/QCoroSignal>
#include <QTest>

namespace {

// The state's short waits, on the test's clock: they end when the test steps past them.
QCoro::Task<> esperarNoRelogio(Relogio *relogio, std::chrono::milliseconds duracao)
{
    std::unique_ptr<Contagem> contagem(relogio->novaContagem(nullptr));
    contagem->iniciar(duracao);
    co_await qCoro(contagem.get(), &Contagem::terminou);
}

} // namespace

void ContaNaTela::SetUp()
{
    Seguranca::registrarAutenticador([this](QString motivo) -> QCoro::Task<bool> {
        motivos.append(motivo);
        if (portaoDoDono) {
            const QFuture<void> espera = portaoDoDono->future();
            co_await espera;
        }
        co_return donoConfirma;
    });
    TelaComServidor::SetUp();
    novoEstado();
}

void ContaNaTela::TearDown()
{
    liberarDono();
    TelaComServidor::TearDown();
}

EstadoDoApp &ContaNaTela::novoEstado()
{
    AmbienteDoEstado ambiente = ambienteDeTeste();
    Relogio *const doTeste = &relogio;
    ambiente.esperar = [doTeste](std::chrono::milliseconds duracao) { return esperarNoRelogio(doTeste, duracao); };
    return criarEstado(std::move(ambiente));
}

void ContaNaTela::avancar(int ms)
{
    relogio.avancar(std::chrono::milliseconds(ms));
    TesteQuick::avancar(ms);
}

void ContaNaTela::clicar(const QString &nome)
{
    auto *item = achar<QQuickItem>(nome);
    ASSERT_TRUE(item) << nome.toStdString();
    QTest::mouseClick(janela(), Qt::LeftButton, {}, centro(item));
}

void ContaNaTela::preencher(const QString &campo, const QString &texto)
{
    auto *item = achar<QQuickItem>(campo);
    ASSERT_TRUE(item) << campo.toStdString();
    auto *entrada = item->findChild<QQuickItem *>(QStringLiteral("entrada"));
    ASSERT_TRUE(entrada);
    QTest::mouseClick(janela(), Qt::LeftButton, {}, centro(entrada));
    ASSERT_TRUE(entrada->hasActiveFocus()) << campo.toStdString();
    // Erased key by key: a masked field keeps no selection to type over.
    QTest::keyClick(janela(), Qt::Key_End);
    for (qsizetype i = entrada->property("text").toString().size(); i > 0; --i)
        QTest::keyClick(janela(), Qt::Key_Backspace);
    if (!texto.isEmpty())
        QTest::sendKeyEvent(QTest::KeyAction::Click, janela(), Qt::Key_unknown, texto, {});
}

QJsonObject ContaNaTela::corpoDoPedido(const QString &metodo, const QString &caminho) const
{
    QJsonObject corpo;
    for (const Servidor::PedidoRegistrado &pedido : servidor.pedidos(metodo, caminho)) {
        if (pedido.caminho == caminho)
            corpo = pedido.json();
    }
    return corpo;
}

int ContaNaTela::quantosPedidos(const QString &metodo, const QString &caminho) const
{
    int quantos = 0;
    for (const Servidor::PedidoRegistrado &pedido : servidor.pedidos(metodo, caminho))
        quantos += pedido.caminho == caminho ? 1 : 0;
    return quantos;
}

void ContaNaTela::segurarDono()
{
    portaoDoDono.emplace();
    portaoDoDono->start();
}

void ContaNaTela::liberarDono()
{
    if (!portaoDoDono)
        return;
    portaoDoDono->finish();
    portaoDoDono.reset();
}
