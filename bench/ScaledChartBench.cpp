// drivesim-bench: one timer tick's chart work on a denser screen. The
// oscilloscope's 302 points per series are refilled and the chart is
// rendered at the pixel ratio given in hundredths (100, 125, 150, 200): its
// surface has that many times the pixels each way, its fonts, pens, ticks
// and bevel are scaled. The ratio 100 run is the ordinary window's.
// Run with repetitions; the median is the figure to quote.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "ScreenDensities.h"
#include "analysis/StepResponseChart.h"
#include "analysis/Sweep.h"
#include "platform/Graphics.h"
#include "sim/TimeHistory.h"
#include "ui/OscilloscopeLayout.h"

namespace drivesim {
namespace {

void RefillScaledTraces(TChartSeries& velocity, TChartSeries& setpoint) {
  constexpr int kPoints = HistoryLength;
  const double pi = std::acos(-1.0);
  velocity.ClearPoints();
  setpoint.ClearPoints();
  for (int k = 0; k < kPoints; ++k) {
    const double t = (k + 1 - kPoints) * 1e-3;
    velocity.AddPoint(t, 100 + 60 * std::sin(2 * pi * k / 150.0), "", kVelocityPointColor);
    setpoint.AddPoint(t, k < 2 ? 0.0 : 100.0, "", kSetpointPointColor);
  }
}

void BM_OscilloscopeTickScaled(benchmark::State& state) {
  Oscilloscope scope = MakeOscilloscope();
  TChart& chart = *scope.Chart1;
  chart.SetPixelRatio(static_cast<double>(state.range(0)) / 100);
  RefillScaledTraces(*scope.Series1, *scope.Series2);
  chart.RenderTo(chart.Canvas(), chart.ClientRect());
  for (auto _ : state) {
    RefillScaledTraces(*scope.Series1, *scope.Series2);
    chart.RenderTo(chart.Canvas(), chart.ClientRect());
    benchmark::DoNotOptimize(chart.Surface().Pixel(100, 100));
  }
}
BENCHMARK(BM_OscilloscopeTickScaled)->Apply(ScreenDensities);

// The drawing of a dense trace in a wide pen: the oscilloscope with 100000
// points per series (the velocity swinging over most of the chart's height),
// its pens Args[0] pixels wide at a pixel ratio of Args[1] hundredths,
// rendered again without refilling. Compare a width with width 1 at the
// same ratio.
void BM_OscilloscopeTraceWidth(benchmark::State& state) {
  constexpr int kPoints = 100000;
  const double pi = std::acos(-1.0);
  Oscilloscope scope = MakeOscilloscope();
  TChart& chart = *scope.Chart1;
  chart.SetPixelRatio(static_cast<double>(state.range(1)) / 100);
  scope.Series1->LinePen().SetWidth(static_cast<int>(state.range(0)));
  scope.Series2->LinePen().SetWidth(static_cast<int>(state.range(0)));
  for (int k = 0; k < kPoints; ++k) {
    const double t = (k + 1 - kPoints) * 1e-3;
    scope.Series1->AddPoint(t, 100 + 90 * std::sin(2 * pi * k / 150.0), "", kVelocityPointColor);
    scope.Series2->AddPoint(t, k < 2 ? 0.0 : 100.0, "", kSetpointPointColor);
  }
  chart.RenderTo(chart.Canvas(), chart.ClientRect());
  for (auto _ : state) {
    chart.RenderTo(chart.Canvas(), chart.ClientRect());
    benchmark::DoNotOptimize(chart.Surface().Pixel(100, 100));
  }
}
BENCHMARK(BM_OscilloscopeTraceWidth)
    ->Args({1, 100})
    ->Args({2, 100})
    ->Args({3, 100})
    ->Args({1, 200})
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// A lab report's step-response chart at print density: five runs of a
// sweep of k drawn as the report draws them, a new 800 x 460 chart made and
// rendered four times the size each way (3200 x 1840 pixels), its grid and
// frame in wide pens. Each chart a report prints is drawn once.
void BM_ReportStepChart(benchmark::State& state) {
  SweepOptions options;
  options.Ticks = 300;
  const SweepResult sweep = RunSweep(DriveInputs{}, ParseSweepSpec("feedback=0.5:2.5:5"), options);
  const std::vector<StepCurve> curves = StepCurvesOf(sweep);
  for (auto _ : state) {
    StepResponseChart chart(curves, 800, 460);
    TBitmap picture;
    chart.Render(picture, 4);
    benchmark::DoNotOptimize(picture.Pixel(100, 100));
  }
}
BENCHMARK(BM_ReportStepChart)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace drivesim
