// corvane-anfitriao: see Anfitriao.h and the README for its commands.
#include "autofill/anfitriao/Anfitriao.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication aplicacao(argc, argv);
    QTextStream saida(stdout);
    QTextStream erros(stderr);
    QStringList argumentos = QCoreApplication::arguments();
    argumentos.removeFirst();
    return executarAnfitriao(argumentos, saida, erros);
}
