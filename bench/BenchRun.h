#pragma once

// The start every benchmark program shares: the offscreen platform unless one is chosen, then
// Google Benchmark's run of the benchmarks the command line names. The QApplication stands
// between the two, in the program's own main.
namespace bench {

void ChooseOffscreenPlatform();
int RunBenchmarks(int argc, char **argv);

}  // namespace bench
