#include <QApplication>
#include <gtest/gtest.h>

// Widgets need one application object for the whole process; tests that only
// need an event loop get it too.
int main(int argc, char** argv) {
    // Widget tests never need a real screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
