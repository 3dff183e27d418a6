#include "ContaNaTela.h"

void ContaNaTela::definirEstado(EstadoDoApp *estado)
{
    if (estado_ == estado)
        return;
    disconnect(ligacao_);
    estado_ = estado;
    if (estado_)
        ligacao_ = connect(estado_, &EstadoDoApp::contaMudou, this, &ContaNaTela::contaMudou);
    emit estadoMudou();
    emit contaMudou();
}

QString ContaNaTela::inicial() const
{
    return estado_ && estado_->conta() ? estado_->conta()->inicial() : QStringLiteral("?");
}

QString ContaNaTela::nome() const
{
    return estado_ && estado_->conta() ? estado_->conta()->primeiroNome() : QStringLiteral("Sua conta");
}

QString ContaNaTela::email() const { return estado_ && estado_->conta() ? estado_->conta()->email : QString(); }
