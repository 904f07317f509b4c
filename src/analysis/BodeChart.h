#pragma once
// The explorer's frequency response: one chart, two panels over one
// logarithmic frequency axis (rad/s). Above, the magnitudes in dB on the
// left axis: the open loop |L(jw)| and the closed loop |T(jw)|, the
// crossover frequency (a vertical line and a marker at 0 dB), the closed
// loop's bandwidth (a marker 3 dB below T(0)) and its resonance peak (a
// marker). Below, the open loop's phase in degrees on the right axis, the
// -180 degree line, the crossover line again and the phase margin (a marker
// on the phase curve at the crossover and a segment from -180 degrees up to
// it). The frequency range is FrequencyChartRange widened to whole decades.

#include <memory>

#include "analysis/ExplorerState.h"
#include "chart/Chart.h"
#include "chart/PointSeries.h"
#include "chart/Series.h"
#include "platform/Graphics.h"

namespace drivesim {

// Frequencies at which the curves are evaluated, evenly on the log scale.
constexpr int kBodeCurvePoints = 300;
// The panels' shares of the chart rectangle's height, percent.
constexpr double kBodeMagnitudeEnd = 47;
constexpr double kBodePhaseStart = 53;

class BodeChart {
 public:
  BodeChart(int width, int height);
  ~BodeChart();
  BodeChart(const BodeChart&) = delete;
  BodeChart& operator=(const BodeChart&) = delete;

  TChart& Chart() { return *fChart; }
  void Update(const ExplorerState& state);
  void SetBounds(int left, int top, int width, int height);
  void Render(TBitmap& bitmap, int scale = 1);

  // Magnitude panel (left axis), dB against rad/s.
  TLineSeries& OpenMagnitude() { return *fOpenMagnitude; }
  TLineSeries& ClosedMagnitude() { return *fClosedMagnitude; }
  TPointSeries& Crossover() { return *fCrossover; }
  TPointSeries& Bandwidth() { return *fBandwidth; }
  TPointSeries& Resonance() { return *fResonance; }
  // Phase panel (right axis), degrees against rad/s.
  TLineSeries& OpenPhase() { return *fOpenPhase; }
  TPointSeries& PhaseMargin() { return *fMarginPoint; }
  TLineSeries& PhaseMarginSegment() { return *fMarginSegment; }
  // The crossover's vertical lines: one in each panel.
  TLineSeries& CrossoverLine() { return *fCrossoverLine; }
  TLineSeries& CrossoverPhaseLine() { return *fCrossoverPhaseLine; }

 private:
  std::unique_ptr<TChart> fChart;
  std::unique_ptr<TLineSeries> fZeroDb;
  std::unique_ptr<TLineSeries> fMinus180;
  std::unique_ptr<TLineSeries> fCrossoverLine;
  std::unique_ptr<TLineSeries> fCrossoverPhaseLine;
  std::unique_ptr<TLineSeries> fMarginSegment;
  std::unique_ptr<TLineSeries> fOpenMagnitude;
  std::unique_ptr<TLineSeries> fClosedMagnitude;
  std::unique_ptr<TLineSeries> fOpenPhase;
  std::unique_ptr<TPointSeries> fCrossover;
  std::unique_ptr<TPointSeries> fBandwidth;
  std::unique_ptr<TPointSeries> fResonance;
  std::unique_ptr<TPointSeries> fMarginPoint;
};

// Draws the frequency response of the state into the bitmap at the given
// size (times the scale).
void RenderBode(const ExplorerState& state, TBitmap& bitmap, int width, int height, int scale = 1);

}  // namespace drivesim
