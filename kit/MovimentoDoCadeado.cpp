#include "kit/MovimentoDoCadeado.h"

#include "kit/Paleta.h"

MovimentoDoCadeado::MovimentoDoCadeado(QObject *parent)
    : QObject(parent)
{
    connect(this, &MovimentoDoCadeado::mudou, this, [this] {
        if (cicloAtivo() == cicloAtivoAnterior_)
            return;
        cicloAtivoAnterior_ = cicloAtivo();
        emit cicloAtivoMudou();
    });
}

QuadroDoCadeado MovimentoDoCadeado::quadro() const
{
    return cicloAtivo() ? quadroDoCiclo(tempoDoCiclo_) : QuadroDoCadeado{};
}

QString MovimentoDoCadeado::caminhoDaAlca() const
{
    // Asked to open and close: the turning shape (at rest while motion is reduced, which looks
    // the same as the closed one); otherwise the closed shackle.
    if (!abrindoEFechando_)
        return comoSvg(alcaDoCadeado());
    const QuadroDoCadeado q = quadro();
    return comoSvg(alcaEmGiro(q.giro, q.subida));
}

QColor MovimentoDoCadeado::corDaAlca() const
{
    return ::corDaAlca(estilo_, abrindoEFechando_ ? quadro().giro : 0);
}

QColor MovimentoDoCadeado::corDoCorpo() const
{
    return estilo_ == EstiloDaMarca::Azul ? Paleta::superficie() : Paleta::azul();
}

QColor MovimentoDoCadeado::corDosPontos() const
{
    return estilo_ == EstiloDaMarca::Azul ? Paleta::azul() : QColor(Qt::white);
}
