// corvane-preenchimento: the AutoFill extension. The host starts it for one request; it reads
// the request line on standard input and writes one answer line on standard output.
#include "app/DialogoDoDono.h"
#include "autofill/ProgramaDaExtensao.h"

#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Corvane_AppPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_PreenchimentoPlugin)

int main(int argc, char **argv)
{
    // The same in-process owner prompt, checked through PAM, as the application's.
    return executarExtensao(argc, argv, [] { DialogoDoDono::registrar(); });
}
