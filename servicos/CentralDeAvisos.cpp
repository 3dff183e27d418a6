#include "servicos/CentralDeAvisos.h"

CentralDeAvisos::CentralDeAvisos(QObject *parent, Relogio *relogio)
    : QObject(parent), esconder_((relogio ? *relogio : Relogio::doSistema()).novaContagem(this))
{
    connect(esconder_, &Contagem::terminou, this, [this] { definirAtual(std::nullopt); });
}

void CentralDeAvisos::mostrar(const QString &texto, const QString &simbolo)
{
    // Stopping before showing means the old countdown can no longer fire for the new toast.
    esconder_->parar();
    definirAtual(Aviso{QUuid::createUuid(), texto, simbolo});
    esconder_->iniciar(duracao);
}

void CentralDeAvisos::definirAtual(const std::optional<Aviso> &aviso)
{
    if (aviso == atual_)
        return;
    atual_ = aviso;
    emit atualMudou();
}

void CentralDeAvisos::definirContadorDeCopias(qint64 valor)
{
    if (valor == contadorDeCopias_)
        return;
    contadorDeCopias_ = valor;
    emit contadorDeCopiasMudou();
}
