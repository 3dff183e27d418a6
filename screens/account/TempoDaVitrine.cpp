#include "TempoDaVitrine.h"

#include "kit/RelogioDasTelas.h"

namespace {
// 2001-01-01T00:00:00Z in milliseconds since the Unix epoch.
constexpr qint64 referencia = 978'307'200'000;
} // namespace

// An endless animation whose only work is to report how long it has run, rounded down to whole
// steps: the layers that follow it change (and the scene is redrawn for them) at most once a step.
class TempoDaVitrine::Quadros final : public QAbstractAnimation {
public:
    explicit Quadros(TempoDaVitrine &tempo) : QAbstractAnimation(&tempo), tempo_(tempo) {}
    [[nodiscard]] int duration() const override { return -1; }

protected:
    void updateCurrentTime(int ms) override
    {
        const int passo = tempo_.passo_;
        tempo_.definirT(tempo_.inicio_ + (passo > 0 ? ms / passo * passo : ms) / 1000.0);
    }

private:
    TempoDaVitrine &tempo_;
};

TempoDaVitrine::TempoDaVitrine(QObject *parent) : QObject(parent), quadros_(new Quadros(*this))
{
    t_ = agoraDoRelogio();
    connect(&passos_, &AnimacaoEmPassos::valorMudou, this, [this] { definirT(inicio_ + passos_.tempo()); });
}

TempoDaVitrine::~TempoDaVitrine()
{
    quadros_->stop();
}

double TempoDaVitrine::agoraDoRelogio()
{
    RelogioDasTelas &relogio = RelogioDasTelas::instancia();
    // The clock ticks on whole seconds; read its source now for the current fraction too.
    relogio.atualizar();
    return static_cast<double>(relogio.agora().toMSecsSinceEpoch() - referencia) / 1000.0;
}

void TempoDaVitrine::definirRodando(bool rodando)
{
    if (rodando == rodando_)
        return;
    rodando_ = rodando;
    if (rodando_) {
        iniciar();
    } else {
        quadros_->stop();
        passos_.definirRodando(false);
    }
    emit rodandoMudou();
}

void TempoDaVitrine::componentComplete()
{
    criando_ = false;
    if (rodando_)
        iniciar();
}

void TempoDaVitrine::iniciar()
{
    if (criando_)
        return;
    inicio_ = agoraDoRelogio();
    definirT(inicio_);
    if (passo_ > 0) {
        passos_.definirPasso(passo_);
        passos_.reiniciar();
        passos_.definirRodando(true);
    } else {
        quadros_->start();
    }
}

void TempoDaVitrine::definirT(double t)
{
    if (t == t_)
        return;
    t_ = t;
    emit tMudou();
}
