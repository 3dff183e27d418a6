#include "AcoesDoCofre.h"

void AcoesDoCofre::definirEstado(EstadoDoApp *estado)
{
    if (estado_ == estado)
        return;
    disconnect(ligacao_);
    estado_ = estado;
    if (estado_)
        ligacao_ = connect(estado_->preferencias(), &Preferencias::protegerAppMudou, this,
                           &AcoesDoCofre::podeBloquearMudou);
    emit estadoMudou();
    emit podeBloquearMudou();
}

bool AcoesDoCofre::podeBloquear() const { return estado_ && estado_->preferencias()->protegerApp(); }

void AcoesDoCofre::sincronizar()
{
    if (!estado_)
        return;
    [](QPointer<Cofre> cofre) -> QCoro::Task<> {
        if (cofre)
            co_await cofre->sincronizar();
    }(estado_->cofre());
}

void AcoesDoCofre::bloquear()
{
    if (estado_)
        estado_->bloquear();
}

void AcoesDoCofre::sair()
{
    if (!estado_)
        return;
    [](QPointer<EstadoDoApp> estado) -> QCoro::Task<> {
        if (estado)
            co_await estado->sair();
    }(estado_);
}

void AcoesDoCofre::liberarSecoes()
{
    if (!estado_)
        return;
    [](QPointer<EstadoDoApp> estado) -> QCoro::Task<> {
        if (estado)
            static_cast<void>(co_await estado->liberarSecoes());
    }(estado_);
}
