// A clock that moves only when the test says so; its countdowns fall due as it passes them.
// It must outlive the countdowns it made.
#pragma once

#include "servicos/Relogio.h"

#include <QList>

#include <utility>
#include <chrono>
#include <optional>

class RelogioDeTeste final : public Relogio {
public:
    explicit RelogioDeTeste(QDateTime inicio = QDateTime(QDate(2025, 3, 1), QTime(12, 0), Qt::UTC))
        : agora_(std::move(inicio))
    {}
    ~RelogioDeTeste() override
    {
        for (ContagemDeTeste *contagem : std::as_const(contagens_))
            contagem->relogio_ = nullptr;
    }

    [[nodiscard]] QDateTime agora() const override { return agora_; }
    [[nodiscard]] Contagem *novaContagem(QObject *pai) override { return new ContagemDeTeste(*this, pai); }

    // Moves time forward by `quanto`; each countdown that falls due on the way ends at its own
    // moment, earliest first (a countdown restarted by another's end counts from then).
    void avancar(std::chrono::milliseconds quanto)
    {
        const QDateTime destino = agora_.addMSecs(quanto.count());
        while (ContagemDeTeste *proxima = proximaAte(destino)) {
            agora_ = *proxima->fim_;
            proxima->fim_.reset();
            emit proxima->terminou();
        }
        agora_ = destino;
    }

    // The wall clock jumps by `quanto` (forward: the computer slept; backward: the clock was set
    // back) while the countdowns, which run on elapsed time as the system's timers do, keep the
    // time they had left.
    void saltar(std::chrono::milliseconds quanto)
    {
        agora_ = agora_.addMSecs(quanto.count());
        for (ContagemDeTeste *contagem : std::as_const(contagens_)) {
            if (contagem->fim_)
                contagem->fim_ = contagem->fim_->addMSecs(quanto.count());
        }
    }

private:
    class ContagemDeTeste final : public Contagem {
    public:
        ContagemDeTeste(RelogioDeTeste &relogio, QObject *pai) : Contagem(pai), relogio_(&relogio)
        {
            relogio.contagens_.append(this);
        }
        ~ContagemDeTeste() override
        {
            if (relogio_)
                relogio_->contagens_.removeOne(this);
        }

        void iniciar(std::chrono::milliseconds duracao) override
        {
            if (relogio_)
                fim_ = relogio_->agora_.addMSecs(duracao.count());
        }
        void parar() override { fim_.reset(); }
        [[nodiscard]] bool ativa() const override { return fim_.has_value(); }

        RelogioDeTeste *relogio_;
        std::optional<QDateTime> fim_;
    };

    [[nodiscard]] ContagemDeTeste *proximaAte(const QDateTime &destino) const
    {
        ContagemDeTeste *proxima = nullptr;
        for (ContagemDeTeste *contagem : contagens_) {
            if (contagem->fim_ && *contagem->fim_ <= destino && (!proxima || *contagem->fim_ < *proxima->fim_))
                proxima = contagem;
        }
        return proxima;
    }

    QDateTime agora_;
    QList<ContagemDeTeste *> contagens_;
};
