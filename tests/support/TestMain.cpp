#include "support/TestEnv.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    vm::test::EnsureApplication();
    return RUN_ALL_TESTS();
}
