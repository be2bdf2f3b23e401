// Runs the widget tests inside one QApplication, set up as the program sets it up.

#include "application.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    bitki::configureApplication();
    return RUN_ALL_TESTS();
}
