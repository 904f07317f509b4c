#pragma once
// The figures of a sweep against the swept value in three panels stacked on
// one shared swept-value axis, each with its own scale: overshoot %, static
// error %, the 2 % settling time in milliseconds. The figures measured on the
// runs are markers; the loop's
// closed-form figures are lines over the whole range, worked out at many
// values between the swept ones (every whole number for the tooth count and
// the setpoint), broken where the loop is unstable or "Process" would refuse
// the inputs.

#include <memory>
#include <optional>
#include <vector>

#include "analysis/Sweep.h"
#include "chart/Chart.h"
#include "chart/Series.h"
#include "platform/Graphics.h"

namespace drivesim {

// Values at which the closed-form lines are worked out across the range.
constexpr int kClosedFormLinePoints = 241;

// One closed-form point of the lines: the swept value and the figures of
// the loop there; absent figures break the lines.
struct ClosedFormPoint {
  double Value = 0;
  std::optional<double> OvershootPct;
  std::optional<double> StaticErrorPct;
  std::optional<double> Settling2Pct;  // s
};

// The closed-form figures from the smallest to the largest swept value, the
// other inputs those of the sweep's first run.
std::vector<ClosedFormPoint> ClosedFormLine(const SweepResult& sweep);

// The figures three ways, each in its colour: overshoot, static error and
// settling time.
enum class SweepFigure { Overshoot, StaticError, Settling };

// The chart of a sweep's figures at the given size, ready to be drawn into a
// bitmap or shown in a window. Runs that diverged, ran an unstable loop or
// were cut short have no points.
class SweepFiguresChart {
 public:
  // current: the main window's value of the swept input, drawn as a
  // vertical line through the panels.
  SweepFiguresChart(const SweepResult& sweep, int width, int height,
                    std::optional<double> current = std::nullopt);
  SweepFiguresChart(const SweepFiguresChart&) = delete;
  SweepFiguresChart& operator=(const SweepFiguresChart&) = delete;

  TChart& Chart() { return *fChart; }
  // The measured points and the closed-form line of a figure.
  TLineSeries& Points(SweepFigure figure) { return *fSeries[2 * static_cast<std::size_t>(figure)]; }
  TLineSeries& Line(SweepFigure figure) {
    return *fSeries[2 * static_cast<std::size_t>(figure) + 1];
  }
  // The vertical axis of a figure's panel.
  TChartAxis& PanelAxis(SweepFigure figure) { return *fAxes[static_cast<std::size_t>(figure)]; }
  // The vertical line of the main window's value in each panel (none
  // without one).
  int MarkCount() const { return static_cast<int>(fMarks.size()); }
  TLineSeries& Mark(int index) { return *fMarks[static_cast<std::size_t>(index)]; }
  // Draws the whole chart; the bitmap takes its size, or `scale` times it
  // each way with the chart drawn at that density (RenderChart).
  void Render(TBitmap& bitmap, int scale = 1);

 private:
  std::unique_ptr<TChart> fChart;
  // Declared after the chart, so that the series leave it before it goes.
  std::vector<std::unique_ptr<TLineSeries>> fSeries;
  std::vector<std::unique_ptr<TLineSeries>> fMarks;
  std::vector<TChartAxis*> fAxes;  // the panels' axes, owned by the chart
};

// Draws the chart into the bitmap at the given size (times the scale).
void RenderSweepFigures(const SweepResult& sweep, TBitmap& bitmap, int width, int height,
                        int scale = 1, std::optional<double> current = std::nullopt);

}  // namespace drivesim
