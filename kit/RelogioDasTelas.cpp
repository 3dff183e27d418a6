#include "kit/RelogioDasTelas.h"

#include "servicos/Relogio.h"

#include <QJSEngine>

RelogioDasTelas::RelogioDasTelas()
{
    tique_.setSingleShot(true);
    tique_.setTimerType(Qt::PreciseTimer);
    connect(&tique_, &QTimer::timeout, this, [this] {
        atualizar();
        agendarTique();
    });
    usarRelogioDoSistema();
}

RelogioDasTelas &RelogioDasTelas::instancia()
{
    static RelogioDasTelas relogio;
    return relogio;
}

RelogioDasTelas *RelogioDasTelas::create(QQmlEngine *, QJSEngine *)
{
    RelogioDasTelas *relogio = &instancia();
    QJSEngine::setObjectOwnership(relogio, QJSEngine::CppOwnership);
    return relogio;
}

void RelogioDasTelas::usarFonte(Fonte fonte)
{
    tique_.stop();
    fonte_ = std::move(fonte);
    atualizar();
}

void RelogioDasTelas::usarRelogioDoSistema()
{
    fonte_ = [] { return Relogio::doSistema().agora(); };
    atualizar();
    agendarTique();
}

void RelogioDasTelas::atualizar()
{
    const QDateTime agora = fonte_();
    if (agora == agora_)
        return;
    agora_ = agora;
    emit agoraMudou();
}

void RelogioDasTelas::agendarTique()
{
    // Wake just after the next whole second, so second-based views change on time.
    const qint64 ms = agora_.toMSecsSinceEpoch();
    tique_.start(static_cast<int>(1000 - ms % 1000) + 1);
}
