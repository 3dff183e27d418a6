// Entry point of the account screens' tests: a GUI application with the kit and the screens.
#include "support/quick/TesteQuick.h"

#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Corvane_AppPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_ComumPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_ContaPlugin)

int main(int argc, char **argv)
{
    return executarTestesQuick(argc, argv);
}
