#pragma once
// The step responses chart of the quality-of-regulation window: white and
// flat like the batch tool's overlay, the current run of the main window
// from its t = 0 drawn dark and thick and followed tick by tick, every kept
// run thin in its own colour, the setpoints dashed, the legend naming the
// runs.
//
// The chart holds every sample of each curve; its line series draw a curve
// of many samples per pixel column by the extremes of each column, so that
// a long run costs a paint little more than its samples' values read once.
// The current run's curve grows by the ticks that come in.

#include <cstdint>
#include <memory>
#include <vector>

#include "chart/Chart.h"
#include "chart/RegionSeries.h"
#include "chart/Series.h"
#include "lab/LabRuns.h"

namespace drivesim {

class WindowRun;

// The current run's pen width: thicker than every kept run, which is drawn
// one pixel wide in the colour it was kept with (kCurrentRunColor, darker
// than them all, is in LabRuns.h).
constexpr int kCurrentRunWidth = 2;

class LabResponseChart {
 public:
  LabResponseChart(int width, int height);
  LabResponseChart(const LabResponseChart&) = delete;
  LabResponseChart& operator=(const LabResponseChart&) = delete;
  ~LabResponseChart();

  TChart& Chart() { return *fChart; }

  // Shows the kept runs (after they changed).
  void SetKept(const std::vector<LabRun>& kept);
  // Follows the current run: the ticks measured since the last call are
  // added; a run that began anew is drawn afresh.
  void FollowCurrent(const WindowRun& run);
  // Moves and resizes the chart.
  void SetBounds(int left, int top, int width, int height);

  // The time axis' end as the runs shown ask for it: 1.5 times the longest
  // 2 % settling time among them, the whole record where none settles (or
  // where that is shorter); s.
  double FittedEnd() const;
  // The shaded band of +-2 % around the current run's final value (no band
  // without one).
  TRegionSeries& SettlingBand() { return *fBand; }
  // True while the user has zoomed or panned: the ranges stay as the user
  // left them until the zoom is undone.
  bool UserView() const { return fUserView; }

  // The series: the current run's curve, and each kept run's.
  TLineSeries& CurrentSeries() { return *fCurrent; }
  int KeptCount() const { return static_cast<int>(fKept.size()); }
  TLineSeries& KeptSeries(int index) { return *fKept[static_cast<std::size_t>(index)]; }

 private:
  void RebuildCurrent(const WindowRun& run);
  void RebuildKept();
  void UpdateSetpoints();
  void UpdateRanges();

  std::unique_ptr<TChart> fChart;
  // Declared after the chart, so that the series leave it before it goes.
  std::unique_ptr<TRegionSeries> fBand;
  bool fBandWanted = true;  // shown when there is a band to show
  std::unique_ptr<TLineSeries> fCurrent;
  std::vector<std::unique_ptr<TLineSeries>> fKept;
  std::vector<std::unique_ptr<TLineSeries>> fSetpoints;

  // The kept runs' curves (not owned: the window's LabRuns holds them) and
  // what the axes need of them.
  const std::vector<LabRun>* fKeptRuns = nullptr;
  double fKeptEnd = 0;  // the longest kept curve, s
  std::vector<double> fKeptPeaks;
  double fKeptSettling = 0;  // the longest 2 % settling time of a kept run, s (0: none)
  bool fUserView = false;

  // The current run as far as it is drawn.
  bool fHasCurrent = false;
  std::uint64_t fRunNumber = 0;
  std::size_t fCurrentFirst = 0;  // the log's index of the run's first tick
  std::size_t fCurrentEnd = 0;    // one past the last tick drawn
  double fCurrentStep = 0.001;    // s per tick
  double fCurrentSetpoint = 0;    // rad/s
  double fCurrentPeak = 0;        // largest |velocity| so far, rad/s
  double fCurrentLow = 0;         // smallest velocity so far, rad/s
  double fCurrentHigh = 0;        // largest velocity so far, rad/s
  const WindowRun* fRun = nullptr;
};

}  // namespace drivesim
