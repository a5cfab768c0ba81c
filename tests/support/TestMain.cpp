#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

// GoogleTest main for tests without a QApplication.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    testsupport::endTestsAtFatalFailures();
    return RUN_ALL_TESTS();
}
