#pragma once
// The overlay of step responses: every run's load velocity from t = 0 on one
// white chart titled "Step responses", one colour per run from a sequential
// palette, the legend naming each run, the setpoint dashed.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/CurvePoints.h"
#include "analysis/Sweep.h"
#include "chart/Chart.h"
#include "chart/Series.h"
#include "platform/Graphics.h"

namespace drivesim {

// One run's curve.
struct StepCurve {
  std::string Name;                      // the legend's text
  const std::vector<double>* Samples{};  // load velocity, [i] at t = i StepSize (not owned)
  double StepSize = 0;                   // s
  double Setpoint = 0;                   // rad/s, drawn dashed
  // When the samples are only the points a chart of the plot width drawn
  // needs (RunRecord::CurveVelocity): the index of each in the whole run
  // (not owned), and how many samples the run had. Null: Samples holds every
  // sample.
  const std::vector<std::size_t>* Indices = nullptr;
  std::size_t SampleCount = 0;
  std::optional<double> Settling2Pct;  // s, absent for a run that does not settle
};

// The time axis' end that fits the transients: 1.5 times the longest 2 %
// settling time of the curves, the whole record where none settles (or
// where that is shorter); s.
double FittedTimeEnd(double recordEnd, const std::vector<std::optional<double>>& settling);

// The curves of a sweep's runs, named by the swept value
// ("feedback = 0.2") with their settling times, from every sample or from
// the points kept for a picture; runs that kept neither are left out.
std::vector<StepCurve> StepCurvesOf(const SweepResult& sweep);

// The overlay as a chart of the given size, ready to be drawn into a bitmap
// or shown in a window. The time axis fits the transients (FittedTimeEnd);
// the vertical range takes in the setpoints and the
// curves, except one that grows to ten times the typical size (a diverging
// run): that one leaves the chart at its edge rather than flattening the
// others. At most 15 runs are named in the legend (the first,
// the last and evenly spaced ones between), so that the setpoint's item
// always fits. The chart keeps its own copy of the points it draws.
class StepResponseChart {
 public:
  StepResponseChart(const std::vector<StepCurve>& curves, int width, int height);
  StepResponseChart(const StepResponseChart&) = delete;
  StepResponseChart& operator=(const StepResponseChart&) = delete;

  TChart& Chart() { return *fChart; }
  // The curves' series in the curves' order.
  TLineSeries& Curve(int index) { return *fSeries[static_cast<std::size_t>(index)]; }
  // The dashed setpoint series: one, or one per curve and the legend's item.
  int SetpointCount() const { return static_cast<int>(fSeries.size()) - fCurveCount; }
  TLineSeries& Setpoint(int index) {
    return *fSeries[static_cast<std::size_t>(fCurveCount + index)];
  }
  // Draws the whole chart; the bitmap takes its size, or `scale` times it
  // each way with the chart drawn at that density (RenderChart).
  void Render(TBitmap& bitmap, int scale = 1);

 private:
  std::unique_ptr<TChart> fChart;
  // Declared after the chart, so that the series leave it before it goes.
  std::vector<std::unique_ptr<TLineSeries>> fSeries;
  int fCurveCount = 0;
};

// Draws the overlay into the bitmap at the given size (times the scale).
void RenderStepResponses(const std::vector<StepCurve>& curves, TBitmap& bitmap, int width,
                         int height, int scale = 1);

}  // namespace drivesim
