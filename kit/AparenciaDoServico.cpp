#include "kit/AparenciaDoServico.h"

#include "kit/Paleta.h"
#include "kit/RegrasDoIconeDoServico.h"

using namespace iconeDoServico;

AparenciaDoServico::AparenciaDoServico(QObject *parent)
    : QObject(parent)
{
}

const Servico *AparenciaDoServico::servico() const
{
    return resolver(nome_, dicas_, escolhido_);
}

QString AparenciaDoServico::idDoServico() const
{
    const Servico *s = servico();
    return s ? s->id : QString();
}

QString AparenciaDoServico::texto() const
{
    const Servico *s = servico();
    return s ? marcaDoServico(*s) : letraDoMonograma(nome_);
}

QColor AparenciaDoServico::corDeFundo() const
{
    const Servico *s = servico();
    return s ? QColor::fromRgb(s->cor) : paresDoMonograma()[indiceDoMonograma(nome_)].fundo;
}

QColor AparenciaDoServico::corDoTexto() const
{
    const Servico *s = servico();
    if (!s)
        return paresDoMonograma()[indiceDoMonograma(nome_)].texto;
    return corClara(s->cor) ? Paleta::tinta() : QColor(Qt::white);
}

bool AparenciaDoServico::contorno() const
{
    const Servico *s = servico();
    return s && corClara(s->cor);
}
