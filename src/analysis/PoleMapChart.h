#pragma once
// The explorer's pole map: the s-plane with sigma (1/s) across and j omega
// (rad/s) up. It shows the root locus of the feedback coefficient over the
// explorer's range (both branches, the real-axis part thicker, the meeting
// point of critical damping marked with its k), the grid of constant
// damping ratio (rays 0.2, 0.4, 0.6, 0.8) and constant natural frequency
// (half circles of round values), the stability boundary (the j omega
// axis), the part of the plane that the design targets allow shaded, the
// part of the locus whose k meets every target drawn over it in green, and
// the current poles as markers that the student drags along the locus.
//
// The targets that map to the plane: a damping ratio >= zeta and an
// overshoot <= p (its damping ratio -ln(p) / sqrt(pi^2 + ln^2 p)) allow the
// wedge |omega| <= |sigma| sqrt(1 - zeta^2) / zeta around the negative real
// axis; a 2 % settling time <= T allows sigma <= -4 / T (5 %: -3 / T), the
// envelope e^(sigma t) of the response having fallen to the band by then.

#include <memory>

#include "analysis/ExplorerState.h"
#include "chart/Chart.h"
#include "chart/PointSeries.h"
#include "chart/RegionSeries.h"
#include "chart/Series.h"
#include "platform/Graphics.h"

namespace drivesim {

// The damping ratios of the grid's rays.
constexpr double kPoleMapDampingRatios[] = {0.2, 0.4, 0.6, 0.8};
// Points of each half circle of constant natural frequency.
constexpr int kPoleMapCirclePoints = 61;

// The k whose pole lies nearest to (sigma, omega) on the locus of the
// state's range: where the poles are complex, the k with CoefVelocity =
// sigma_m^2 + omega^2 (sigma_m the meeting point), where they are real, the
// k that puts a pole at sigma; of the two (each clamped to the range) the
// one whose nearer pole lies closer. The state's own k when its inputs are
// refused or k does not move the poles.
double FeedbackForPolePosition(const ExplorerState& state, double sigma, double omega);

// The damping ratio an overshoot limit (percent, 0 < p < 100) asks for.
double DampingForOvershoot(double overshootPct);

class PoleMapChart {
 public:
  PoleMapChart(int width, int height);
  ~PoleMapChart();
  PoleMapChart(const PoleMapChart&) = delete;
  PoleMapChart& operator=(const PoleMapChart&) = delete;

  TChart& Chart() { return *fChart; }
  // Refills the current poles; the locus, the grid, the regions and the
  // ranges only when the state's locus or targets changed (its design
  // revision) or it is another state.
  void Update(const ExplorerState& state);
  void SetBounds(int left, int top, int width, int height);
  void Render(TBitmap& bitmap, int scale = 1);

  // The current poles: point 0 pole 1, point 1 pole 2 (sigma, omega). Their
  // points may be dragged; the owner sets OnDragPoint, typically to
  // state.SetFeedback(FeedbackForPolePosition(state, x, y)).
  TPointSeries& Poles() { return *fPoles; }
  // The locus' branches (pole 1 and pole 2 in increasing k) and the parts
  // of the real axis they cover, the segments separated by breaks.
  TLineSeries& Branch1() { return *fBranch1; }
  TLineSeries& Branch2() { return *fBranch2; }
  TLineSeries& RealSegments() { return *fRealSegments; }
  // The meeting point (critical damping, when in the range) and the pole
  // at the origin (when the range reaches the stability boundary).
  TPointSeries& MeetingPoint() { return *fMeeting; }
  TPointSeries& Boundary() { return *fBoundary; }
  // The j omega axis.
  TLineSeries& StabilityBoundary() { return *fAxis; }
  // The grid: every ray of constant damping and every half circle of
  // constant natural frequency, separated by breaks.
  TLineSeries& DampingRays() { return *fRays; }
  TLineSeries& FrequencyCircles() { return *fCircles; }
  // The natural frequencies of the circles, rad/s.
  const std::vector<double>& CircleFrequencies() const { return fCircleFrequencies; }
  // The part of the plane the targets allow (a polygon; no points when no
  // target maps to the plane).
  TRegionSeries& Allowed() { return *fAllowed; }
  // The locus where every target holds, each interval's branches separated
  // by breaks.
  TLineSeries& Answer() { return *fAnswer; }

 private:
  void Rebuild(const ExplorerState& state);
  void UpdatePoles(const ExplorerState& state);
  void FillAllowed(const ExplorerState& state, double farSigma);
  void FillAnswer(const ExplorerState& state);
  void DrawGridLabels();

  std::unique_ptr<TChart> fChart;
  std::unique_ptr<TRegionSeries> fAllowed;
  std::unique_ptr<TLineSeries> fCircles;
  std::unique_ptr<TLineSeries> fRays;
  std::unique_ptr<TLineSeries> fAxis;
  std::unique_ptr<TLineSeries> fRealSegments;
  std::unique_ptr<TLineSeries> fBranch1;
  std::unique_ptr<TLineSeries> fBranch2;
  std::unique_ptr<TLineSeries> fAnswer;
  std::unique_ptr<TPointSeries> fMeeting;
  std::unique_ptr<TPointSeries> fBoundary;
  std::unique_ptr<TPointSeries> fPoles;
  std::vector<double> fCircleFrequencies;
  TFont fLabelFont;

  const ExplorerState* fState = nullptr;  // the state last drawn (not owned)
  int fDesignRevision = -1;
};

// Draws the pole map of the state into the bitmap at the given size (times
// the scale).
void RenderPoleMap(const ExplorerState& state, TBitmap& bitmap, int width, int height,
                   int scale = 1);

}  // namespace drivesim
