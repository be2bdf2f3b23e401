#include "test_main.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace bitki::test {

int runAllTests()
{
    const int status = RUN_ALL_TESTS();
    if (testing::UnitTest::GetInstance()->test_to_run_count() == 0) {
        std::fputs("no test was selected\n", stderr);
        return 1;
    }
    return status;
}

} // namespace bitki::test
