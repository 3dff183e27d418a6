// Entry point of the tray panel's and the settings window's tests: a GUI application with the
// kit, the shared form widgets, the vault window's module and the panel's.
#include "support/quick/TesteQuick.h"

#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Corvane_AppPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_ComumPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_ContaPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_CofrePlugin)
Q_IMPORT_QML_PLUGIN(Corvane_BarraPlugin)

int main(int argc, char **argv)
{
    return executarTestesQuick(argc, argv);
}
