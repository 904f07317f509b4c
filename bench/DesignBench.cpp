// The explorer's answers: the design answer for all seven targets over k
// from 0 to 10 (it should stay well under 50 ms), and one change of k in the
// explorer's state, the simulated run included (no painting).
#include <benchmark/benchmark.h>

#include "analysis/ExplorerState.h"

namespace drivesim {
namespace {

DesignTargets SevenTargets() {
  DesignTargets t;
  t[TargetKind::Overshoot] = {true, 5};
  t[TargetKind::Settling2] = {true, 0.05};
  t[TargetKind::Settling5] = {true, 0.04};
  t[TargetKind::Rise] = {true, 0.02};
  t[TargetKind::Error] = {true, 15};
  t[TargetKind::Damping] = {true, 0.5};
  t[TargetKind::PhaseMargin] = {true, 45};
  return t;
}

void BM_DesignSevenTargets(benchmark::State& state) {
  const FeedbackLoop loop{DriveInputs{}};
  const DesignTargets targets = SevenTargets();
  for (auto _ : state) {
    const DesignAnswer answer = FindDesignIntervals(loop, targets, 0, 10);
    benchmark::DoNotOptimize(answer.Intervals.data());
  }
}
BENCHMARK(BM_DesignSevenTargets)->Unit(benchmark::kMillisecond);

void BM_ExplorerStateChange(benchmark::State& state) {
  ExplorerState explorer(DriveInputs{}, 0, 5);
  explorer.SetTargets(SevenTargets());
  bool high = false;
  for (auto _ : state) {
    high = !high;
    explorer.SetFeedback(high ? 1.2 : 1.0);
    benchmark::DoNotOptimize(explorer.Figures().Simulated.Measured.Settling2Pct);
  }
}
BENCHMARK(BM_ExplorerStateChange)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace drivesim
