#include "Desbloqueio.h"

#include "servicos/Seguranca.h"
#include "servicos/TextosDoComputador.h"
#include "state/EstadoDoApp.h"

Desbloqueio::Desbloqueio(QObject *pai) : QObject(pai) {}

void Desbloqueio::definirEstado(EstadoDoApp *estado)
{
    if (estado_ == estado)
        return;
    disconnect(contaMudou_);
    estado_ = estado;
    if (estado_)
        contaMudou_ = connect(estado_, &EstadoDoApp::contaMudou, this, &Desbloqueio::emailMudou);
    emit estadoMudou();
    emit emailMudou();
}

QString Desbloqueio::email() const
{
    if (!estado_ || !estado_->conta())
        return {};
    return estado_->conta()->email;
}

QString Desbloqueio::textoDoBotao()
{
    return QStringLiteral("Desbloquear com ") + nome(tipoDeBiometria());
}

QString Desbloqueio::simboloDoBotao()
{
    return simbolo(tipoDeBiometria());
}

QString Desbloqueio::mensagemDaSaida()
{
    return noComputador(u"Os dados deste Mac serão apagados. Seus itens continuam na conta.");
}

void Desbloqueio::definirConfirmandoSaida(bool valor)
{
    if (confirmandoSaida_ == valor)
        return;
    confirmandoSaida_ = valor;
    emit confirmandoSaidaMudou();
}

void Desbloqueio::aparecer()
{
    // Only locking sets the flag again, so a screen shown anew after a cancelled prompt waits
    // for the button.
    if (!estado_ || tentando_ || !estado_->podeTentarDesbloquearSozinho())
        return;
    (void)tentar(true);
}

void Desbloqueio::desbloquear()
{
    if (!estado_ || tentando_)
        return;
    (void)tentar(false);
}

QCoro::Task<> Desbloqueio::tentar(bool automatica)
{
    const QPointer<EstadoDoApp> estado = estado_;
    const QPointer<Desbloqueio> vivo(this);
    definirTentando(true);
    // The outcome shows as the phase: open, or signed out when this computer's data was gone;
    // a refused or cancelled prompt leaves the screen as it was.
    bool aberto = false;
    if (automatica)
        aberto = co_await estado->tentarDesbloquearSozinho();
    else
        aberto = co_await estado->desbloquear();
    if (vivo) {
        definirTentando(false);
        if (!aberto)
            emit focoPedido();
    }
}

void Desbloqueio::sair()
{
    definirConfirmandoSaida(false);
    if (estado_)
        (void)estado_->sair(); // not awaited: the phase change replaces this screen
}

void Desbloqueio::definirTentando(bool valor)
{
    if (tentando_ == valor)
        return;
    tentando_ = valor;
    emit tentandoMudou();
}
