// drivesim-bench: one timer tick's chart work at the window's size. Both
// oscilloscope series are cleared and refilled point by point (velocity and
// setpoint alternating, each point with its own colour, as the tick fills
// them), then the whole 353 x 169 chart is rendered into its window surface:
// gradient, bevel, title, back wall, both axes with labels, ticks and grid,
// and both traces clipped to the chart rectangle.
//
// The argument is the number of points per series: 302 is the program's
// frame; 10000, 100000 and 1000000 show how the cost grows with the
// points. Samples are 1 ms apart, like the program's; the velocity swings
// around the setpoint so that the line moves on most pixels.
// Run with repetitions; the median is the figure to quote.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/Fonts.h"
#include "sim/TimeHistory.h"
#include "ui/OscilloscopeLayout.h"

namespace drivesim {
namespace {

struct Traces {
  std::vector<double> Time;      // s
  std::vector<double> Velocity;  // rad/s
  std::vector<double> Setpoint;  // rad/s

  explicit Traces(int n) {
    const double pi = std::acos(-1.0);
    for (int k = 0; k < n; ++k) {
      Time.push_back((k + 1 - n) * 1e-3);
      Velocity.push_back(100 + 60 * std::sin(2 * pi * k / 150.0) * std::exp(-k / 2000.0));
      Setpoint.push_back(k < 2 ? 0.0 : 100.0);
    }
  }
};

void Refill(TChartSeries& velocity, TChartSeries& setpoint, const Traces& traces) {
  velocity.ClearPoints();
  setpoint.ClearPoints();
  const int n = static_cast<int>(traces.Time.size());
  for (int k = 0; k < n; ++k) {
    velocity.AddPoint(traces.Time[k], traces.Velocity[k], "", kVelocityPointColor);
    setpoint.AddPoint(traces.Time[k], traces.Setpoint[k], "", kSetpointPointColor);
  }
}

void BM_OscilloscopeTick(benchmark::State& state) {
  const Traces traces(static_cast<int>(state.range(0)));
  Oscilloscope scope = MakeOscilloscope();
  TChart& chart = *scope.Chart1;
  // The first frame makes the off-screen image and the fonts.
  Refill(*scope.Series1, *scope.Series2, traces);
  chart.RenderTo(chart.Canvas(), chart.ClientRect());
  for (auto _ : state) {
    Refill(*scope.Series1, *scope.Series2, traces);
    chart.RenderTo(chart.Canvas(), chart.ClientRect());
    benchmark::DoNotOptimize(chart.Surface().Pixel(176, 80));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * 2);
}
BENCHMARK(BM_OscilloscopeTick)
    ->Arg(302)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// The drawing alone: the same frame rendered again without refilling.
void BM_OscilloscopeRender(benchmark::State& state) {
  const Traces traces(static_cast<int>(state.range(0)));
  Oscilloscope scope = MakeOscilloscope();
  TChart& chart = *scope.Chart1;
  Refill(*scope.Series1, *scope.Series2, traces);
  chart.RenderTo(chart.Canvas(), chart.ClientRect());
  for (auto _ : state) {
    chart.RenderTo(chart.Canvas(), chart.ClientRect());
    benchmark::DoNotOptimize(chart.Surface().Pixel(176, 80));
  }
}
BENCHMARK(BM_OscilloscopeRender)
    ->Arg(302)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// A clean chart's repaint: one copy of the off-screen image.
void BM_OscilloscopeRepaintFromBuffer(benchmark::State& state) {
  const Traces traces(302);
  Oscilloscope scope = MakeOscilloscope();
  TChart& chart = *scope.Chart1;
  Refill(*scope.Series1, *scope.Series2, traces);
  chart.DispatchPaint();
  for (auto _ : state) {
    chart.Invalidate();
    chart.DispatchPaint();
    benchmark::DoNotOptimize(chart.Surface().Pixel(176, 80));
  }
}
BENCHMARK(BM_OscilloscopeRepaintFromBuffer)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace drivesim

namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] != '\0';
}

}  // namespace

int main(int argc, char** argv) {
  // Nothing here is shown on a screen: unless a windowing platform was
  // chosen, the measurements run on the offscreen platform, the same with or
  // without a display, so that a machine without one (a build server) runs
  // them too.
  if (!IsSet("QT_QPA_PLATFORM")) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  // Painting on images, measuring text and the main window's controls need
  // the platform's application object, with the layout's fonts mapped as the
  // program maps them.
  QApplication app(argc, argv);
  drivesim::InstallFontSubstitutions();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
