// What the brand padlock draws at a moment: the cycle's frame, the shackle's shape and colour,
// the dots' scales and the look's colours, from the look, the two motion switches, the
// reduce-motion setting and the two animation clocks that IconeDaMarca runs.
#pragma once

#include "kit/CicloDoCadeado.h"

#include <QColor>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

class MovimentoDoCadeado : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(EstiloDaMarca::Estilo estilo MEMBER estilo_ NOTIFY mudou)
    Q_PROPERTY(bool animando MEMBER animando_ NOTIFY mudou)
    Q_PROPERTY(bool abrindoEFechando MEMBER abrindoEFechando_ NOTIFY mudou)
    Q_PROPERTY(bool reduzirMovimento MEMBER reduzirMovimento_ NOTIFY mudou)
    Q_PROPERTY(double tempoDoCiclo MEMBER tempoDoCiclo_ NOTIFY mudou)
    Q_PROPERTY(double tempoDaOnda MEMBER tempoDaOnda_ NOTIFY mudou)

    // Its own signal: the cycle's animation binds `running` to it, and stopping that animation
    // must not re-notify the binding that stopped it (a binding loop when the cycle stops mid-turn).
    Q_PROPERTY(bool cicloAtivo READ cicloAtivo NOTIFY cicloAtivoMudou)
    Q_PROPERTY(double subida READ subida NOTIFY mudou)
    Q_PROPERTY(double giro READ giro NOTIFY mudou)
    Q_PROPERTY(double corpoX READ corpoX NOTIFY mudou)
    Q_PROPERTY(double corpoY READ corpoY NOTIFY mudou)
    Q_PROPERTY(QString caminhoDaAlca READ caminhoDaAlca NOTIFY mudou)
    Q_PROPERTY(QColor corDaAlca READ corDaAlca NOTIFY mudou)
    Q_PROPERTY(QColor corDoCorpo READ corDoCorpo NOTIFY mudou)
    Q_PROPERTY(QColor corDosPontos READ corDosPontos NOTIFY mudou)
    Q_PROPERTY(double escala0 READ escala0 NOTIFY mudou)
    Q_PROPERTY(double escala1 READ escala1 NOTIFY mudou)
    Q_PROPERTY(double escala2 READ escala2 NOTIFY mudou)

public:
    explicit MovimentoDoCadeado(QObject *parent = nullptr);

    // The cycle plays while asked for and motion is not reduced.
    [[nodiscard]] bool cicloAtivo() const { return abrindoEFechando_ && !reduzirMovimento_; }
    [[nodiscard]] QuadroDoCadeado quadro() const;
    [[nodiscard]] double subida() const { return quadro().subida; }
    [[nodiscard]] double giro() const { return quadro().giro; }
    [[nodiscard]] double corpoX() const { return quadro().corpoX; }
    [[nodiscard]] double corpoY() const { return quadro().corpoY; }
    [[nodiscard]] QString caminhoDaAlca() const;
    [[nodiscard]] QColor corDaAlca() const;
    [[nodiscard]] QColor corDoCorpo() const;
    [[nodiscard]] QColor corDosPontos() const;
    [[nodiscard]] double escala0() const { return escalaDoPonto(0, tempoDaOnda_, animando_); }
    [[nodiscard]] double escala1() const { return escalaDoPonto(1, tempoDaOnda_, animando_); }
    [[nodiscard]] double escala2() const { return escalaDoPonto(2, tempoDaOnda_, animando_); }

signals:
    void mudou();
    void cicloAtivoMudou();

private:
    EstiloDaMarca::Estilo estilo_ = EstiloDaMarca::Azul;
    bool animando_ = false;
    bool abrindoEFechando_ = false;
    bool reduzirMovimento_ = false;
    double tempoDoCiclo_ = 0;
    double tempoDaOnda_ = 0;
    bool cicloAtivoAnterior_ = false;
};
