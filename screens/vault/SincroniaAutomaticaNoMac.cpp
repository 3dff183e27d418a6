#include "SincroniaAutomaticaNoMac.h"

#include "RegrasDaSincronia.h"
#include "kit/RelogioDasTelas.h"

#include <QGuiApplication>
#include <QWindow>

SincroniaAutomaticaNoMac::SincroniaAutomaticaNoMac(QObject *pai) : QObject(pai) {}

SincroniaAutomaticaNoMac::~SincroniaAutomaticaNoMac()
{
    // A pass still awaiting its sync sees the pointer cleared and does nothing more.
    encerrada_ = true;
}

void SincroniaAutomaticaNoMac::definirEstado(EstadoDoApp *estado)
{
    if (estado_ == estado)
        return;
    estado_ = estado;
    emit estadoMudou();
    if (completo_)
        comecar();
}

void SincroniaAutomaticaNoMac::componentComplete()
{
    completo_ = true;
    comecar();
}

void SincroniaAutomaticaNoMac::comecar()
{
    // Once: the store is the one the window appeared with; another store needs another window.
    if (comecou_ || encerrada_ || !estado_ || !estado_->cofre())
        return;
    comecou_ = true;
    cofre_ = estado_->cofre();
    inicioDoSono_ = RelogioDasTelas::instancia().agora();
    connect(&RelogioDasTelas::instancia(), &RelogioDasTelas::agoraMudou, this,
            &SincroniaAutomaticaNoMac::aoPassarOTempo);
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &SincroniaAutomaticaNoMac::aoFocarJanela);
    connect(estado_, &EstadoDoApp::cofreMudou, this, &SincroniaAutomaticaNoMac::aoTrocarDeCofre);
    emit ativaMudou();
}

void SincroniaAutomaticaNoMac::aoTrocarDeCofre()
{
    // A sign-in again may open a fresh store while this window stays up: the loop moves to it
    // and sleeps its full period first. Without an open store it ends.
    if (encerrada_)
        return;
    if (!estado_ || estado_->fase() != EstadoDoApp::Fase::aberto || !estado_->cofre()) {
        cancelar();
        return;
    }
    cofre_ = estado_->cofre();
    inicioDoSono_ = RelogioDasTelas::instancia().agora();
}

void SincroniaAutomaticaNoMac::cancelar()
{
    if (encerrada_)
        return;
    encerrada_ = true;
    disconnect(&RelogioDasTelas::instancia(), nullptr, this, nullptr);
    disconnect(qGuiApp, nullptr, this, nullptr);
    if (estado_)
        disconnect(estado_, nullptr, this, nullptr);
    emit ativaMudou();
}

bool SincroniaAutomaticaNoMac::cofreAtual() const
{
    return cofre_ && estado_ && estado_->fase() == EstadoDoApp::Fase::aberto && estado_->cofre() == cofre_.data();
}

void SincroniaAutomaticaNoMac::aoPassarOTempo()
{
    if (encerrada_ || sincronizando_)
        return;
    const QDateTime agora = RelogioDasTelas::instancia().agora();
    // A clock set back starts the sleep over rather than stretching it.
    if (agora < inicioDoSono_)
        inicioDoSono_ = agora;
    if (inicioDoSono_.secsTo(agora) < RegrasDaSincronia::periodoDoLaco.count())
        return;

    // The cancellation is checked after the sleep, before anything is sent.
    switch (RegrasDaSincronia::passoDoLaco(encerrada_, cofreAtual(), estado_ && estado_->emPrimeiroPlano())) {
    case RegrasDaSincronia::Passo::encerrar:
        cancelar();
        return;
    case RegrasDaSincronia::Passo::esperar:
        inicioDoSono_ = agora;
        return;
    case RegrasDaSincronia::Passo::sincronizar:
        (void)passo(QPointer<SincroniaAutomaticaNoMac>(this), cofre_);
        return;
    }
}

QCoro::Task<> SincroniaAutomaticaNoMac::passo(QPointer<SincroniaAutomaticaNoMac> eu, QPointer<Cofre> cofre)
{
    eu->sincronizando_ = true;
    QCoro::Task<> sincronia = cofre->sincronizar();
    co_await std::move(sincronia);
    if (!eu)
        co_return;
    eu->sincronizando_ = false;
    eu->inicioDoSono_ = RelogioDasTelas::instancia().agora();
}

void SincroniaAutomaticaNoMac::aoFocarJanela(QWindow *janela)
{
    // A window gaining focus means the application is in front: no foreground test here.
    if (!janela || encerrada_)
        return;
    if (!cofreAtual()) {
        cancelar();
        return;
    }
    (void)cofre_->sincronizar(); // not awaited; a sync under way absorbs it
}
