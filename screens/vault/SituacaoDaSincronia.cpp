#include "SituacaoDaSincronia.h"

#include "RegrasDaSincronia.h"
#include "kit/RelogioDasTelas.h"

SituacaoDaSincronia::SituacaoDaSincronia(QObject *pai) : QObject(pai), tique_(RelogioDasTelas::instancia().agora())
{
    connect(&RelogioDasTelas::instancia(), &RelogioDasTelas::agoraMudou, this, &SituacaoDaSincronia::aoPassarOTempo);
}

void SituacaoDaSincronia::definirEstado(EstadoDoApp *estado)
{
    if (estado_ == estado)
        return;
    if (estado_)
        disconnect(estado_, nullptr, this, nullptr);
    estado_ = estado;
    if (estado_) {
        connect(estado_, &EstadoDoApp::precisaEntrarDeNovoMudou, this, &SituacaoDaSincronia::linhaMudou);
        connect(estado_, &EstadoDoApp::cofreMudou, this, &SituacaoDaSincronia::seguirCofre);
    }
    emit estadoMudou();
    seguirCofre();
}

void SituacaoDaSincronia::seguirCofre()
{
    Cofre *cofre = estado_ ? estado_->cofre() : nullptr;
    if (cofre_ != cofre) {
        if (cofre_)
            disconnect(cofre_, nullptr, this, nullptr);
        cofre_ = cofre;
        if (cofre_) {
            for (auto sinal : {&Cofre::semConexaoMudou, &Cofre::falhouAoSincronizarMudou, &Cofre::sincronizandoMudou,
                               &Cofre::ultimaSincroniaMudou})
                connect(cofre_, sinal, this, &SituacaoDaSincronia::linhaMudou);
        }
    }
    emit linhaMudou();
}

void SituacaoDaSincronia::aoPassarOTempo()
{
    const QDateTime agora = RelogioDasTelas::instancia().agora();
    // The timeline ticks every 15 seconds from when the line appeared; a clock set back ticks
    // at once.
    if (agora >= tique_ && tique_.secsTo(agora) < RegrasDaSincronia::periodoDaLinha.count())
        return;
    tique_ = agora;
    emit linhaMudou();
}

QString SituacaoDaSincronia::estadoDaLinha() const
{
    return RegrasDaSincronia::estadoDaLinha(estado_ && estado_->precisaEntrarDeNovo(), cofre_ && cofre_->semConexao(),
                                            cofre_ && cofre_->falhouAoSincronizar());
}

QString SituacaoDaSincronia::textoOcioso() const
{
    return RegrasDaSincronia::textoDaUltimaSincronia(cofre_ ? cofre_->ultimaSincronia() : std::nullopt, tique_);
}

void SituacaoDaSincronia::sincronizar()
{
    if (cofre_)
        (void)cofre_->sincronizar(); // not awaited: the flags tell the outcome
}
