// The main function of the benchmarks: the platform's driver is current while they run.
#include <benchmark/benchmark.h>

#include <memory>

#include "platform/Driver.h"

int main(int argc, char** argv) {
  const std::unique_ptr<TDriver> Platform = CreateDriver();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
