#include "servicos/Relogio.h"

#include <QTimer>

namespace {

class ContagemDoSistema final : public Contagem {
public:
    explicit ContagemDoSistema(QObject *pai) : Contagem(pai), temporizador_(this)
    {
        temporizador_.setSingleShot(true);
        temporizador_.setTimerType(Qt::PreciseTimer);
        connect(&temporizador_, &QTimer::timeout, this, &Contagem::terminou);
    }

    void iniciar(std::chrono::milliseconds duracao) override { temporizador_.start(duracao); }
    void parar() override { temporizador_.stop(); }
    [[nodiscard]] bool ativa() const override { return temporizador_.isActive(); }

private:
    QTimer temporizador_;
};

class RelogioDoSistema final : public Relogio {
public:
    [[nodiscard]] QDateTime agora() const override { return QDateTime::currentDateTimeUtc(); }
    [[nodiscard]] Contagem *novaContagem(QObject *pai) override { return new ContagemDoSistema(pai); }
};

} // namespace

void Relogio::depoisDe(std::chrono::milliseconds espera, QObject *dono, std::function<void()> acao)
{
    Contagem *contagem = novaContagem(dono);
    QObject::connect(contagem, &Contagem::terminou, contagem, [contagem, acao = std::move(acao)] {
        contagem->deleteLater();
        acao();
    });
    contagem->iniciar(espera);
}

Relogio &Relogio::doSistema()
{
    static RelogioDoSistema relogio;
    return relogio;
}
