// Entry point of the vault window's tests: a GUI application with the kit, the shared form
// widgets and the vault window's module.
#include "support/quick/TesteQuick.h"

#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Corvane_AppPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_ComumPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_ContaPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_CofrePlugin)

int main(int argc, char **argv)
{
    return executarTestesQuick(argc, argv);
}
