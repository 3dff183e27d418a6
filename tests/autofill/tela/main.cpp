// Entry point of the extension's screen tests: a GUI application with the kit and the extension.
#include "support/quick/TesteQuick.h"

#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Corvane_AppPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_PreenchimentoPlugin)

int main(int argc, char **argv)
{
    return executarTestesQuick(argc, argv);
}
