// Entry point of the Wayland suite: a widgets application on Qt's native Wayland platform,
// run inside scripts/com-wayland's headless desktop, with the screen tests' set-up (the kit,
// the account widgets and the editors' module for the code form). Outside one, every test skips
// with the reason (CORVANE_EXIGIR_WAYLAND=1, as CI sets it, makes that a failure instead).
#include "support/quick/TesteQuick.h"

#include <QtGlobal>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Corvane_AppPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_ComumPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_ContaPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_CofrePlugin)
Q_IMPORT_QML_PLUGIN(Corvane_EditoresPlugin)

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "wayland");
    else
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return executarTestesQuick(argc, argv);
}
