#include "TarefasDaRaiz.h"

#include "app/MarcasDaPartida.h"
#include "screens/menubar-settings/VerificadorDeAtualizacao.h"
#include "screens/vault/SituacaoDoPreenchimento.h"
#include "state/EstadoDoApp.h"

#include <QCoro/QCoroTask>
#include <QGuiApplication>
#include <QQuickWindow>

TarefasDaRaiz::TarefasDaRaiz(QObject *pai) : QObject(pai)
{
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, &TarefasDaRaiz::aoMudarEstadoDaAplicacao);
}

void TarefasDaRaiz::comecar()
{
    if (comecou_)
        return;
    comecou_ = true;
    MarcasDaPartida::marcar("tarefas");
    emit comecouMudou();
    // Each task keeps itself alive until it ends and holds its object weakly.
    [](QPointer<EstadoDoApp> estado) -> QCoro::Task<> {
        if (estado)
            co_await estado->comecar();
    }(estado_);
    if (atualizacao_)
        atualizacao_->comecarProcura();
    if (preenchimento_)
        preenchimento_->comecarAtualizacao();
    MarcasDaPartida::marcar("tarefas-iniciadas");
}

void TarefasDaRaiz::comecarDepoisDoPrimeiroQuadro(QQuickWindow *janela)
{
    if (comecou_)
        return;
    if (!janela) {
        comecar();
        return;
    }
    // Queued: the frame may be swapped on the render thread, and the work belongs on ours.
    connect(janela, &QQuickWindow::frameSwapped, this, &TarefasDaRaiz::comecar,
            Qt::ConnectionType(Qt::QueuedConnection | Qt::SingleShotConnection));
    // A window shown minimised draws nothing until it is restored: the work does not wait.
    connect(janela, &QWindow::visibilityChanged, this, [this](QWindow::Visibility visibilidade) {
        if (visibilidade == QWindow::Minimized)
            comecar();
    });
}

void TarefasDaRaiz::aoMudarEstadoDaAplicacao(Qt::ApplicationState estado)
{
    if (estado == Qt::ApplicationActive && preenchimento_)
        preenchimento_->comecarAtualizacao();
}
