// One 20 ms timer tick of the simulation as the window runs it: the gears
// turn, 100 integration steps, the six outlines rebuilt, the newest sample
// recorded, both oscilloscope series cleared and refilled with 302 points
// each, the history shifted and the mechanism redrawn on the 353 x 313 image.
// Run with repetitions; the median is the figure to quote.
#include <benchmark/benchmark.h>

#include "ScreenDensities.h"
#include "chart/ChartSeries.h"
#include "mechanism/MechanismPicture.h"
#include "sim/SimulationRig.h"
#include "sim/TimeHistory.h"

namespace drivesim {
namespace {

// The window after creation and "Process" with the default inputs.
struct Window {
  SimulationRig Rig;
  TChartSeries Velocity;
  TChartSeries Setpoint;

  Window() { Rig.Process(); }
  void Tick() { Rig.Tick(Velocity, Setpoint); }
};

void BM_SimulationTick(benchmark::State& state) {
  Window window;
  // Past the first fill, as a running simulation is.
  for (int n = 0; n < 400; ++n) window.Tick();
  for (auto _ : state) {
    window.Tick();
    benchmark::DoNotOptimize(window.Rig.Image.Pixel(192, 201));
  }
}
BENCHMARK(BM_SimulationTick)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// The series' share: two clears and 604 point additions.
void BM_FillSeries(benchmark::State& state) {
  Window window;
  for (int n = 0; n < 400; ++n) window.Tick();
  for (auto _ : state) {
    FillSeries(window.Velocity, window.Setpoint, window.Rig.History);
    benchmark::DoNotOptimize(window.Velocity.PointCount());
  }
}
BENCHMARK(BM_FillSeries)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

// The mechanism picture of a running window redrawn at a screen's density
// (the argument is the ratio in hundredths): what each tick's repaint of the
// image costs on a dense screen.
void BM_MechanismAtDensity(benchmark::State& state) {
  Window window;
  for (int n = 0; n < 400; ++n) window.Tick();
  const double ratio = static_cast<double>(state.range(0)) / 100.0;
  TBitmap dense;
  for (auto _ : state) {
    window.Tick();
    DrawPictureAtDensity(dense, window.Rig.Gears, ratio);
    benchmark::DoNotOptimize(dense.Pixel(10, 10));
  }
}
BENCHMARK(BM_MechanismAtDensity)->Apply(ScreenDensities);

}  // namespace
}  // namespace drivesim
