#include <gtest/gtest.h>

#include <QApplication>

// Every suite runs with a QApplication: the controls, timers and the network need one. Listing
// the cases (ctest's discovery at build time) needs none, and so no window system either.
int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
