#pragma once
// The screen densities the window's pictures are measured at, as pixel
// ratios in hundredths (Args[0]): 1, 1.25, 1.5 and 2, each benchmark's
// figure in microseconds over five repetitions.
#include <benchmark/benchmark.h>

namespace drivesim {

inline void ScreenDensities(benchmark::internal::Benchmark* benchmark) {
  for (const int hundredths : {100, 125, 150, 200}) benchmark->Arg(hundredths);
  benchmark->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
}

}  // namespace drivesim
