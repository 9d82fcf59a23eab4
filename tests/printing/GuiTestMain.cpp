#include <QGuiApplication>
#include <gtest/gtest.h>

// Fonts and painting on a printer need a GUI application object; the tests
// run headless unless told otherwise (also when CMake lists them).
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
