// Test main for the window tests: an offscreen application, End and message
// boxes hooked so that a test sees them instead of the process ending.
#include "TestSupport.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    InstallTestHooks();
    return RUN_ALL_TESTS();
}
