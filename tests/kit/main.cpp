// Entry point of the UI kit's tests: a GUI application with the kit's QML module.
#include "support/quick/TesteQuick.h"

#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Corvane_AppPlugin)

int main(int argc, char **argv)
{
    return executarTestesQuick(argc, argv);
}
