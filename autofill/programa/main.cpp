// corvane-preenchimento: the AutoFill extension. The host starts it for one request; it reads
// the request line on standard input and writes one answer line on standard output.
#include "autofill/ProgramaDaExtensao.h"
#include "kit/DialogoDoDono.h"
#include "kit/LinhaDeComando.h"
#include "plataforma/CofreDeSegredos.h"

#include <QStringList>
#include <QtQml/qqmlextensionplugin.h>

#include <cstdio>

Q_IMPORT_QML_PLUGIN(Corvane_AppPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_PreenchimentoPlugin)

int main(int argc, char **argv)
{
    if (const auto saida = LinhaDeComando::responderSePedido(LinhaDeComando::Programa::extensao, argc, argv))
        return *saida;
    QStringList argumentos;
    for (int i = 0; i < argc; ++i)
        argumentos.append(QString::fromLocal8Bit(argv[i]));
    // The host shows our diagnostics; it finds no answer and says so.
    if (const auto erro = CofreDeSegredos::configurarPelosArgumentos(argumentos)) {
        std::fprintf(stderr, "%s\n", erro->toLocal8Bit().constData());
        return SaidaDaExtensao::pedidoInvalido;
    }
    if (const auto aviso = CofreDeSegredos::avisoSemSecretService())
        std::fprintf(stderr, "%s\n", aviso->toLocal8Bit().constData());
    // The same in-process owner prompt, checked through PAM, as the application's.
    return executarExtensao(argc, argv, [] { DialogoDoDono::registrar(); });
}
