#include <QApplication>

#include "BenchRun.h"

// Every benchmark runs inside a QApplication on the offscreen platform, as the tests do:
// controls, timers and the network need one.
int main(int argc, char **argv)
{
    bench::ChooseOffscreenPlatform();
    QApplication app(argc, argv);
    return bench::RunBenchmarks(argc, argv);
}
