#include "app/servicos/CentralDeAvisos.h"

CentralDeAvisos::CentralDeAvisos(QObject *parent, std::chrono::milliseconds duracao) : QObject(parent)
{
    esconder_.setSingleShot(true);
    esconder_.setTimerType(Qt::PreciseTimer);
    esconder_.setInterval(duracao);
    connect(&esconder_, &QTimer::timeout, this, [this] { definirAtual(std::nullopt); });
}

void CentralDeAvisos::mostrar(const QString &texto, const QString &simbolo)
{
    // Stopping before showing means the old countdown can no longer fire for the new toast.
    esconder_.stop();
    definirAtual(Aviso{QUuid::createUuid(), texto, simbolo});
    esconder_.start();
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
