#include <gtest/gtest.h>

#include <QApplication>

// Every suite runs with a QApplication: the controls, timers and the network need one.
int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
