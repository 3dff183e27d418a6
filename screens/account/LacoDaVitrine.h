// One timed loop of the showcase: while `rodando`, it sleeps `intervalo` milliseconds on the
// animation clock (the continuous clock of the screens, stepped by hand in tests) and counts one
// more `passos` after each sleep. Stopped, it keeps its count and how far into the sleep it was,
// and starting again goes on from there: only a new loop (a column inserted afresh) counts from 0.
// With `respeitaMovimentoReduzido` the reduce-motion setting is read each time the loop starts:
// set then, the loop does not run and keeps its count; a later change does not stop a running
// loop.
#pragma once

#include <QObject>
#include <QPauseAnimation>
#include <QQmlParserStatus>
#include <QtQml/qqmlregistration.h>

class LacoDaVitrine : public QObject, public QQmlParserStatus {
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)
    QML_ELEMENT
    Q_PROPERTY(bool rodando READ rodando WRITE definirRodando NOTIFY rodandoMudou)
    Q_PROPERTY(int intervalo READ intervalo WRITE definirIntervalo NOTIFY intervaloMudou)
    Q_PROPERTY(bool respeitaMovimentoReduzido MEMBER respeitaMovimentoReduzido_ NOTIFY respeitaMudou)
    Q_PROPERTY(int passos READ passos NOTIFY passosMudaram)
    // The loop is counting (started, and not ended by reduce motion).
    Q_PROPERTY(bool contando READ contando NOTIFY contandoMudou)

public:
    explicit LacoDaVitrine(QObject *parent = nullptr);

    [[nodiscard]] bool rodando() const { return rodando_; }
    void definirRodando(bool rodando);
    [[nodiscard]] int intervalo() const { return static_cast<int>(espera_.duration()); }
    void definirIntervalo(int intervalo);
    [[nodiscard]] int passos() const { return passos_; }
    [[nodiscard]] bool contando() const { return espera_.state() == QAbstractAnimation::Running; }

    // From QML, the loop starts only once all its settings are read.
    void classBegin() override { criando_ = true; }
    void componentComplete() override;

signals:
    void rodandoMudou();
    void intervaloMudou();
    void respeitaMudou();
    void passosMudaram();
    void contandoMudou();

private:
    void iniciar();

    QPauseAnimation espera_;
    bool rodando_ = false;
    bool respeitaMovimentoReduzido_ = false;
    int passos_ = 0;
    bool criando_ = false;
};
