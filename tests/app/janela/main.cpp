// Entry point of the application frame's screen tests.
#include "support/quick/TesteQuick.h"

#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Corvane_AppPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_ComumPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_ContaPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_CofrePlugin)
Q_IMPORT_QML_PLUGIN(Corvane_EditoresPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_BarraPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_QuadroPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_ProgramaPlugin)

int main(int argc, char **argv)
{
    return executarTestesQuick(argc, argv);
}
