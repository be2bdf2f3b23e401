// Runs the widget tests inside one QApplication, set up as the program sets it up.

#include "application.h"
#include "test_main.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    bitki::configureApplication();
    return bitki::test::runAllTests();
}
