#include "AnimacaoEmPassos.h"

#include <QCoreApplication>
#include <QPauseAnimation>
#include <QPointer>

#include <algorithm>

namespace {

constexpr int msPorBatida = 50;

// The shared beat: an endless 50 ms pause, running while anything listens. Each wrap is one beat;
// a frame that crosses several reports them all.
class Batida final : public QObject {
    Q_OBJECT

public:
    static Batida &instancia()
    {
        static QPointer<Batida> unica;
        if (!unica)
            unica = new Batida(QCoreApplication::instance());
        return *unica;
    }

    void inscrever()
    {
        if (inscritos_++ == 0) {
            volta_ = 0;
            pausa_.start();
        }
    }
    void desinscrever()
    {
        if (inscritos_ > 0 && --inscritos_ == 0)
            pausa_.stop();
    }

signals:
    void bateu(int batidas);

private:
    explicit Batida(QObject *pai) : QObject(pai), pausa_(msPorBatida)
    {
        pausa_.setLoopCount(-1);
        connect(&pausa_, &QAbstractAnimation::currentLoopChanged, this, [this](int volta) {
            const int batidas = volta - volta_;
            volta_ = volta;
            if (batidas > 0)
                emit bateu(batidas);
        });
    }

    QPauseAnimation pausa_;
    int inscritos_ = 0;
    int volta_ = 0;
};

} // namespace

AnimacaoEmPassos::AnimacaoEmPassos(QObject *parent) : QObject(parent) {}

AnimacaoEmPassos::~AnimacaoEmPassos()
{
    if (rodando_ && QCoreApplication::instance())
        Batida::instancia().desinscrever();
}

double AnimacaoEmPassos::valorDepoisDe(qint64 passos, int passo, int duracao, const QEasingCurve &curva)
{
    if (duracao <= 0 || passo <= 0)
        return 0;
    const qint64 ms = passos * passo;
    return curva.valueForProgress(static_cast<double>(ms % duracao) / duracao);
}

void AnimacaoEmPassos::bater(int batidas)
{
    ms_ += static_cast<qint64>(batidas) * msPorBatida;
    const qint64 passos = ms_ / passo_;
    if (passos == passos_)
        return;
    passos_ = passos;
    atualizar();
}

void AnimacaoEmPassos::definirRodando(bool rodando)
{
    if (rodando == rodando_)
        return;
    rodando_ = rodando;
    Batida &batida = Batida::instancia();
    if (rodando_) {
        connect(&batida, &Batida::bateu, this, &AnimacaoEmPassos::bater);
        batida.inscrever();
    } else {
        disconnect(&batida, &Batida::bateu, this, &AnimacaoEmPassos::bater);
        batida.desinscrever();
    }
    emit rodandoMudou();
}

void AnimacaoEmPassos::reiniciar()
{
    ms_ = 0;
    passos_ = 0;
    atualizar();
}

void AnimacaoEmPassos::definirDuracao(int duracao)
{
    if (duracao == duracao_ || duracao <= 0)
        return;
    duracao_ = duracao;
    emit duracaoMudou();
    atualizar();
}

void AnimacaoEmPassos::definirPasso(int passo)
{
    // Whole beats only.
    passo = std::max(msPorBatida, passo / msPorBatida * msPorBatida);
    if (passo == passo_)
        return;
    passo_ = passo;
    passos_ = ms_ / passo_;
    emit passoMudou();
    atualizar();
}

void AnimacaoEmPassos::definirCurva(const QEasingCurve &curva)
{
    if (curva == curva_)
        return;
    curva_ = curva;
    emit curvaMudou();
    atualizar();
}

void AnimacaoEmPassos::atualizar()
{
    valor_ = valorDepoisDe(passos_, passo_, duracao_, curva_);
    emit valorMudou();
}

#include "AnimacaoEmPassos.moc"
