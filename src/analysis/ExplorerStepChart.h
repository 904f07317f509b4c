#pragma once
// The explorer's step response: the loop's closed-form curve beside the
// drive's simulated run from rest, the setpoint dashed, the band of 2 %
// around the final value shaded, and the peak, the rise (its 10 % and 90 %
// crossings) and the 2 % settling marked on the closed-form curve, each
// named with its value in the legend. Built once, refreshed from the
// explorer's state on every change: the series are refilled, never made
// anew.

#include <memory>

#include "analysis/ExplorerState.h"
#include "chart/Chart.h"
#include "chart/PointSeries.h"
#include "chart/RegionSeries.h"
#include "chart/Series.h"
#include "platform/Graphics.h"

namespace drivesim {

// Points of the closed-form curve over the simulated run's duration.
constexpr int kClosedFormCurvePoints = 400;

class ExplorerStepChart {
 public:
  ExplorerStepChart(int width, int height);
  ~ExplorerStepChart();
  ExplorerStepChart(const ExplorerStepChart&) = delete;
  ExplorerStepChart& operator=(const ExplorerStepChart&) = delete;

  TChart& Chart() { return *fChart; }
  // Refills every series from the state's figures at its k.
  void Update(const ExplorerState& state);
  // Moves and resizes the chart; at a new width the series are refilled
  // from the state last drawn, which must still be there.
  void SetBounds(int left, int top, int width, int height);
  // Draws the whole chart; the bitmap takes its size, or `scale` times it
  // each way (RenderChart).
  void Render(TBitmap& bitmap, int scale = 1);

  // The closed-form curve x(t) y_inf (empty for an unstable loop or no
  // response) and the simulated load velocity, rad/s against s.
  TLineSeries& ClosedForm() { return *fClosedForm; }
  TLineSeries& Simulated() { return *fSimulated; }
  TLineSeries& Setpoint() { return *fSetpoint; }
  // The band from 0.98 to 1.02 of the final value (rkBand).
  TRegionSeries& Band() { return *fBand; }
  // Markers on the closed-form curve: the first maximum (under-damped
  // loops), the 10 % and 90 % crossings, the entry into the 2 % band for
  // good.
  TPointSeries& Peak() { return *fPeak; }
  TPointSeries& Rise() { return *fRise; }
  TPointSeries& Settling() { return *fSettling; }

 private:
  void FillSimulated(const RunRecord& record, double clip);

  std::unique_ptr<TChart> fChart;
  // Declared after the chart, so that the series leave it before it goes.
  std::unique_ptr<TRegionSeries> fBand;
  std::unique_ptr<TLineSeries> fSetpoint;
  std::unique_ptr<TLineSeries> fSimulated;
  std::unique_ptr<TLineSeries> fClosedForm;
  std::unique_ptr<TPointSeries> fPeak;
  std::unique_ptr<TPointSeries> fRise;
  std::unique_ptr<TPointSeries> fSettling;

  const ExplorerState* fState = nullptr;  // the state last drawn (not owned)
};

}  // namespace drivesim
