#include <QApplication>
#include <gtest/gtest.h>

// Widgets need one application object for the whole process; tests that only
// need an event loop get it too. Widget tests never need a display: without a
// platform chosen they run offscreen, also when the build lists the tests.
int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
