#include "platform/LocalTimeZone.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    vm::PinLocalTimeZone();
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the cases (ctest's discovery after every link) needs no application.
    if (!GTEST_FLAG_GET(list_tests)) vm::test::EnsureApplication();
    return RUN_ALL_TESTS();
}
