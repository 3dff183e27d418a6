// The time of the showcase's slow moving layers (orbit, blobs): `t` in seconds since 2001-01-01
// 00:00 UTC, read from the screens' clock when it starts and carried forward on the animation
// clock in steps of `passo` while `rodando` (20 per second: smooth for motion this slow, and a
// third of the redraws of following every frame). Between steps the animation clock sleeps on a
// timer rather than waking the window every frame. Stopped, it holds its last value and costs
// nothing.
#pragma once

#include <QAbstractAnimation>
#include "kit/AnimacaoEmPassos.h"

#include <QObject>
#include <QQmlParserStatus>
#include <QtQml/qqmlregistration.h>

class TempoDaVitrine : public QObject, public QQmlParserStatus {
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)
    QML_ELEMENT
    Q_PROPERTY(bool rodando READ rodando WRITE definirRodando NOTIFY rodandoMudou)
    Q_PROPERTY(double t READ t NOTIFY tMudou)
    // Milliseconds between changes of `t`; 0 follows every frame.
    Q_PROPERTY(int passo MEMBER passo_ NOTIFY passoMudou)

public:
    explicit TempoDaVitrine(QObject *parent = nullptr);
    ~TempoDaVitrine() override;

    [[nodiscard]] bool rodando() const { return rodando_; }
    void definirRodando(bool rodando);
    [[nodiscard]] double t() const { return t_; }

    // Seconds since 2001-01-01 00:00 UTC of the screens' clock, read afresh.
    [[nodiscard]] static double agoraDoRelogio();

    void classBegin() override { criando_ = true; }
    void componentComplete() override;

signals:
    void rodandoMudou();
    void tMudou();
    void passoMudou();

private:
    class Quadros;
    friend class Quadros;

    void iniciar();
    void definirT(double t);

    Quadros *quadros_;   // every frame (passo 0)
    AnimacaoEmPassos passos_; // on the shared beat
    bool rodando_ = false;
    bool criando_ = false;
    double inicio_ = 0;
    double t_ = 0;
    int passo_ = 50;
};
