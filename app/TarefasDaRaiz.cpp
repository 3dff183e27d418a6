#include "TarefasDaRaiz.h"

#include "app/SituacaoDoPreenchimento.h"
#include "app/VerificadorDeAtualizacao.h"
#include "state/EstadoDoApp.h"

#include <QCoro/QCoroTask>
#include <QGuiApplication>

TarefasDaRaiz::TarefasDaRaiz(QObject *pai) : QObject(pai)
{
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, &TarefasDaRaiz::aoMudarEstadoDaAplicacao);
}

void TarefasDaRaiz::comecar()
{
    if (comecou_)
        return;
    comecou_ = true;
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
}

void TarefasDaRaiz::aoMudarEstadoDaAplicacao(Qt::ApplicationState estado)
{
    if (estado == Qt::ApplicationActive && preenchimento_)
        preenchimento_->comecarAtualizacao();
}
