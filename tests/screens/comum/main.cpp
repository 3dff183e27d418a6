// Entry point of the application's widget tests: a widgets application object (the shared test
// main only makes a core one), offscreen unless told otherwise, then GoogleTest.
#include <QApplication>
#include <QtGlobal>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
