// Our own entry point: the test support library brings a test runner's.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
