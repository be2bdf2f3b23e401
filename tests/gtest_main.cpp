// The main of every test program that needs nothing set up first.

#include "test_main.h"

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    testing::InitGoogleTest(&argc, argv);
    return bitki::test::runAllTests();
}
