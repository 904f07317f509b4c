// Sweeps: one run of 1000 ticks from rest with its measured and closed-form
// figures, and a sweep of 20 such runs spread over the given number of
// threads. On two free cores the sweep should take well under 20 times the
// single run.
#include <benchmark/benchmark.h>

#include "analysis/Sweep.h"

namespace drivesim {
namespace {

constexpr int kTicks = 1000;

// The records keep their per-tick rows, as the batch tool's figures and
// per-tick output need, but not every integration step's sample.
RunOptions FiguresOnly() {
  RunOptions options;
  options.KeepSamples = false;
  return options;
}

void BM_SweepOneRun(benchmark::State& state) {
  DriveInputs inputs;
  inputs.FeedbackCoef = 1.6;
  for (auto _ : state) {
    const RunResult result = RunDrive(inputs, kTicks, FiguresOnly());
    benchmark::DoNotOptimize(result.Measured.Settling2Pct);
  }
}
BENCHMARK(BM_SweepOneRun)->Unit(benchmark::kMillisecond);

void BM_Sweep(benchmark::State& state) {
  const SweepSpec spec = ParseSweepSpec("feedback=0.2:3:20");
  SweepOptions options;
  options.Ticks = kTicks;
  options.Threads = static_cast<int>(state.range(0));
  options.Run = FiguresOnly();
  for (auto _ : state) {
    const SweepResult result = RunSweep(DriveInputs{}, spec, options);
    benchmark::DoNotOptimize(result.Runs.back().Measured.Settling2Pct);
  }
}
BENCHMARK(BM_Sweep)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace drivesim
