#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

// GoogleTest main for tests that need a QApplication. The platform comes from QT_QPA_PLATFORM
// (offscreen) or from DISPLAY when the test runs under its own Xvfb.
int main(int argc, char** argv)
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("MoorletTests"));
    ::testing::InitGoogleTest(&argc, argv);
    testsupport::endTestsAtFatalFailures();
    return RUN_ALL_TESTS();
}
