// Test main for window tests: an offscreen application with the program's error handler.
#include "app/anwendung.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Test discovery runs the binary outside ctest's environment.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TAnwendung app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
