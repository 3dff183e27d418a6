#include "LacoDaVitrine.h"

#include "kit/MovimentoReduzido.h"

LacoDaVitrine::LacoDaVitrine(QObject *parent) : QObject(parent), espera_(1000)
{
    espera_.setLoopCount(-1);
    // Each wrap of the endless pause is one finished sleep; a frame that crosses several
    // boundaries at once still counts every one of them.
    connect(&espera_, &QAbstractAnimation::currentLoopChanged, this, [this](int volta) {
        if (volta == passos_)
            return;
        passos_ = volta;
        emit passosMudaram();
    });
    connect(&espera_, &QAbstractAnimation::stateChanged, this, &LacoDaVitrine::contandoMudou);
}

void LacoDaVitrine::definirRodando(bool rodando)
{
    if (rodando == rodando_)
        return;
    rodando_ = rodando;
    if (rodando_)
        iniciar();
    else if (espera_.state() == QAbstractAnimation::Running)
        espera_.pause();
    emit rodandoMudou();
}

void LacoDaVitrine::componentComplete()
{
    criando_ = false;
    if (rodando_)
        iniciar();
}

void LacoDaVitrine::definirIntervalo(int intervalo)
{
    if (intervalo == espera_.duration() || intervalo <= 0)
        return;
    espera_.setDuration(intervalo);
    emit intervaloMudou();
}

void LacoDaVitrine::iniciar()
{
    if (criando_)
        return;
    if (respeitaMovimentoReduzido_ && MovimentoReduzido::instancia().ativo())
        return;
    if (espera_.state() == QAbstractAnimation::Paused)
        espera_.resume();
    else
        espera_.start();
}
