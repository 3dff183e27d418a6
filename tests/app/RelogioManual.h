// A stand-in for the application clock's one-shot timers: actions scheduled through it run only
// when the test moves the clock past their time.
#pragma once

#include <QList>

#include <chrono>
#include <functional>

struct RelogioManual {
    using Agendar = std::function<void(std::chrono::milliseconds, std::function<void()>)>;

    struct Pendente {
        std::chrono::milliseconds quando;
        std::function<void()> acao;
    };
    std::chrono::milliseconds agora{0};
    QList<Pendente> pendentes;

    Agendar agendador()
    {
        return [this](std::chrono::milliseconds espera, std::function<void()> acao) {
            pendentes.append({agora + espera, std::move(acao)});
        };
    }
    void avancar(std::chrono::milliseconds quanto)
    {
        agora += quanto;
        for (qsizetype i = 0; i < pendentes.size();) {
            if (pendentes.at(i).quando <= agora) {
                const auto acao = pendentes.takeAt(i).acao;
                acao();
            } else {
                ++i;
            }
        }
    }
};
