// Entry point of the editors' tests: a GUI application with the kit, the account widgets and
// the editors' module.
#include "support/quick/TesteQuick.h"

#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Corvane_AppPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_ComumPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_ContaPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_CofrePlugin)
Q_IMPORT_QML_PLUGIN(Corvane_EditoresPlugin)

int main(int argc, char **argv)
{
    return executarTestesQuick(argc, argv);
}
