// The model's share of one 20 ms timer tick: 100 integration steps, and the
// rebuild of the six gear outlines.
#include <benchmark/benchmark.h>

#include "mechanism/Gears.h"
#include "sim/DriveInputs.h"
#include "sim/DriveModel.h"

namespace drivesim {
namespace {

// The model after "Process" with the default inputs.
DriveModel DefaultModel() {
  DriveModel m;
  m.StepSize = kModelStepSize;
  EnterInputs(m, DriveInputs{});
  return m;
}

void BM_TickIntegration(benchmark::State& state) {
  DriveModel model = DefaultModel();
  int ticks = 0;
  for (auto _ : state) {
    for (int step = 0; step < 100; ++step) model.IntegrateStep();
    benchmark::DoNotOptimize(model.State[1]);
    // Start over from rest now and then so that the trajectory stays in its
    // ordinary range.
    if (++ticks == 1000) {
      model.ZeroState();
      ticks = 0;
    }
  }
}
BENCHMARK(BM_TickIntegration);

void BM_RebuildGearOutlines(benchmark::State& state) {
  GearPair gears;
  gears.SetUpGears(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    gears.AdvanceGearAngles(89.74, kModelStepSize);
    gears.RebuildGearOutlines();
    benchmark::DoNotOptimize(gears.LoadGear.Front.data());
  }
}
BENCHMARK(BM_RebuildGearOutlines)->Arg(42)->Arg(8)->Arg(28);

}  // namespace
}  // namespace drivesim
