#include "TextosDaConta.h"

#include "servicos/TextosDoComputador.h"

QString TextosDaConta::lema()
{
    return noComputador(u"Seus códigos e senhas, cifrados no seu Mac.");
}
