// A looping animation for slow decoration that changes only every `passo` milliseconds (a
// multiple of 50): every such animation steps on one shared beat of 20 a second, and between
// beats the animation clock sleeps on a timer instead of waking the window every frame, so any
// number of them costs at most 20 frames a second, not the display's 60. `valor` runs from 0 to
// 1 over each `duracao`, eased by `curva`; `tempo` is the time run since the start in seconds, in
// whole steps. Stopped, both hold; started again, they go on from where they were.
#pragma once

#include <QEasingCurve>
#include <QObject>
#include <QtQml/qqmlregistration.h>

class AnimacaoEmPassos : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool rodando READ rodando WRITE definirRodando NOTIFY rodandoMudou)
    Q_PROPERTY(int duracao READ duracao WRITE definirDuracao NOTIFY duracaoMudou)
    Q_PROPERTY(int passo READ passo WRITE definirPasso NOTIFY passoMudou)
    Q_PROPERTY(QEasingCurve curva READ curva WRITE definirCurva NOTIFY curvaMudou)
    Q_PROPERTY(double valor READ valor NOTIFY valorMudou)
    Q_PROPERTY(double tempo READ tempo NOTIFY valorMudou)

public:
    explicit AnimacaoEmPassos(QObject *parent = nullptr);
    ~AnimacaoEmPassos() override;

    [[nodiscard]] bool rodando() const { return rodando_; }
    void definirRodando(bool rodando);
    [[nodiscard]] int duracao() const { return duracao_; }
    void definirDuracao(int duracao);
    [[nodiscard]] int passo() const { return passo_; }
    void definirPasso(int passo);
    [[nodiscard]] QEasingCurve curva() const { return curva_; }
    void definirCurva(const QEasingCurve &curva);
    [[nodiscard]] double valor() const { return valor_; }
    [[nodiscard]] double tempo() const { return static_cast<double>(passos_) * passo() / 1000.0; }

    // Back to 0, running on if it was.
    Q_INVOKABLE void reiniciar();

    // The eased value after `passos` steps of `passo` ms in loops of `duracao` ms.
    [[nodiscard]] static double valorDepoisDe(qint64 passos, int passo, int duracao, const QEasingCurve &curva);

signals:
    void rodandoMudou();
    void duracaoMudou();
    void passoMudou();
    void curvaMudou();
    void valorMudou();

private:
    void atualizar();

    void bater(int batidas);

    QEasingCurve curva_{QEasingCurve::Linear};
    bool rodando_ = false;
    int duracao_ = 1000;
    int passo_ = 50;
    qint64 ms_ = 0; // beats run, in milliseconds
    qint64 passos_ = 0;
    double valor_ = 0;
};
