// Entry point of the Wayland suite: a widgets application on Qt's native Wayland platform,
// run inside scripts/com-wayland's headless desktop. Outside one, every test skips with the
// reason (CORVANE_EXIGIR_WAYLAND=1, as CI sets it, makes that a failure instead).
#include <QApplication>
#include <QtGlobal>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "wayland");
    else
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacao(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
