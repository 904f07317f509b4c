// One 20 ms timer tick of the simulation as the window runs it: the gears
// turn, 100 integration steps, the six outlines rebuilt, the newest sample
// recorded, both oscilloscope series cleared and refilled with 302 points
// each, the history shifted and the mechanism redrawn on the 353 x 313 image.
// Run with repetitions; the median is the figure to quote.
#include <benchmark/benchmark.h>

#include "chart/ChartSeries.h"
#include "mechanism/Gears.h"
#include "mechanism/MechanismPicture.h"
#include "sim/DriveModel.h"
#include "sim/SimulationTick.h"
#include "sim/TimeHistory.h"

namespace drivesim {
namespace {

// The window after creation and "Process" with the default inputs.
struct Window {
  DriveModel Model;
  TimeHistory History;
  GearPair Gears;
  TChartSeries Velocity;
  TChartSeries Setpoint;
  TBitmap Image;

  Window() {
    Model.StepSize = kModelStepSize;
    Gears.SetUpGears(42);
    History.ResetTimeAxis(Model.StepSize);
    DrawBlockSketch(Image);
    DrawMechanism(Image, Gears);
    Model.AmpGain = 10;
    Model.AmpTimeConst = 0.006;
    Model.MotorCoef = 1.4;
    Model.MotorInertia = 0.021;
    Model.LoadInertia = 0.3;
    Model.ViscousFriction = 1.6;
    Model.FeedbackCoef = 1;
    Model.SetpointShown = 100;
    Model.Setpoint = 100;
    Model.ComputeCoefficients(Gears);
  }
};

void BM_SimulationTick(benchmark::State& state) {
  Window window;
  // Past the first fill, as a running simulation is.
  for (int n = 0; n < 400; ++n) {
    SimulationTick(window.Model, window.History, window.Gears, window.Velocity, window.Setpoint,
                   window.Image);
  }
  for (auto _ : state) {
    SimulationTick(window.Model, window.History, window.Gears, window.Velocity, window.Setpoint,
                   window.Image);
    benchmark::DoNotOptimize(window.Image.Pixel(192, 201));
  }
}
BENCHMARK(BM_SimulationTick)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// The series' share: two clears and 604 point additions.
void BM_FillSeries(benchmark::State& state) {
  Window window;
  for (int n = 0; n < 400; ++n) {
    SimulationTick(window.Model, window.History, window.Gears, window.Velocity, window.Setpoint,
                   window.Image);
  }
  for (auto _ : state) {
    FillSeries(window.Velocity, window.Setpoint, window.History);
    benchmark::DoNotOptimize(window.Velocity.PointCount());
  }
}
BENCHMARK(BM_FillSeries)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace drivesim
